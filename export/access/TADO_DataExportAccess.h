// TADO_DataExportAccess: writes the rows of an export into a table of an Access-type database
// through the data access layer. Nothing on this platform writes Access files, so the database
// is a SQLite 3 file under the name given (DatabaseName, usually ".mdb"); the data access layer,
// sqlite3 and Python's sqlite3 read it back with the column types declared below.
//
// BeginExport, after the base step:
//   - a real Access (Jet or ACE) database at DatabaseName is refused (34026) and left as it is,
//     and so is a Password (34027): SQLite databases carry none;
//   - AutoCreateDatabase: a missing file is created through "ADOX.Catalog";
//   - AutoCreateTable: "create table TABLE (definitions)" unless the database has a table of
//     that name (without regard to case);
//   - "insert into TABLE(names) values(:PARAM0,:PARAM1,...)" is prepared.
// Each column is "[" caption "]" (a "]" in the caption becomes "_"), or FIELD<index> for an
// empty caption, and is declared by its type:
//   ectInteger integer            ectBigint integer, nvarchar(19) with LargeIntAsText and a
//   ectFloat double                          64-bit integer source field
//   ectCurrency currency          ectDate/ectTime/ectDateTime datetime, nvarchar(20) with
//   ectBoolean LOGICAL                       DateTimeAsNvarchar
//   ectString nvarchar(Length), memo for a blob or memo column or a Length above 255
//   ectUnknown memo
// Each row runs the insert once with the cells' texts (GetColText); a text equal to
// Formats.NULLString stores NULL. The data access layer converts every text to its column's
// declared type and keeps the whole insert in one transaction, committed after the last row
// (a commit that fails, a full disk, fails the export). A table that exists already is filled
// as it is: rows are appended.
//
// After the export: PrintFile needs the Access application (34024, "You need install and
// register the MS Access application", as on a PC without it); otherwise ShowFile asks the
// desktop to open the database with its handler.
//
// Errors: the data access layer's (database or statement refused, a value that does not
// convert) pass as they are; a catalog that cannot create the file raises Exception with its
// message. Rows inserted before a failure stay in the database.
//
// Published, after those of TDataExportDatabase: TableName ("ExportResult"), Password (""),
// AutoCreateDatabase (True), AutoCreateTable (True), DateTimeAsNvarchar (False),
// LargeIntAsText (True), FileVersion (afvAccess2003), ShowFile (False), PrintFile (False).
// Ini settings: section ACCESS, key Version (FileVersion as 0 or 1).
#pragma once

#include <memory>
#include <vector>

#include "DbTypes.h"
#include "TDataExportDatabase.h"

class TAccessWriter;
class TAutomationObject;
class TExportColumn;

// The database engine: Jet 4.0 (Access 2000-2003 files) or ACE 12.0 (Access 2007).
enum class TAccessFileVersion { afvAccess2003, afvAccess2007 };
using enum TAccessFileVersion;

#define HHM_ACCESS_FILE_VERSION_NAMES "afvAccess2003", "afvAccess2007"

inline constexpr const char* AccessJetConnectionFormat = "Provider=Microsoft.Jet.OLEDB.4.0;Data Source=%s";
inline constexpr const char* AccessAceConnectionFormat = "Provider=Microsoft.ACE.OLEDB.12.0;Data Source=%s";
inline constexpr const char* DefaultAccessTableName = "ExportResult";

class TADO_DataExportAccess : public TDataExportDatabase {
  DECLARE_CLASS(TADO_DataExportAccess, TDataExportDatabase)

  explicit TADO_DataExportAccess(TComponent* AOwner);
  ~TADO_DataExportAccess() override;

  const AnsiString& TableName() const { return tableName_; }
  void SetTableName(const AnsiString& Value) { tableName_ = Value; }
  const AnsiString& Password() const { return password_; }
  void SetPassword(const AnsiString& Value) { password_ = Value; }
  bool AutoCreateDatabase() const { return autoCreateDatabase_; }
  void SetAutoCreateDatabase(bool Value) { autoCreateDatabase_ = Value; }
  bool AutoCreateTable() const { return autoCreateTable_; }
  void SetAutoCreateTable(bool Value) { autoCreateTable_ = Value; }
  bool DateTimeAsNvarchar() const { return dateTimeAsNvarchar_; }
  void SetDateTimeAsNvarchar(bool Value) { dateTimeAsNvarchar_ = Value; }
  bool LargeIntAsText() const { return largeIntAsText_; }
  void SetLargeIntAsText(bool Value) { largeIntAsText_ = Value; }
  TAccessFileVersion FileVersion() const { return fileVersion_; }
  void SetFileVersion(TAccessFileVersion Value) { fileVersion_ = Value; }
  bool ShowFile() const { return showFile_; }
  void SetShowFile(bool Value) { showFile_ = Value; }
  bool PrintFile() const { return printFile_; }
  void SetPrintFile(bool Value) { printFile_ = Value; }

  TExportWriterClass WriterClass() override;
  void BeginExport() override;
  void WriteDataRow() override;
  // After the last row: the rows are committed to the file, so that one that cannot be written
  // fails the export instead of vanishing when the writer closes.
  void AfterExport() override;
  void SaveToIni(TExportIniFile* IniFile) override;
  void LoadFromIni(TExportIniFile* IniFile) override;
  void ShowOrPrintFile() override;

  // The statements the last BeginExport ran and prepared.
  const AnsiString& CreateStatement() const { return createStatement_; }
  const AnsiString& InsertStatement() const { return insertStatement_; }

private:
  TAccessWriter* accessWriter() const;

  AnsiString tableName_ = DefaultAccessTableName;
  AnsiString password_;
  bool autoCreateDatabase_ = true;
  bool autoCreateTable_ = true;
  bool dateTimeAsNvarchar_ = false;
  bool largeIntAsText_ = true;
  TAccessFileVersion fileVersion_ = afvAccess2003;
  bool showFile_ = false;
  bool printFile_ = false;
  AnsiString createStatement_;
  AnsiString insertStatement_;
  WideString text_;  // a cell's text, kept to reuse its storage
  // The Access application while it shows a printed table (AccessApp).
  std::unique_ptr<TAutomationObject> accessApp_;
};

// How one column is declared: its SQL type text and the data type of its parameter.
struct TAccessColumnType {
  AnsiString SqlType;
  TFieldType ParamType = ftUnknown;
};
TAccessColumnType AccessColumnType(const TExportColumn& Column, bool DateTimeAsNvarchar, bool LargeIntAsText);
// The column's name in the statements: "[" + Caption + "]", FIELD<Index> for an empty caption.
AnsiString AccessColumnName(const AnsiString& Caption, int Index);
