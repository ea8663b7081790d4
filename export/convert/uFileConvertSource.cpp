// The source of a conversion: opening a file as the current data.
#include <cstdint>
#include <new>

#include "DbTypes.h"
#include "Exception.h"
#include "FileNames.h"
#include "FileRoutines.h"
#include "Format.h"
#include "StringRoutines.h"
#include "TADOConnection.h"
#include "TADOTable.h"
#include "TClientDataSet.h"
#include "TDataSetProvider.h"
#include "TFileStream.h"
#include "TIniFile.h"
#include "TStringList.h"
#include "TextFormatSettings.h"
#include "uFileConvert.h"
#include "DbaseFormat.h"

namespace {

// The folder of a file, as a connection string value.
AnsiString folderOf(const AnsiString& FileName) { return ConnectionStringValue(ExtractFilePath(FileName)); }

// How the text reader reads a file of this format.
AnsiString schemaFormat(const TTextFormat& Format) {
  if (Format.Delimiter == '\t') return "TabDelimited";
  if (Format.Delimiter == ',') return "CSVDelimited";
  return AnsiString("Delimited(") + Format.Delimiter + ")";
}

// Enables a data set's controls again when a step leaves, however it leaves.
class TControlsDisabled {
public:
  explicit TControlsDisabled(TDataSet* DataSet) : dataSet_(DataSet) { dataSet_->DisableControls(); }
  ~TControlsDisabled() { dataSet_->EnableControls(); }
  TControlsDisabled(const TControlsDisabled&) = delete;
  TControlsDisabled& operator=(const TControlsDisabled&) = delete;

private:
  TDataSet* dataSet_;
};

}  // namespace

bool TdmUtils::OpenSource(const AnsiString& FileName) {
  // The platform's data access needs no per-thread initialisation.
  con1->Close();
  // The copy of an earlier source goes before the next is read, so that one table at most is
  // held in memory.
  ClientDataSet1->Close();
  FTableSource = false;
  if (!FileExists(FileName)) return fail("File not found: " + FileName);

  const AnsiString ext = LowerCase(ExtractFileExt(FileName));
  AnsiString connection;
  AnsiString tableName = ExtractFileName(FileName);
  if (ext == ".dbf") {
    FixDbfHeader(FileName);
    connection = Format(
        "Provider=Microsoft.Jet.OLEDB.4.0;Data Source=%s;Extended Properties=dBASE IV;User ID=Admin;Password=;",
        {folderOf(FileName)});
  } else if (ext == ".csv") {
    connection = Format(
        "Provider=Microsoft.Jet.OLEDB.4.0;Data Source=%s;Extended Properties=\"text;HDR=Yes;FMT=Delimited\";",
        {folderOf(FileName)});
  } else if (ext == ".txt") {
    const TTextFormatEntries entries = ReadTextFormatEntries(FSettingsFile);
    TTextFormat format;
    AnsiString reason;
    if (!TextFormatOf(entries, format, reason)) return fail(reason);
    writeTextSchema(FileName, format);
    connection = Format("Provider=Microsoft.Jet.OLEDB.4.0;Data Source=%s;Extended Properties=\"text;HDR=Yes;FMT=Fixed\";",
                        {folderOf(FileName)});
  } else if (ext == ".xls") {
    connection = Format(
        "Provider=Microsoft.Jet.OLEDB.4.0;Data Source=%s;Extended Properties=\"Excel 8.0;HDR=Yes;IMEX=1\";",
        {ConnectionStringValue(FileName)});
  } else if (ext == ".mdb") {
    connection = Format("Provider=Microsoft.Jet.OLEDB.4.0;Data Source=%s;User Id=admin;Password=;",
                        {ConnectionStringValue(FileName)});
  } else if (ext == ".xml") {
    ClientDataSet1->LoadFromFile(FileName);
    return true;
  } else {
    return fail("Not Support File Format:" + FileName);
  }
  con1->SetConnectionString(connection);
  if (ext == ".xls" || ext == ".mdb") tableName = GetFirstTableName();

  try {
    TControlsDisabled disabled(table1);
    table1->SetTableName(tableName);
    table1->Open();
    ClientDataSet1->SetData(DataSetProvider1->Data());
  } catch (const std::bad_alloc&) {
    return fail("Open file  as Database Error: not enough memory to hold " + FileName);
  } catch (const std::exception& e) {
    return fail(AnsiString("Open file  as Database Error: ") + e.what());
  }
  FTableSource = true;
  return true;
}

void TdmUtils::writeTextSchema(const AnsiString& FileName, const TTextFormat& Format) {
  // Only this file's section is rewritten: the others belong to the user's other files.
  const AnsiString section = ExtractFileName(FileName);
  TIniFile schema(ExtractFilePath(FileName) + "Schema.ini");
  schema.EraseSection(section);
  schema.WriteString(section, "ColNameHeader", Format.IncludeTitle ? "True" : "False");
  schema.WriteString(section, "Format", schemaFormat(Format));
  // A blank quote character needs the ini file's quotes to survive a read.
  schema.WriteString(section, "TextDelimiter", Format.Quote == ' ' ? AnsiString("\" \"") : AnsiString(1, Format.Quote));
}

void TdmUtils::FixDbfHeader(const AnsiString& FileName) {
  std::uint8_t version = 0;
  {
    TFileStream file(FileName, fmOpenRead | fmShareDenyNone);
    if (file.Read(&version, 1) != 1 || version != dbase::VersionVisualFoxPro) return;
  }
  // Only this byte changes: the terminal's data stays whole whatever happens here.
  TFileStream file(FileName, fmOpenWrite | fmShareDenyNone);
  const std::uint8_t plain = dbase::VersionDbase3;
  file.WriteBuffer(&plain, 1);
}

AnsiString TdmUtils::GetFirstTableName() {
  TStringList names;
  con1->GetTableNames(&names);
  return names.Count() > 0 ? names.Strings(0) : AnsiString();
}
