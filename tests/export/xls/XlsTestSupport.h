// Helpers of the workbook tests: the GUI layer (for font metrics) and the export library running
// once per program, a temporary folder, the records of a written stream, and the independent
// readers.
#pragma once

#include <gtest/gtest.h>

#include <cstdint>
#include <filesystem>
#include <string>
#include <vector>

#include "DbTypes.h"
#include "FormatSettings.h"
#include "System.h"

class TxlsWorkbookWriter;

// The process's format settings set for the time of a test, and put back when it ends.
class TFormatSettingsScope {
public:
  explicit TFormatSettingsScope(const TFormatSettings& settings) : saved_(GetFormatSettings()) {
    SetFormatSettings(settings);
  }
  ~TFormatSettingsScope() { SetFormatSettings(saved_); }
  TFormatSettingsScope(const TFormatSettingsScope&) = delete;
  TFormatSettingsScope& operator=(const TFormatSettingsScope&) = delete;

private:
  TFormatSettings saved_;
};

// A folder removed with everything in it at the end of the test.
class TTempDir {
public:
  TTempDir();
  ~TTempDir();
  std::string Path(const std::string& name) const { return (path_ / name).string(); }
  const std::filesystem::path& Dir() const { return path_; }

private:
  std::filesystem::path path_;
};

// One record of a BIFF stream: its id and data (CONTINUE records are records of their own).
struct TRecord {
  std::uint16_t Id = 0;
  std::string Data;
  std::size_t Offset = 0;  // of the record header in the stream
};
std::vector<TRecord> SplitRecords(const std::string& stream);
std::vector<TRecord> RecordsWithId(const std::vector<TRecord>& records, std::uint16_t id);

std::uint16_t U16At(const std::string& data, std::size_t offset);
std::uint32_t U32At(const std::string& data, std::size_t offset);
// "0A 0B ..." for comparing bytes in failure messages.
std::string Hex(const std::string& bytes);
std::string Bytes(std::initializer_list<int> bytes);

// A column of a data set made for a test.
TDbColumn Column(const char* name, TFieldType type, int size = 0);
// The lines of a text (a dump, the objects an office suite shows), and those of them that
// begin with Prefix.
std::vector<std::string> Lines(const std::string& text);
std::vector<std::string> Matching(const std::vector<std::string>& lines, const std::string& prefix);

// Runs a shell command; its standard output (standard error is left to the test log).
std::string RunCommand(const std::string& command, int* status = nullptr);
// The cells of a workbook as python3-xlrd reads them (see xlrd_dump.py).
std::string XlrdDump(const std::string& path, bool formats = false);
// The same lines as FreeXL reads them, in process.
std::string FreeXLDump(const std::string& path);

// A cell the tests write and expect back.
struct TTestCell {
  enum Kind { Text, Number, Boolean, Blank };
  int Row = 0;
  int Col = 0;
  Kind Type = Text;
  WideString Str;
  double Num = 0;
  std::uint16_t XF = 15;
};
struct TTestSheet {
  WideString Title;
  std::vector<TTestCell> Cells;
};
// Writes the sheets through the writer into a new workbook file.
void WriteTestWorkbook(const std::string& path, const std::vector<TTestSheet>& sheets);
// The lines xlrd_dump.py prints for the sheets (titles as written).
std::string ExpectedDump(const std::vector<TTestSheet>& sheets);
// A sheet frame of default settings.
struct TxlsSheetFrame;
TxlsSheetFrame DefaultFrame(int index, const WideString& title);
