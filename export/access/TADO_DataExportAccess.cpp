#include "TADO_DataExportAccess.h"

#include "ComObj.h"
#include "DatabaseFileKind.h"
#include "ExportMessages.h"
#include "IntegerText.h"
#include "ShellApi.h"
#include "TAccessWriter.h"
#include "TADOCommand.h"
#include "TExportCol.h"
#include "TExportColumn.h"
#include "TExportColumns.h"
#include "TExportFormats.h"
#include "TExportIniFile.h"
#include "TExportLocale.h"
#include "TExportRow.h"
#include "TypInfo.h"
#include "WinUser.h"

DEFINE_CLASS(TADO_DataExportAccess, TDataExportDatabase,
             Published::String("TableName", &TADO_DataExportAccess::TableName, &TADO_DataExportAccess::SetTableName),
             Published::String("Password", &TADO_DataExportAccess::Password, &TADO_DataExportAccess::SetPassword),
             Published::Boolean("AutoCreateDatabase", &TADO_DataExportAccess::AutoCreateDatabase,
                                &TADO_DataExportAccess::SetAutoCreateDatabase),
             Published::Boolean("AutoCreateTable", &TADO_DataExportAccess::AutoCreateTable,
                                &TADO_DataExportAccess::SetAutoCreateTable),
             Published::Boolean("DateTimeAsNvarchar", &TADO_DataExportAccess::DateTimeAsNvarchar,
                                &TADO_DataExportAccess::SetDateTimeAsNvarchar),
             Published::Boolean("LargeIntAsText", &TADO_DataExportAccess::LargeIntAsText,
                                &TADO_DataExportAccess::SetLargeIntAsText),
             Published::Enum("FileVersion", {HHM_ACCESS_FILE_VERSION_NAMES}, &TADO_DataExportAccess::FileVersion,
                             &TADO_DataExportAccess::SetFileVersion),
             Published::Boolean("ShowFile", &TADO_DataExportAccess::ShowFile, &TADO_DataExportAccess::SetShowFile),
             Published::Boolean("PrintFile", &TADO_DataExportAccess::PrintFile, &TADO_DataExportAccess::SetPrintFile))

namespace {

constexpr const char* AccessSection = "ACCESS";

// Access's own text types hold at most 255 characters; longer texts are memos.
constexpr int MaxAccessTextLength = 255;

}  // namespace

TAccessColumnType AccessColumnType(const TExportColumn& Column, bool DateTimeAsNvarchar, bool LargeIntAsText) {
  switch (Column.ColType()) {
    case ectInteger: return {"integer", ftInteger};
    case ectBigint:
      if (LargeIntAsText && Column.FieldType() == ftLargeint) return {"nvarchar(19)", ftWideString};
      return {"integer", ftInteger};
    case ectFloat: return {"double", ftFloat};
    case ectCurrency: return {"currency", ftCurrency};
    case ectDate:
    case ectTime:
    case ectDateTime:
      if (DateTimeAsNvarchar) return {"nvarchar(20)", ftWideString};
      return {"datetime", ftDateTime};
    case ectString:
      if (Column.IsBlob() || Column.IsMemo() || Column.Length() > MaxAccessTextLength) return {"memo", ftWideMemo};
      return {"nvarchar(" + IntToStr(Column.Length()) + ")", ftWideString};
    case ectBoolean: return {"LOGICAL", ftBoolean};
    default: return {"memo", ftWideMemo};
  }
}

AnsiString AccessColumnName(const AnsiString& Caption, int Index) {
  if (Caption.empty()) return "FIELD" + IntToStr(Index);
  // A bracketed name ends at the first "]"; the databases here know no escape for one inside.
  AnsiString name = Caption;
  for (char& c : name)
    if (c == ']') c = '_';
  return "[" + name + "]";
}

TADO_DataExportAccess::TADO_DataExportAccess(TComponent* AOwner) : TDataExportDatabase(AOwner) {
  Formats()->SetKeepOriginalFormat(false);
}

TADO_DataExportAccess::~TADO_DataExportAccess() = default;

