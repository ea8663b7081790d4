#include "TExportColumns.h"

#include <gtest/gtest.h>

#include "ExportFixture.h"
#include "TExportColumn.h"
#include "TExportCustomColumns.h"
#include "TExportFormats.h"
#include "TFontMetrics.h"
#include "TListView.h"
#include "TStrings.h"
#include "TypInfo.h"

namespace {

// An exporter that publishes every per-column list, as the file exporters do.
class TColumnsExport : public TLineExport {
  DECLARE_CLASS(TColumnsExport, TLineExport)

  using TLineExport::TLineExport;
};

DEFINE_CLASS(TColumnsExport, TLineExport,
             Published::Class("Captions", &TDataExport::Captions, &TDataExport::SetCaptions),
             Published::Class("Formats", &TDataExport::Formats, &TDataExport::SetFormats),
             Published::Class("UserFormats", &TDataExport::UserFormats, &TDataExport::SetUserFormats),
             Published::Class("ColumnsWidth", &TDataExport::ColumnsWidth, &TDataExport::SetColumnsWidth),
             Published::Class("ColumnsAlign", &TDataExport::ColumnsAlign, &TDataExport::SetColumnsAlign),
             Published::Class("ColumnsLength", &TDataExport::ColumnsLength, &TDataExport::SetColumnsLength))

class TExportColumnsTest : public ExportTest {
protected:
  TLineExport* listViewExport(TListView* View) {
    auto* e = new TLineExport(owner);
    e->SetExportSource(esListView);
    e->SetListView(View);
    return e;
  }
  std::vector<std::string> names(TExportColumns* c) {
    std::vector<std::string> out;
    for (int i = 0; i < c->Count(); ++i) out.push_back(c->Items(i)->Name());
    return out;
  }
};

}  // namespace

TEST_F(TExportColumnsTest, DigitWidthCountsDigitsSeparatorsAndDecimals) {
  EXPECT_EQ(DigitWidth(4, "#,###,##0"), 13);
  EXPECT_EQ(DigitWidth(8, "#,###,##0.00"), 29);
  EXPECT_EQ(DigitWidth(2, "0"), 5);
  EXPECT_EQ(DigitWidth(1, "0.0.0"), 3 + 4);
}

TEST_F(TExportColumnsTest, AListViewGivesItsCaptionsWidthsAndTypes) {
  TListView* view = NewListView({"Name", "Amount", "Paid"}, {{"x", "12", "true"}});
  TLineExport* e = listViewExport(view);
  e->Columns()->Fill(false);
  ASSERT_EQ(e->Columns()->Count(), 3);
  TExportColumn* amount = e->Columns()->Items(1);
  EXPECT_EQ(amount->Name(), "Amount");
  EXPECT_EQ(amount->Caption(), "Amount");
  EXPECT_EQ(amount->ColType(), ectString);
  EXPECT_EQ(amount->Length(), 255);
  EXPECT_EQ(amount->Width(), 100 / TFontMetrics(*view->Font()).TextWidth(u"X"));
  EXPECT_EQ(amount->Align(), ExportAlignLeft);
  e->SetAutoCalcStrType(true);
  e->Columns()->Fill(false);
  EXPECT_EQ(e->Columns()->Items(0)->ColType(), ectString);
  EXPECT_EQ(e->Columns()->Items(1)->ColType(), ectInteger);
  EXPECT_EQ(e->Columns()->Items(1)->Format(), "");  // this exporter publishes no Formats
  EXPECT_EQ(e->Columns()->Items(1)->Align(), ExportAlignRight);
  EXPECT_EQ(e->Columns()->Items(1)->Length(), 0);
  EXPECT_EQ(e->Columns()->Items(2)->ColType(), ectBoolean);
  EXPECT_EQ(e->Columns()->Items(2)->Align(), ExportAlignCenter);
}

TEST_F(TExportColumnsTest, ExportedFieldsChooseAndOrderColumnsAndDropUnknownOnes) {
  TLineExport* e = listViewExport(NewListView({"A", "B", "b"}, {}));
  e->ExportedFields()->SetText("b\r\nmissing\r\nA\r\n");
  e->Columns()->Fill(false);
  EXPECT_EQ(names(e->Columns()), (std::vector<std::string>{"b", "A"}));
  EXPECT_EQ(e->Columns()->Items(0)->ColumnIndex(), 2);  // the last column of that caption
}

