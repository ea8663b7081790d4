// Exports read from data sets: the driver's checks, the columns a data set gives and the texts
// of its values.
#include <gtest/gtest.h>

#include "DateRoutines.h"
#include "ExportFixture.h"
#include "TClientDataSet.h"
#include "TExportColumn.h"
#include "TExportColumns.h"
#include "TExportFormats.h"
#include "TField.h"
#include "TMemoryStream.h"
#include "TStrings.h"
#include "TypInfo.h"

namespace {

using Trace = std::vector<std::string>;

// An exporter that publishes the lists and formats a file exporter publishes.
class TListsExport : public TLineExport {
  DECLARE_CLASS(TListsExport, TLineExport)

  using TLineExport::TLineExport;
};

DEFINE_CLASS(TListsExport, TLineExport,
             Published::Class("Captions", &TDataExport::Captions, &TDataExport::SetCaptions),
             Published::Class("Formats", &TDataExport::Formats, &TDataExport::SetFormats),
             Published::Class("UserFormats", &TDataExport::UserFormats, &TDataExport::SetUserFormats))

class ExportDataSetTest : public ExportTest {
protected:
  void SetUp() override {
    ExportTest::SetUp();
    saved_ = GetFormatSettings();
    SetFormatSettings(TFormatSettings());
  }
  void TearDown() override {
    SetFormatSettings(saved_);
    ExportTest::TearDown();
  }
  // Meter readings: a code, a reading, a date and a remark.
  TClientDataSet* readings(int Count) {
    std::vector<std::vector<Variant>> rows;
    for (int i = 1; i <= Count; ++i)
      rows.push_back({Variant("M" + std::to_string(i)), Variant(i * 100), VarFromDateTime(EncodeDate(2026, 12, i)),
                      Variant("memo " + std::to_string(i))});
    return NewDataSet({Column("CODE", ftString, 8), Column("READING", ftInteger), Column("DAY", ftDate),
                       Column("REMARK", ftMemo)},
                      rows);
  }
  TListsExport* exporterOf(TDataSet* DataSet) {
    auto* e = new TListsExport(owner);
    e->SetDataSet(DataSet);
    e->Formats()->SetDateFormat("yyyy-mm-dd");
    return e;
  }

private:
  TFormatSettings saved_;
};

}  // namespace

TEST_F(ExportDataSetTest, ADataSetIsExportedWithoutItsMemoFieldsUnlessListed) {
  TListsExport* e = exporterOf(readings(2));
  EXPECT_EQ(ExportBytes(e), "CODE;READING;DAY\r\nM1;100;2026-12-01\r\nM2;200;2026-12-02\r\n");
  e->ExportedFields()->SetText("REMARK\r\nREADING=Value\r\n");
  e->Captions()->SetText("Value=Reading (kWh)\r\n");
  EXPECT_EQ(ExportBytes(e), "REMARK;Reading (kWh)\r\nmemo 1;100\r\nmemo 2;200\r\n");
  EXPECT_EQ(e->Columns()->Items(1)->Name(), "Value");
  EXPECT_TRUE(e->Columns()->Items(0)->IsMemo());
  EXPECT_TRUE(e->Columns()->Items(0)->IsBlob());
}

TEST_F(ExportDataSetTest, AMissingFieldInExportedFieldsFailsBeforeAnyOutput) {
  TListsExport* e = exporterOf(readings(2));
  e->ExportedFields()->SetText("CODE\r\nNOSUCH\r\n");
  TMemoryStream stream;
  EXPECT_EQ(ExportErrorOf([&] { e->ExportToStream(&stream); }), "Field 'NOSUCH' not found");
  EXPECT_EQ(stream.Size(), 0);
  EXPECT_FALSE(e->DataSet()->ControlsDisabled());
}

TEST_F(ExportDataSetTest, AClosedDataSetIsRefusedBeforeAnyOutputAndOneClosedMeanwhileFails) {
  TClientDataSet* ds = readings(3);
  TListsExport* e = exporterOf(ds);
  ds->Close();
  TMemoryStream stream;
  EXPECT_EQ(ExportErrorOf([&] { e->ExportToStream(&stream); }), "Export source (DataSet) is closed");
  EXPECT_EQ(stream.Size(), 0);
  TClientDataSet* other = readings(3);
  e->SetDataSet(other);
  e->OnExportedRecord = [&](TObject*, int) { other->Close(); };
  EXPECT_EQ(ExportErrorOf([&] { ExportBytes(e); }), "Export source (DataSet) is closed");
  EXPECT_FALSE(other->ControlsDisabled());
}