TExportWriterClass TADO_DataExportAccess::WriterClass() { return ExportWriterClass<TAccessWriter>(); }

TAccessWriter* TADO_DataExportAccess::accessWriter() const { return static_cast<TAccessWriter*>(Writer()); }

void TADO_DataExportAccess::BeginExport() {
  TDataExportDatabase::BeginExport();
  // Refused before anything is written: the file stays as it was.
  if (DatabaseFileKind(DatabaseName()) == dfkAccess) RaiseExportError(SAccessDatabaseNotWritten, {DatabaseName()});
  if (!password_.empty()) RaiseExportError(SDatabasePasswordRefused, {DatabaseName()});

  AnsiString definitions, names, params;
  std::vector<TFieldType> types;
  TExportColumns* columns = Columns();
  for (int i = 0; i < columns->Count(); ++i) {
    AnsiString caption;
    GetColCaption(i, caption);
    const AnsiString name = AccessColumnName(caption, i);
    const TAccessColumnType type = AccessColumnType(*columns->Items(i), dateTimeAsNvarchar_, largeIntAsText_);
    const AnsiString separator = i == 0 ? "" : ",";
    definitions += separator + name + " " + type.SqlType;
    names += separator + name;
    params += separator + ":PARAM" + IntToStr(i);
    types.push_back(type.ParamType);
  }

  const AnsiString format = fileVersion_ == afvAccess2007 ? AccessAceConnectionFormat : AccessJetConnectionFormat;
  TAccessWriter* writer = accessWriter();
  if (autoCreateDatabase_) writer->CreateDatabase(format, DatabaseName());
  createStatement_ = "create table " + tableName_ + " (" + definitions + ")";
  if (autoCreateTable_)
    writer->CreateTableIfMissing(AccessConnectionString(format, DatabaseName()), tableName_, createStatement_);
  insertStatement_ = "insert into " + tableName_ + "(" + names + ") values(" + params + ")";
  writer->PrepareInsert(format, DatabaseName(), types, insertStatement_);
}

void TADO_DataExportAccess::WriteDataRow() {
  TAccessWriter* writer = accessWriter();
  TExportRow* row = Row();
  const WideString& nullText = Formats()->NULLString();
  for (int i = 0; i < row->Count(); ++i) {
    GetColText(row->Items(i), text_);
    if (text_ == nullText) text_.clear();
    writer->SetParam(i, text_);
  }
  writer->Command()->Execute();
}

void TADO_DataExportAccess::AfterExport() {
  TDataExportDatabase::AfterExport();
  accessWriter()->Commit();
}

void TADO_DataExportAccess::SaveToIni(TExportIniFile* IniFile) {
  TDataExportDatabase::SaveToIni(IniFile);
  IniFile->WriteInteger(AccessSection, "Version", static_cast<int>(fileVersion_));
}

void TADO_DataExportAccess::LoadFromIni(TExportIniFile* IniFile) {
  TDataExportDatabase::LoadFromIni(IniFile);
  const int version = IniFile->ReadInteger(AccessSection, "Version", static_cast<int>(fileVersion_));
  if (version == 0 || version == 1) fileVersion_ = static_cast<TAccessFileVersion>(version);
}

void TADO_DataExportAccess::ShowOrPrintFile() {
  if (printFile_) {
    try {
      accessApp_ = CreateOleObject("Access.Application");
    } catch (const EOleError&) {
      accessApp_.reset();
      RaiseExportError(SMSAccessNotInstalled);
    }
    accessApp_->Invoke("OpenCurrentDatabase", {Variant(DatabaseName()), Variant(false)});
    if (showFile_) accessApp_->Invoke("Visible", {Variant(true)});
    accessApp_->Invoke("DoCmd.OpenTable", {Variant(tableName_), Variant(0), Variant(1)});
    accessApp_->Invoke("DoCmd.PrintOut", {});
    // Shown, Access stays open for the user; otherwise it is released now.
    if (!showFile_) accessApp_.reset();
    return;
  }
  if (showFile_) ShellExecute(nullptr, "open", DatabaseName(), "", "", SW_SHOWNORMAL);
}