TEST_F(TExportColumnsTest, SettingListsApplyToTheColumnOfTheirName) {
  auto* e = new TColumnsExport(owner);
  e->SetExportSource(esListView);
  e->SetListView(NewListView({"Amount", "Name", "Code"}, {}));
  e->Captions()->SetText("amount=Sum\r\nAmount=ignored\r\n");
  e->ColumnsWidth()->SetText("Name=30\r\nCode=x\r\n");
  e->ColumnsAlign()->SetText("Amount=right\r\nName=x\r\nCode=center\r\n");
  e->ColumnsLength()->SetText("Name=40\r\nCode=abc\r\n");
  e->UserFormats()->SetText("Amount=#,##0.000\r\n");
  e->Columns()->Fill(false);
  TExportColumns* c = e->Columns();
  EXPECT_EQ(c->Items(0)->Caption(), "Sum");
  EXPECT_EQ(c->Items(1)->Width(), 30);
  EXPECT_EQ(c->Items(2)->Width(), 0);
  EXPECT_EQ(c->Items(0)->Align(), ExportAlignRight);
  EXPECT_EQ(c->Items(1)->Align(), ExportAlignLeft);
  EXPECT_EQ(c->Items(2)->Align(), ExportAlignCenter);
  EXPECT_EQ(c->Items(1)->Length(), 40);
  EXPECT_EQ(c->Items(2)->Length(), 255);
  EXPECT_EQ(c->Items(0)->Format(), "#,##0.000");
  EXPECT_EQ(c->IndexOfName("CODE"), 2);
  EXPECT_EQ(c->IndexOfName("none"), -1);
}

TEST_F(TExportColumnsTest, ListsTheOwnerDoesNotPublishAreNotApplied) {
  TLineExport* e = listViewExport(NewListView({"Amount"}, {}));
  e->Captions()->SetText("Amount=Sum\r\n");
  e->ColumnsAlign()->SetText("Amount=R\r\n");
  e->Columns()->Fill(false);
  EXPECT_EQ(e->Columns()->Items(0)->Caption(), "Amount");
  EXPECT_EQ(e->Columns()->Items(0)->Align(), ExportAlignLeft);
}

TEST_F(TExportColumnsTest, TheFormatsGiveEachTypeItsMask) {
  auto* e = new TColumnsExport(owner);
  e->SetExportSource(esCustom);
  e->SetCustomSource(NewCustomSource({{"I", ectInteger}, {"B", ectBigint}, {"F", ectFloat}, {"C", ectCurrency},
                                      {"D", ectDate}, {"T", ectTime}, {"DT", ectDateTime}, {"S", ectString}},
                                     {}));
  e->Formats()->SetCurrencyFormat("0.00 C");
  e->Columns()->Fill(false);
  TExportFormats* f = e->Formats();
  const AnsiString expected[] = {f->IntegerFormat(), f->IntegerFormat(), f->FloatFormat(),  "0.00 C",
                                 f->DateFormat(),    f->TimeFormat(),    f->DateTimeFormat(), ""};
  for (int i = 0; i < 8; ++i) EXPECT_EQ(e->Columns()->Items(i)->Format(), expected[i]) << i;
  EXPECT_TRUE(e->Columns()->Items(6)->AllowFormat());
  EXPECT_FALSE(e->Columns()->Items(6)->IsNumeric());
  EXPECT_TRUE(e->Columns()->Items(3)->IsNumeric());
  EXPECT_TRUE(e->Columns()->Items(7)->IsString());
}

TEST_F(TExportColumnsTest, ACustomSourceGivesItsColumnSettings) {
  TExportCustomSource* source = NewCustomSource({{"Qty", ectInteger}, {"Memo", ectString}}, {});
  source->Columns()->Items(0)->SetWidth(7);
  source->Columns()->Items(1)->SetSize(1000);
  source->Columns()->Items(1)->SetCaption("Note");
  auto* e = new TLineExport(owner);
  e->SetExportSource(esCustom);
  e->SetCustomSource(source);
  e->ExportedFields()->SetText("Memo\r\nnope\r\nQty\r\n");
  e->Columns()->Fill(false);
  ASSERT_EQ(e->Columns()->Count(), 2);
  EXPECT_EQ(e->Columns()->Items(0)->Caption(), "Note");
  EXPECT_EQ(e->Columns()->Items(0)->Length(), 255);
  EXPECT_EQ(e->Columns()->Items(1)->Width(), 7);
  EXPECT_EQ(e->Columns()->Items(1)->ColType(), ectInteger);
  EXPECT_FALSE(e->Columns()->HasBlob());
  e->Columns()->Items(1)->SetWorkValue(5);
  e->Columns()->ClearWorkValues();
  EXPECT_EQ(e->Columns()->Items(1)->WorkValue(), 0);
}

TEST_F(TExportColumnsTest, ColumnWidthsGrowToTheLongestValueOfTheExportedRecords) {
  TExportCustomSource* source = NewCustomSource({{"A", ectString}, {"LongCaption", ectString}},
                                                {{"1", "x"}, {"123456", "y"}, {"1234567890", "z"}});
  source->Columns()->Items(0)->SetWidth(2);
  source->Columns()->Items(1)->SetWidth(2);
  auto* e = new TLineExport(owner);
  e->SetExportSource(esCustom);
  e->SetCustomSource(source);
  e->SetExportRecCount(2);
  std::vector<int> fetched;
  e->OnFetchedRecord = [&](TObject*, int n) { fetched.push_back(n); };
  e->Columns()->Fill(false);
  e->Columns()->CalcColWidths(true);
  EXPECT_EQ(e->Columns()->Items(0)->Width(), 6);   // the third record is past ExportRecCount
  EXPECT_EQ(e->Columns()->Items(1)->Width(), 11);  // the caption is the longest
  EXPECT_EQ(fetched, (std::vector<int>{1, 2}));
  EXPECT_EQ(source->RecNo(), 1);  // back where it stood
}