TEST_F(ExportDataSetTest, AFreedDataSetIsCleared) {
  TClientDataSet* ds = readings(1);
  TListsExport* e = exporterOf(ds);
  delete ds;
  EXPECT_EQ(e->DataSet(), nullptr);
  EXPECT_EQ(ExportErrorOf([&] { ExportBytes(e); }), "Export source (DataSet) is not assigned");
}

TEST_F(ExportDataSetTest, TheDriverWalksTheDataSetWithItsControlsDisabled) {
  TClientDataSet* ds = readings(10);
  TListsExport* e = exporterOf(ds);
  e->ExportedFields()->SetText("READING\r\n");
  e->SetAllowCaptions(false);
  e->SetSkipRecCount(2);
  e->SetExportRecCount(3);
  bool disabled = false;
  e->OnBeginExport = [&](TObject*) { disabled = ds->ControlsDisabled(); };
  EXPECT_EQ(ExportBytes(e), "300\r\n400\r\n500\r\n");
  EXPECT_TRUE(disabled);
  EXPECT_FALSE(ds->ControlsDisabled());
  EXPECT_EQ(e->Trace, (Trace{"begin", "before", "skipped 1", "skipped 2", "row 0", "exported 0", "row 1",
                             "exported 1", "row 2", "exported 2", "after", "end"}));
}

TEST_F(ExportDataSetTest, SkippingPastTheEndOfADataSet) {
  TListsExport* e = exporterOf(readings(3));
  e->SetAllowCaptions(false);
  e->SetSkipRecCount(5);
  EXPECT_EQ(ExportBytes(e), "");
  EXPECT_EQ(e->Trace, (Trace{"begin", "before", "skipped 1", "skipped 2", "skipped 3", "skipped 4", "skipped 5",
                             "after", "end"}));
}

TEST_F(ExportDataSetTest, CurrentRecordOnlyExportsTheCurrentRecordOfTheDataSet) {
  TClientDataSet* ds = readings(5);
  TListsExport* e = exporterOf(ds);
  e->ExportedFields()->SetText("CODE\r\n");
  e->SetAllowCaptions(false);
  e->SetCurrentRecordOnly(true);
  e->SetGoToFirstRecord(false);
  ds->Next();
  ds->Next();
  EXPECT_EQ(ExportBytes(e), "M3\r\n");
  e->SetGoToFirstRecord(true);
  EXPECT_EQ(ExportBytes(e), "M1\r\n");
}

TEST_F(ExportDataSetTest, AnEmptyDataSet) {
  TClientDataSet* ds = NewDataSet({Column("A", ftInteger)}, {});
  TListsExport* e = exporterOf(ds);
  EXPECT_EQ(ExportBytes(e), "A\r\n");
  EXPECT_EQ(e->Trace, (Trace{"begin", "caption", "before", "after", "end"}));
  e->SetExportEmpty(false);
  TMemoryStream stream;
  EXPECT_EQ(ExportErrorOf([&] { e->ExportToStream(&stream); }), "Export source (DataSet) is empty");
  EXPECT_EQ(stream.Size(), 0);
}

TEST_F(ExportDataSetTest, FieldValuesAreWrittenByTheirType) {
  TClientDataSet* ds = NewDataSet({Column("I", ftInteger), Column("L", ftLargeint), Column("F", ftFloat),
                                   Column("C", ftCurrency), Column("B", ftBCD), Column("D", ftDate),
                                   Column("T", ftTime), Column("DT", ftDateTime), Column("Y", ftBoolean),
                                   Column("W", ftWideString, 10), Column("S", ftString, 10)},
                                  {{42, 9007199254740993LL, 1234.5, Currency::FromDouble(7), Currency::FromDouble(2.5),
                                    VarFromDateTime(EncodeDate(2026, 12, 8)), VarFromDateTime(EncodeTime(9, 5, 0, 0)),
                                    VarFromDateTime(EncodeDate(2026, 12, 8) + EncodeTime(9, 5, 0, 0)), true, u"抄表",
                                    "x"}});
  TListsExport* e = exporterOf(ds);
  e->SetAllowCaptions(false);
  TExportFormats* f = e->Formats();
  f->SetDecimalSeparator(',');
  f->SetThousandSeparator('.');
  f->SetDateSeparator('.');
  f->SetDateFormat("dd/mm/yyyy");
  f->SetTimeFormat("hh:nn");
  f->SetDateTimeFormat("dd/mm/yyyy hh:nn");
  f->SetCurrencyFormat("#,##0.00 'EUR'");
  f->SetBooleanTrue(u"yes");
  EXPECT_EQ(ExportBytes(e), "42;9.007.199.254.740.993;1.234,50;7,00 EUR;2,5;08.12.2026;09:05;08.12.2026 09:05;yes;抄表;x\r\n");
  // The source's own texts instead.
  f->SetKeepOriginalFormat(true);
  EXPECT_EQ(ExportBytes(e), "42;9007199254740993;1234.5;7;2.5;12/8/2026;9:05:00 AM;12/8/2026 9:05:00 AM;True;抄表;x\r\n");
}

