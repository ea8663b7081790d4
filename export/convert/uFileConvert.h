// uFileConvert: the program's file conversion service.
//
// The terminal keeps its data as dBASE files. After a file has come from the terminal the
// worker converts it, next to it and under the same base name, into the type the user chose;
// before a PC file of the chosen type is sent, it is converted into dBASE and the dBASE file is
// sent instead.
//
//   if (!dmUtils->ConvertFile(dir + "CBSJ.DBF", TConvertType::XLS))
//     show("Convert File Type Error:" + dmUtils->LastError());
//
// The data module is created once by the main window, which owns it, and kept in dmUtils. A
// conversion runs synchronously on the calling thread; the caller runs one at a time.
//
// A conversion opens the source as a table through the data access layer (con1, table1) or
// loads it as an XML data packet, copies it once into the client data set ClientDataSet1 and
// lets one exporter write the target from there:
//   source  ".dbf" dBASE (a first byte "0" is mended to 0x03 in place), ".csv" CSV with a
//           caption line, ".txt" delimited text in the TEXTFORMAT format (its section of the
//           folder's "Schema.ini" says how; other sections are kept), ".xls" the first sheet,
//           ".mdb" the first table of a SQLite database written here or of an Access database,
//           ".xml" an XML data packet;
//   target  ".dbf" DataExportDBF1 (text lengths from the longest value + 2, number layouts as
//           the source declares them or as wide as the values need), ".txt" and ".csv"
//           DataExportASCII1 (TEXTFORMAT, or the CSV settings: ",", double quotes, captions),
//           ".mdb" ADO_DataExportAccess1 (the table "ExportResult" of a SQLite database; that
//           table of a database written before is replaced, its other tables kept), ".xls"
//           DataExportXLS1, ".xml" the client data set's XML data packet.
// Every target is written whole or not at all: a conversion that fails leaves no part of a
// target and an earlier file of that name as it was. The source is never changed, except for
// the one header byte of a dBASE file and its section of "Schema.ini". Numbers, dates and
// times are written to text and database targets in forms that read back as the same values
// (integers without grouping, floats with all their digits, ISO dates with seconds).
//
// Failures: ConvertFile answers false and leaves the reason in LastError: "Not Support File
// Format:" + the source, "File not found: " + the source, "Open file  as Database Error: " +
// the reader's message, or the message of whatever failed while the target was written. The
// other members raise as the data access layer and the exporters do.
#pragma once

#include <cstdint>
#include <vector>

#include "System.h"
#include "TDataModule.h"

// The types a file can be converted into. The pages offer ALL to NONE (in this order, and the
// settings store that index); DBF, the terminal's own format, is the target before sending.
enum class TConvertType : std::uint8_t { ALL = 0, TXT = 1, CSV = 2, MDB = 3, XLS = 4, XML = 5, NONE = 6, DBF = 7 };

inline constexpr int ConvertTypeCount = 8;

// The type's name ("ALL", "TXT", ... "DBF"); "" for a value outside the table.
AnsiString ConvertTypeName(TConvertType Type);
// "." and the type's name in lower case (".txt"); "" for ALL, NONE and values outside the table.
AnsiString GetFileTypeExt(TConvertType Type);
// FileName with its extension replaced by GetFileTypeExt(Type) ("a.DBF", XLS -> "a.xls");
// FileName unchanged for ALL, NONE and values outside the table.
AnsiString ChangeFileType(const AnsiString& FileName, TConvertType Type);
// The types a conversion into Type writes, one file each, in the order it writes them: TXT,
// CSV, MDB, XLS and XML for ALL, none for NONE and values outside the table, else Type.
std::vector<TConvertType> ConvertTargets(TConvertType Type);
// The file a conversion of Source into the extension DestExt writes: beside the source (a name
// without a folder is in the current folder), under the source's base name, with DestExt as
// it is given ("/pc/CBSJ.TXT", ".dbf" -> "/pc/CBSJ.dbf").
AnsiString ConvertedFileName(const AnsiString& Source, const AnsiString& DestExt);
// Shows the text-format dialog (uTextFormatConfig.h) modally, made without an owner and freed
// when it closes, on the settings file of dmUtils (the program's own without one); true when
// it was closed with OK.
bool ShowTextFormatConfig();

class TADOConnection;
class TADOTable;
class TDataSetProvider;
class TClientDataSet;
class TADO_DataExportAccess;
class TDataExportASCII;
class TDataExportDBF;
class TDataExportXLS;
class TDataExport;
class TExportFormats;
struct TTextFormat;

class TdmUtils : public TDataModule {
  DECLARE_CLASS(TdmUtils, TDataModule)

