#include "ExportFixture.h"

#include "ClasslibGui.h"
#include "TClientDataSet.h"
#include "CodePage.h"
#include "DataExportUnit.h"
#include "Forms.h"
#include "IntegerText.h"
#include "TApplication.h"
#include "TExportCol.h"
#include "TExportColumns.h"
#include "TExportCustomColumns.h"
#include "TExportRow.h"
#include "TForm.h"
#include "TListColumn.h"
#include "TListColumns.h"
#include "TListItem.h"
#include "TListItems.h"
#include "TListView.h"
#include "TMemoryStream.h"
#include "TScreen.h"
#include "TStrings.h"
#include "TypInfo.h"

namespace {

class ExportEnvironment : public ::testing::Environment {
public:
  void SetUp() override {
    ClasslibGuiInitialize();
    DataExportInitialize();
  }
  void TearDown() override {
    DataExportFinalize();
    ClasslibGuiFinalize();
  }
};

[[maybe_unused]] ::testing::Environment* const environment = ::testing::AddGlobalTestEnvironment(new ExportEnvironment);

}  // namespace

DEFINE_CLASS(TLineExport, TDataExport, Published::Event("OnFetchedRecord", &TDataExport::OnFetchedRecord))

TLineExport::TLineExport(TComponent* AOwner) : TDataExport(AOwner) {
  OnSkippedRecord = [this](TObject*, int n) { Trace.push_back("skipped " + std::to_string(n)); };
  OnExportedRecord = [this](TObject*, int n) { Trace.push_back("exported " + std::to_string(n)); };
}

void TLineExport::BeginExport() {
  TDataExport::BeginExport();
  Trace.push_back("begin");
}

void TLineExport::BeforeExport() {
  TDataExport::BeforeExport();
  Trace.push_back("before");
}

void TLineExport::AfterExport() {
  TDataExport::AfterExport();
  Trace.push_back("after");
}

void TLineExport::EndExport() {
  Trace.push_back("end");
  TDataExport::EndExport();
}

void TLineExport::WriteCaptionRow() {
  Trace.push_back("caption");
  WideString line;
  AnsiString caption;
  for (int i = 0; i < Columns()->Count(); ++i) {
    GetColCaption(i, caption);
    if (i > 0) line += u";";
    line += AnsiToWide(caption);
  }
  Writer()->WriteLn(line);
}

void TLineExport::WriteDataRow() {
  Trace.push_back("row " + std::to_string(RecNo()));
  WideString line, text;
  for (int i = 0; i < Row()->Count(); ++i) {
    GetColText(Row()->Items(i), text);
    if (i > 0) line += u";";
    line += text;
  }
  Writer()->WriteLn(line);
}

void ExportTest::SetUp() {
  Application->SetTestHook(&hook);
  owner = new TComponent(nullptr);
  form = NewForm<TForm>(nullptr);
  form->SetBounds(0, 0, 640, 480);
}

void ExportTest::TearDown() {
  delete owner;
  form->Free();
  Application->ProcessMessages();
  Application->SetTestHook(nullptr);
  EXPECT_EQ(Screen->FormCount(), 0) << "a form leaked";
}

TListView* ExportTest::NewListView(std::initializer_list<const char*> Columns,
                                   std::initializer_list<std::initializer_list<const char*>> Rows) {
  auto* view = new TListView(form);
  view->SetParent(form);
  view->SetBounds(0, 0, 600, 400);
  view->SetViewStyle(vsReport);
  for (const char* caption : Columns) {
    TListColumn* column = view->Columns()->Add();
    column->SetCaption(Utf8ToAnsi(caption));
    column->SetWidth(100);
  }
  for (const auto& row : Rows) {
    TListItem* item = view->Items()->Add();
    int i = 0;
    for (const char* cell : row) {
      if (i++ == 0)
        item->SetCaption(Utf8ToAnsi(cell));
      else
        item->SubItems()->Add(Utf8ToAnsi(cell));
    }
  }
  return view;
}

TExportCustomSource* ExportTest::NewCustomSource(std::vector<std::pair<const char*, TExportColType>> Columns,
                                                 std::vector<std::vector<Variant>> Rows) {
  auto* source = new TExportCustomSource(owner);
  for (auto [name, type] : Columns) {
    TExportCustomColumn* column = source->Columns()->Add();
    column->SetColumnName(name);
    column->SetCaption(name);
    column->SetColumnType(type);
  }
  customRows_.push_back(std::move(Rows));
  const std::size_t slot = customRows_.size() - 1;
  source->OnGetNextRecord = [this, slot](TObject*, int RecNo, bool& Eof) {
    Eof = RecNo >= static_cast<int>(customRows_[slot].size());
  };
  source->OnGetColumnValue = [this, slot](TObject*, int RecNo, TExportCustomColumn* Column, Variant& Value) {
    const auto& rows = customRows_[slot];
    if (RecNo >= 1 && RecNo <= static_cast<int>(rows.size())) Value = rows[RecNo - 1].at(Column->Index());
  };
  return source;
}

TClientDataSet* ExportTest::NewDataSet(std::vector<TDbColumn> Columns, std::vector<std::vector<Variant>> Rows) {
  TDataPacket packet(std::move(Columns));
  for (const auto& row : Rows) packet.AppendRecord(row);
  auto* ds = new TClientDataSet(owner);
  ds->SetData(std::move(packet));
  return ds;
}

std::string ExportTest::ExportBytes(TDataExport* Export) {
  TMemoryStream stream;
  Export->ExportToStream(&stream);
  return std::string(stream.Memory(), static_cast<std::size_t>(stream.Size()));
}