TEST_F(ExportDataSetTest, NullsAndUserFormats) {
  TClientDataSet* ds = NewDataSet({Column("N", ftInteger), Column("M", ftInteger)}, {{Variant::Null(), 42}});
  TListsExport* e = exporterOf(ds);
  e->SetAllowCaptions(false);
  e->Formats()->SetNULLString(u"(null)");
  e->UserFormats()->SetText("N=0000\r\nM=0000\r\n");
  EXPECT_EQ(ExportBytes(e), "(null);0042\r\n");
}

TEST_F(ExportDataSetTest, CustomFormatSeesEachFieldAndItsText) {
  TListsExport* e = exporterOf(readings(1));
  e->ExportedFields()->SetText("CODE\r\nREADING\r\n");
  e->SetAllowCaptions(false);
  std::vector<std::string> seen;
  e->OnCustomFormat = [&](TObject*, TField* Field, WideString& Value) {
    seen.push_back(Field->FieldName());
    Value += u"!";
  };
  EXPECT_EQ(ExportBytes(e), "M1!;100!\r\n");
  EXPECT_EQ(seen, (std::vector<std::string>{"CODE", "READING"}));
}

TEST_F(ExportDataSetTest, ColumnsDescribeTheirFields) {
  TClientDataSet* ds = NewDataSet({Column("CODE", ftString, 30), Column("QTY", ftInteger), Column("PRICE", ftFloat),
                                   Column("BIG", ftLargeint), Column("HIDDEN", ftString, 5)},
                                  {});
  ds->FieldByName("CODE")->SetDisplayLabel("Meter code");
  ds->FieldByName("HIDDEN")->SetVisible(false);
  TListsExport* e = exporterOf(ds);
  e->SetOnlyVisibleFields(true);
  e->Columns()->Fill(false);
  TExportColumns* c = e->Columns();
  ASSERT_EQ(c->Count(), 4);
  EXPECT_EQ(c->Items(0)->Caption(), "Meter code");
  EXPECT_EQ(c->Items(0)->Length(), 30);
  EXPECT_EQ(c->Items(0)->Width(), 30);
  EXPECT_EQ(c->Items(0)->FieldType(), ftString);
  EXPECT_EQ(c->Items(1)->ColType(), ectInteger);
  EXPECT_EQ(c->Items(1)->Width(), 13);
  EXPECT_EQ(c->Items(1)->Length(), 0);
  EXPECT_EQ(c->Items(2)->ColType(), ectFloat);
  EXPECT_EQ(c->Items(2)->Width(), 29);
  EXPECT_EQ(c->Items(3)->ColType(), ectBigint);
  EXPECT_EQ(c->Items(3)->Width(), 26);
  e->ExportedFields()->SetText("HIDDEN\r\nQTY\r\n");
  e->Columns()->Fill(false);
  ASSERT_EQ(c->Count(), 1);
  EXPECT_EQ(c->Items(0)->Name(), "QTY");
  e->SetOnlyVisibleFields(false);
  e->Columns()->Fill(false);
  EXPECT_EQ(c->Count(), 2);
  EXPECT_FALSE(c->Items(0)->Visible());
}

TEST_F(ExportDataSetTest, AnAliasBelongsToItsOwnLineWhenAnEarlierFieldIsLeftOut) {
  TClientDataSet* ds = NewDataSet({Column("HIDDEN", ftString, 5), Column("CITY", ftString, 5)}, {{"h", "Rome"}});
  ds->FieldByName("HIDDEN")->SetVisible(false);
  TListsExport* e = exporterOf(ds);
  e->SetOnlyVisibleFields(true);
  e->ExportedFields()->SetText("HIDDEN=Secret\r\nCITY=Town\r\n");
  e->Captions()->SetText("Town=Place\r\n");
  EXPECT_EQ(ExportBytes(e), "Place\r\nRome\r\n");
  EXPECT_EQ(e->Columns()->Items(0)->Name(), "Town");
}
