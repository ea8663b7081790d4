#include "uFileConvert.h"

#include <array>
#include <memory>
#include <new>

#include "FileNames.h"
#include "FileRoutines.h"
#include "IntegerText.h"
#include "StringRoutines.h"
#include "TADOConnection.h"
#include "TADOTable.h"
#include "TADO_DataExportAccess.h"
#include "TClientDataSet.h"
#include "TDataExportASCII.h"
#include "TDataExportDBF.h"
#include "TDataExportXLS.h"
#include "TExportFormats.h"
#include "TDataSetProvider.h"
#include "TypInfo.h"
#include "uFileConvert_p.h"
#include "uTextFormatConfig.h"

DEFINE_CLASS(TdmUtils, TDataModule)

TdmUtils* dmUtils = nullptr;

namespace {

const std::array<const char*, ConvertTypeCount> typeNames = {"ALL", "TXT", "CSV", "MDB", "XLS", "XML", "NONE", "DBF"};

// What "ALL" converts into, in this order.
constexpr std::array allTargets = {TConvertType::TXT, TConvertType::CSV, TConvertType::MDB, TConvertType::XLS,
                                   TConvertType::XML};

// The types a source may have.
constexpr std::array sourceTypes = {TConvertType::TXT, TConvertType::CSV, TConvertType::MDB,
                                    TConvertType::XLS, TConvertType::XML, TConvertType::DBF};

bool inTable(TConvertType Type) { return static_cast<int>(Type) < ConvertTypeCount; }

// The program's settings file: its own name with ".ini".
AnsiString programSettingsFile() { return ChangeFileExt(ProgramFileName(), ".ini"); }

template <class T>
T* component(TComponent* Owner, const char* Name) {
  auto* c = new T(Owner);
  c->SetName(Name);
  return c;
}

}  // namespace

AnsiString ConvertTypeName(TConvertType Type) {
  return inTable(Type) ? AnsiString(typeNames[static_cast<std::size_t>(Type)]) : AnsiString();
}

AnsiString GetFileTypeExt(TConvertType Type) {
  if (!inTable(Type) || Type == TConvertType::ALL || Type == TConvertType::NONE) return {};
  return "." + LowerCase(ConvertTypeName(Type));
}

AnsiString ChangeFileType(const AnsiString& FileName, TConvertType Type) {
  const AnsiString ext = GetFileTypeExt(Type);
  return ext.empty() ? FileName : ChangeFileExt(FileName, ext);
}

std::vector<TConvertType> ConvertTargets(TConvertType Type) {
  if (Type == TConvertType::ALL) return {allTargets.begin(), allTargets.end()};
  if (!inTable(Type) || Type == TConvertType::NONE) return {};
  return {Type};
}

AnsiString ConvertedFileName(const AnsiString& Source, const AnsiString& DestExt) {
  return ChangeFileExt(ExpandFileName(Source), DestExt);
}

bool ShowTextFormatConfig() {
  const AnsiString settings = dmUtils != nullptr ? dmUtils->SettingsFile() : programSettingsFile();
  auto free = [](TfrmTextFormatConfig* Form) { Form->Free(); };
  std::unique_ptr<TfrmTextFormatConfig, decltype(free)> form(new TfrmTextFormatConfig(nullptr, settings), free);
  form->AfterConstruction();
  return form->ShowModal() == mrOk;
}

TdmUtils::TdmUtils(TComponent* AOwner) : TDataModule(AOwner), FSettingsFile(programSettingsFile()) {
  SetName("dmUtils");
  con1 = component<TADOConnection>(this, "con1");
  con1->SetLoginPrompt(false);
  table1 = component<TADOTable>(this, "table1");
  table1->SetConnection(con1);
  table1->SetTableDirect(true);
  DataSetProvider1 = component<TDataSetProvider>(this, "DataSetProvider1");
  DataSetProvider1->SetDataSet(table1);
  ClientDataSet1 = component<TClientDataSet>(this, "ClientDataSet1");

  DataExportDBF1 = component<TDataExportDBF>(this, "DataExportDBF1");
  DataExportDBF1->SetDataSet(ClientDataSet1);
  DataExportDBF1->SetAutoCalcStrType(true);
  DataExportDBF1->SetPrintFile(true);
  DataExportDBF1->SetExportTimeAsStr(false);
  // An empty number is blanks in a dBASE table; the text "null" in a numeric field is no
  // number to any reader of the table.
  DataExportDBF1->SetNullValue("");
  DataExportDBF1->OnBeginExport = [this](TObject* Sender) { DataExportDBF1BeginExport(Sender); };

  ADO_DataExportAccess1 = component<TADO_DataExportAccess>(this, "ADO_DataExportAccess1");
  ADO_DataExportAccess1->SetDataSet(ClientDataSet1);
  ADO_DataExportAccess1->SetTableName(DefaultAccessTableName);
  ADO_DataExportAccess1->OnBeginExport = [this](TObject* Sender) { ADO_DataExportAccess1BeginExport(Sender); };
  SetExactFormats(ADO_DataExportAccess1->Formats());

  DataExportASCII1 = component<TDataExportASCII>(this, "DataExportASCII1");
  DataExportASCII1->SetDataSet(ClientDataSet1);
  DataExportASCII1->SetExportType(etCSV);
  DataExportASCII1->SetCSVComma(',');
  DataExportASCII1->Formats()->SetThousandSeparator(' ');
  SetExactFormats(DataExportASCII1->Formats());
  // Text is read back with "." as the decimal point whatever the locale.
  DataExportASCII1->Formats()->SetDecimalSeparator('.');

  // Its page footer, sheet title, bold captions and the looks of links and notes are the
  // exporter's defaults.
  DataExportXLS1 = component<TDataExportXLS>(this, "DataExportXLS1");
  DataExportXLS1->SetDataSet(ClientDataSet1);
  DataExportXLS1->SetAutoCalcStrType(true);
  DataExportXLS1->SetAutoCalcColWidth(true);

  if (dmUtils == nullptr) dmUtils = this;
}

TdmUtils::~TdmUtils() {
  if (dmUtils == this) dmUtils = nullptr;
}

bool TdmUtils::fail(const AnsiString& Text) {
  FLastError = Text;
  return false;
}

bool TdmUtils::ConvertFile(const AnsiString& Source, TConvertType Type) {
  if (Type == TConvertType::NONE) return true;
  // Every failure is answered by false and LastError: the transfers that call this go on with
  // their next file instead of ending without a word.
  try {
    if (Type == TConvertType::ALL) {
      for (TConvertType target : allTargets)
        if (!ConvertTo(Source, GetFileTypeExt(target))) return false;
      return true;
    }
    if (!inTable(Type)) return fail("Unknown convert type " + IntToStr(static_cast<int>(Type)));
    return ConvertTo(Source, GetFileTypeExt(Type));
  } catch (const std::bad_alloc&) {
    return fail("Not enough memory to convert " + Source);
  } catch (const std::exception& e) {
    return fail(e.what());
  }
}

bool TdmUtils::IsSupportedFile(const AnsiString& FileName) {
  const AnsiString ext = LowerCase(ExtractFileExt(FileName));
  for (TConvertType type : sourceTypes)
    if (ext == GetFileTypeExt(type)) return true;
  return false;
}