  explicit TdmUtils(TComponent* AOwner);
  ~TdmUtils() override;

  TADOConnection* con1;
  TADOTable* table1;
  TDataSetProvider* DataSetProvider1;
  TClientDataSet* ClientDataSet1;
  TDataExportDBF* DataExportDBF1;
  TADO_DataExportAccess* ADO_DataExportAccess1;
  TDataExportASCII* DataExportASCII1;
  TDataExportXLS* DataExportXLS1;

  // Converts Source into Type next to it: ALL into TXT, CSV, MDB, XLS and XML in that order
  // (stopping at the first failure; the targets written before it stay), NONE into nothing
  // (true), any other type into that one. False when the conversion failed, with the reason in
  // LastError; nothing raises out of it.
  bool ConvertFile(const AnsiString& Source, TConvertType Type);
  // Converts Source into the extension DestExt (".txt" ...). The source is opened first; a
  // source that already has that extension (without regard to case) writes nothing and
  // answers true. False for an unsupported source or target, a missing source or one that
  // cannot be read (LastError says why); errors while the target is written raise.
  bool ConvertTo(const AnsiString& Source, const AnsiString& DestExt);
  // Opens FileName as the current data (ClientDataSet1). False for an unsupported extension, a
  // missing file, and a file the reader refuses (LastError then holds "Open file  as Database
  // Error: " and the reader's message). Raises when a dBASE header byte or "Schema.ini" cannot
  // be written or an XML data packet cannot be read.
  bool OpenSource(const AnsiString& FileName);
  // The extension (in lower case) is that of TXT, CSV, MDB, XLS, XML or DBF.
  bool IsSupportedFile(const AnsiString& FileName);
  // Some tools mark a plain dBASE table with the version byte "0" (0x30), which the dBASE
  // readers refuse: that byte becomes 0x03, in place. Any other file is not touched.
  void FixDbfHeader(const AnsiString& FileName);
  // The first table con1 lists (sheets of a workbook, tables of a database); "" for none.
  AnsiString GetFirstTableName();
  // The dBASE exporter's begin-export event, in one pass over the records: every text field's
  // length becomes its longest value's length in the ANSI code page + 2 (ColumnsLength,
  // cleared first; for an XML packet only where its declared size is too short). Every number
  // field gets a layout (ColumnsPrecision, cleared first) that writes each of its values with
  // all its digits: the size and decimals its source declares (a dBASE table, a packet
  // written from one, a database's numeric(p,s)), else a float field's N(15,4), widened where
  // a value needs more decimals or digits; an integer field without one keeps its N 11 or
  // N 20. A text longer than a dBASE field holds (254 bytes), a memo longer than the memo file
  // holds (65536 bytes) or a number longer than a number field holds (20 characters) ends the
  // export: the table would lose it.
  void DataExportDBF1BeginExport(TObject* Sender);
  // The Access exporter's begin-export event: a 64-bit integer field whose values all fit 32
  // bits (a dBASE number field of 10 to 18 digits) is declared an integer column, not the text
  // column that keeps larger numbers whole.
  void ADO_DataExportAccess1BeginExport(TObject* Sender);
  // The text of the last failure the service reported; never cleared, so a conversion that
  // succeeds leaves it as it was.
  const AnsiString& LastError() const { return FLastError; }

  // The settings file whose section "TEXTFORMAT" the ".txt" conversions read (default: the
  // program's file name with ".ini"; "" reads the defaults).
  const AnsiString& SettingsFile() const { return FSettingsFile; }
  void SetSettingsFile(const AnsiString& Value) { FSettingsFile = Value; }

private:
  // The targets, one routine each; they raise when the exporter does.
  void exportDbf(const AnsiString& Dest);
  // The ".txt" target in the TEXTFORMAT format; false (LastError set) for a format that could
  // not be read back.
  bool exportText(const AnsiString& Dest);
  void exportCsv(const AnsiString& Dest);
  void exportAccess(const AnsiString& Dest);
  void exportXls(const AnsiString& Dest);
  void exportXml(const AnsiString& Dest);
  // Sets LastError and answers false.
  bool fail(const AnsiString& Text);
  // A ".txt" source's section of "Schema.ini" in its folder.
  void writeTextSchema(const AnsiString& FileName, const TTextFormat& Format);
  // Conversions write every field of the source, memos included.
  void exportAllFields(TDataExport* Export, bool WithBinary);

  AnsiString FLastError;
  AnsiString FSettingsFile;
  // The source now open came through table1 (not an XML packet).
  bool FTableSource = false;
};

// The program's one conversion data module (nullptr before the main window creates it and
// after it is gone).
extern TdmUtils* dmUtils;
