// TExportCustomSource: an export source fed by the application's own events, record by record,
// instead of a data set or a control (an exporter's ExportSource esCustom).
//
// The exporter calls First, reads record 1 by asking OnGetColumnValue for every column, then
// calls Next, which asks OnGetNextRecord whether a record follows record RecNo: the handler
// sets Eof when none does, otherwise RecNo becomes RecNo + 1 and that record is read; and so
// on. The first record is therefore read without asking OnGetNextRecord; without that handler
// the exporter reads nothing at all (an application with exactly one record sets the
// exporter's ExportRecCount instead).
//
// Published, in this order: Columns (assigning copies the columns), OnGetNextRecord,
// OnGetColumnValue. RecNo starts at 1 and Eof at False.
#pragma once

#include <functional>
#include <memory>

#include "TComponent.h"
#include "Variant.h"

class TExportCustomColumn;
class TExportCustomColumns;

// Asked whether a record follows record RecNo; Eof (False on entry) set when none does.
using TGetNextRecordEvent = std::function<void(TObject* Sender, int RecNo, bool& Eof)>;
// Asked for the value of Column in record RecNo.
using TGetColumnValueEvent = std::function<void(TObject* Sender, int RecNo, TExportCustomColumn* Column, Variant& Value)>;

class TExportCustomSource : public TComponent {
  DECLARE_CLASS(TExportCustomSource, TComponent)

  explicit TExportCustomSource(TComponent* AOwner);
  ~TExportCustomSource() override;

  TExportCustomColumns* Columns() const { return columns_.get(); }
  void SetColumns(TExportCustomColumns* Value);
  int ColumnCount() const;
  // The column named Name (without regard to case), or nullptr.
  TExportCustomColumn* ColumnByName(const AnsiString& Name) const;

  // RecNo := 1, Eof := False.
  void First();
  // Nothing when Eof; else asks OnGetNextRecord and sets Eof or moves RecNo on; without the
  // handler only moves RecNo on.
  void Next();

  int RecNo() const { return recNo_; }
  void SetRecNo(int Value) { recNo_ = Value; }
  bool Eof() const { return eof_; }
  void SetEof(bool Value) { eof_ = Value; }

  TGetNextRecordEvent OnGetNextRecord;
  TGetColumnValueEvent OnGetColumnValue;

private:
  std::unique_ptr<TExportCustomColumns> columns_;
  int recNo_ = 1;
  bool eof_ = false;
};
