// The fixture of the export library's tests: the GUI, the language manager and the export
// library run once per test program (offscreen); each test gets an owner for the exporters
// and sources it makes, a form for the controls it places, and a fresh application test hook,
// and must leave nothing behind.
#pragma once

#include <gtest/gtest.h>

#include <initializer_list>
#include <string>
#include <vector>

#include "DbTypes.h"
#include "Exception.h"
#include "TApplicationTestHook.h"
#include "TDataExport.h"
#include "TExportCustomColumn.h"
#include "TExportCustomSource.h"

class TClientDataSet;
class TForm;
class TListView;

// A minimal concrete exporter: the caption row and every data row as one line each, the cells
// separated by ";", written through the writer in the exporter's encoding; every step and
// event it sees is appended to Trace ("begin", "caption", "before", "row 0", "after", "end",
// "skipped 1", "exported 0", "stop").
class TLineExport : public TDataExport {
  DECLARE_CLASS(TLineExport, TDataExport)

  explicit TLineExport(TComponent* AOwner);

  void BeginExport() override;
  void BeforeExport() override;
  void AfterExport() override;
  void EndExport() override;
  void WriteCaptionRow() override;
  void WriteDataRow() override;

  std::vector<std::string> Trace;
};

class ExportTest : public ::testing::Test {
protected:
  void SetUp() override;
  void TearDown() override;

  // A list view in report style on the form with these column captions (each 100 pixels wide)
  // and rows of cells (the first cell the caption, the others sub-items).
  TListView* NewListView(std::initializer_list<const char*> Columns,
                         std::initializer_list<std::initializer_list<const char*>> Rows);
  // A custom source whose columns have these names and types and whose records are Rows
  // (record n is Rows[n - 1]); OnGetNextRecord ends after the last record.
  TExportCustomSource* NewCustomSource(std::vector<std::pair<const char*, TExportColType>> Columns,
                                       std::vector<std::vector<Variant>> Rows);
  // An open in-memory data set with these columns and records.
  TClientDataSet* NewDataSet(std::vector<TDbColumn> Columns, std::vector<std::vector<Variant>> Rows);
  // Runs the exporter into memory and returns the bytes.
  static std::string ExportBytes(TDataExport* Export);

  TApplicationTestHook hook;
  TComponent* owner = nullptr;
  TForm* form = nullptr;

private:
  // The rows of each custom source, kept as long as the test.
  std::vector<std::vector<std::vector<Variant>>> customRows_;
};

inline TDbColumn Column(const char* Name, TFieldType Type, int Size = 0) {
  TDbColumn c;
  c.Name = Name;
  c.DataType = Type;
  c.Size = Size;
  return c;
}

// The message a call raises as EDataExportError ("" when it raises nothing).
template <class F>
std::string ExportErrorOf(F&& call) {
  try {
    call();
  } catch (const Exception& e) {
    return e.Message();
  }
  return {};
}
