#include <gtest/gtest.h>

#include "CodePage.h"
#include "DateRoutines.h"
#include "DateTimeText.h"
#include "RowsDataSet.h"
#include "TBlobField.h"
#include "TBooleanField.h"
#include "TDateTimeField.h"
#include "TMemoryStream.h"
#include "TNumericField.h"
#include "TStringField.h"
#include "TypInfo.h"

namespace {

struct FieldClassRow {
  TFieldType type;
  const char* className;
  int dataSize;
  bool isBlob;
};

class FieldClassTest : public ::testing::TestWithParam<FieldClassRow> {};

TEST_P(FieldClassTest, EachTypeGetsItsFieldClassKeepingItsType) {
  const FieldClassRow& row = GetParam();
  auto field = CreateField("F", row.type);
  EXPECT_EQ(field->ClassName(), row.className);
  EXPECT_EQ(field->DataType(), row.type);
  EXPECT_EQ(field->DataSize(), row.dataSize);
  EXPECT_EQ(field->IsBlob(), row.isBlob);
  EXPECT_EQ(field->FieldName(), "F");
}

INSTANTIATE_TEST_SUITE_P(
    Types, FieldClassTest,
    ::testing::Values(FieldClassRow{ftSmallint, "TSmallintField", 2, false}, FieldClassRow{ftInteger, "TIntegerField", 4, false},
                      FieldClassRow{ftWord, "TWordField", 2, false}, FieldClassRow{ftAutoInc, "TAutoIncField", 4, false},
                      FieldClassRow{ftLargeint, "TLargeintField", 8, false}, FieldClassRow{ftFloat, "TFloatField", 8, false},
                      FieldClassRow{ftCurrency, "TCurrencyField", 8, false}, FieldClassRow{ftBCD, "TBCDField", 8, false},
                      FieldClassRow{ftDate, "TDateField", 4, false}, FieldClassRow{ftTime, "TTimeField", 4, false},
                      FieldClassRow{ftDateTime, "TDateTimeField", 8, false},
                      FieldClassRow{ftTimeStamp, "TSQLTimeStampField", 8, false},
                      FieldClassRow{ftBoolean, "TBooleanField", 2, false}, FieldClassRow{ftString, "TStringField", 21, false},
                      FieldClassRow{ftFixedChar, "TStringField", 21, false},
                      FieldClassRow{ftWideString, "TWideStringField", 42, false},
                      FieldClassRow{ftMemo, "TMemoField", 0, true}, FieldClassRow{ftWideMemo, "TWideMemoField", 0, true},
                      FieldClassRow{ftBlob, "TBlobField", 0, true}, FieldClassRow{ftGuid, "TGuidField", 39, false}),
    [](const ::testing::TestParamInfo<FieldClassRow>& info) {
      return std::string(info.param.className) + "_" + std::to_string(info.param.type);
    });

TEST(TFieldTest, TypesWithoutAFieldClassAreRefusedByName) {
  EXPECT_THROW(CreateField("X", ftADT), EDatabaseError);
  try {
    CreateField("Shape", ftUnknown);
  } catch (const EDatabaseError& e) {
    EXPECT_EQ(e.Message(), "Field 'Shape' is of an unsupported type");
  }
}

// One record of every kind, with values as a backend may deliver them (an int64 for a 32-bit
// column, text for a number ...), and a second record of nulls.
class FieldValuesTest : public ::testing::Test {
protected:
  void SetUp() override {
    std::vector<TDbColumn> columns{Column("I", ftInteger),   Column("L", ftLargeint),   Column("F", ftFloat),
                                   Column("C", ftCurrency),  Column("B", ftBoolean),    Column("D", ftDate),
                                   Column("T", ftTime),      Column("DT", ftDateTime),  Column("S", ftString, 10),
                                   Column("W", ftWideString, 10), Column("M", ftMemo),   Column("WM", ftWideMemo),
                                   Column("BL", ftBlob),     Column("N", ftBCD)};
    std::vector<Variant> values{Variant(42LL),
                                Variant(9007199254740993LL),
                                Variant(2.5),
                                Variant("12.3456"),
                                Variant(true),
                                Variant::FromDateTime(EncodeDate(2024, 2, 29)),
                                Variant::FromDateTime(EncodeTime(13, 45, 30, 0)),
                                Variant::FromDateTime(EncodeDate(2024, 2, 29) + EncodeTime(13, 45, 30, 0)),
                                Variant("123"),
                                Variant(u"水表"),
                                Variant("line1\r\nline2"),
                                Variant(u"宽备注"),
                                Variant(std::string("\x00\x01\xFF", 3)),
                                Variant(Currency::FromScaled(-12345))};
    std::vector<Variant> nulls(values.size(), Variant::Null());
    ds = std::make_unique<TRowsDataSet>(columns, std::vector<std::vector<Variant>>{values, nulls});
    ds->Open();
  }
  TField* f(const char* name) { return ds->FieldByName(name); }
  std::unique_ptr<TRowsDataSet> ds;
};

TEST_F(FieldValuesTest, ValuesReadAsTheirFieldsKind) {
  EXPECT_EQ(f("I")->Value().VarType(), varInteger);
  EXPECT_EQ(f("I")->AsInteger(), 42);
  EXPECT_EQ(f("L")->Value().VarType(), varInt64);
  EXPECT_EQ(f("L")->AsLargeInt(), 9007199254740993LL);
  EXPECT_EQ(f("F")->Value().VarType(), varDouble);
  EXPECT_EQ(f("C")->Value().VarType(), varCurrency);
  EXPECT_EQ(f("C")->AsCurrency(), Currency::FromScaled(123456));
  EXPECT_EQ(f("B")->Value().VarType(), varBoolean);
  EXPECT_EQ(f("D")->Value().VarType(), varDate);
  EXPECT_EQ(f("S")->Value().VarType(), varString);
  EXPECT_EQ(f("W")->Value().VarType(), varOleStr);
  EXPECT_EQ(f("WM")->Value().VarType(), varOleStr);
  EXPECT_EQ(f("N")->Value().VarType(), varCurrency);
}

TEST_F(FieldValuesTest, TextsFollowTheFieldType) {
  EXPECT_EQ(f("I")->AsString(), "42");
  EXPECT_EQ(f("L")->AsString(), "9007199254740993");
  EXPECT_EQ(f("F")->AsString(), "2.5");
  EXPECT_EQ(f("C")->AsString(), "12.3456");
  EXPECT_EQ(f("B")->AsString(), "True");
  EXPECT_EQ(f("N")->AsString(), "-1.2345");
  EXPECT_EQ(f("D")->AsString(), DateToStr(EncodeDate(2024, 2, 29)));
  EXPECT_EQ(f("T")->AsString(), TimeToStr(EncodeTime(13, 45, 30, 0)));
  EXPECT_EQ(f("W")->AsWideString(), u"水表");
  EXPECT_EQ(f("W")->AsString(), WideToAnsi(u"水表"));
  EXPECT_EQ(f("M")->AsString(), "line1\r\nline2");
  EXPECT_EQ(f("BL")->AsString(), std::string("\x00\x01\xFF", 3));
}

TEST_F(FieldValuesTest, ConversionsBetweenKinds) {
  EXPECT_EQ(f("S")->AsInteger(), 123);
  EXPECT_DOUBLE_EQ(f("I")->AsFloat(), 42.0);
  EXPECT_DOUBLE_EQ(f("C")->AsFloat(), 12.3456);
  EXPECT_EQ(f("B")->AsInteger(), -1);
  EXPECT_DOUBLE_EQ(f("DT")->AsDateTime(), EncodeDate(2024, 2, 29) + EncodeTime(13, 45, 30, 0));
  EXPECT_THROW(f("W")->AsInteger(), EConvertError);
  EXPECT_THROW(f("S")->AsDateTime(), EConvertError);
  try {
    f("M")->AsDateTime();
    FAIL();
  } catch (const EDatabaseError& e) {
    EXPECT_EQ(e.Message(), "Cannot access field 'M' as type DateTime");
  }
  // A large integer that does not fit 32 bits.
  EXPECT_THROW(f("L")->AsInteger(), EDatabaseError);
}

TEST_F(FieldValuesTest, NullsReadAsNullAndAsTheTypesZero) {
  ds->Next();
  for (int i = 0; i < ds->FieldCount(); ++i) {
    TField* field = ds->Fields()->Fields(i);
    SCOPED_TRACE(field->FieldName());
    EXPECT_TRUE(field->IsNull());
    EXPECT_TRUE(field->Value().IsNull());
    EXPECT_EQ(field->AsString(), "");
    EXPECT_EQ(field->AsInteger(), 0);
    EXPECT_EQ(field->AsFloat(), 0.0);
    EXPECT_FALSE(field->AsBoolean());
  }
  EXPECT_EQ(f("M")->DisplayText(), "(memo)");
}

TEST_F(FieldValuesTest, ValueIntoGivesValueWhateverTheTargetHeldBefore) {
  // The target keeps its storage from record to record: a long text, a wide text or a number
  // left in it must not show through, in a record of values or of nulls.
  for (int record = 0; record < 2; ++record, ds->Next())
    for (int i = 0; i < ds->FieldCount(); ++i) {
      TField* field = ds->Fields()->Fields(i);
      SCOPED_TRACE(field->FieldName());
      for (const Variant& before : {Variant(std::string(40, 'x')), Variant(u"wide text before"), Variant(7)}) {
        Variant out = before;
        field->ValueInto(out);
        const Variant value = field->Value();
        EXPECT_EQ(out.VarType(), value.VarType());
        EXPECT_TRUE(out == value || (out.IsNull() && value.IsNull()));
      }
    }
}

TEST_F(FieldValuesTest, BlobsStreamTheirBytes) {
  auto* blob = static_cast<TBlobField*>(f("BL"));
  EXPECT_EQ(blob->BlobSize(), 3);
  EXPECT_EQ(blob->DisplayText(), "(BLOB)");
  auto stream = ds->CreateBlobStream(blob);
  ASSERT_EQ(stream->Size(), 3);
  char bytes[3];
  stream->ReadBuffer(bytes, 3);
  EXPECT_EQ(std::string(bytes, 3), std::string("\x00\x01\xFF", 3));

  // A wide memo streams as UTF-16LE.
  TMemoryStream wide;
  static_cast<TBlobField*>(f("WM"))->SaveToStream(&wide);
  EXPECT_EQ(std::string(wide.Memory(), 6), std::string("\xBD\x5B\x07\x59\xE8\x6C", 6));
  EXPECT_EQ(f("WM")->DisplayText(), "(WIDEMEMO)");
}

TEST_F(FieldValuesTest, LabelsWidthsAndVisibilityHaveDefaults) {
  TField* s = f("S");
  EXPECT_EQ(s->DisplayLabel(), "S");
  EXPECT_EQ(s->DisplayWidth(), 10);
  s->SetDisplayLabel(WideToAnsi(u"表号"));
  EXPECT_EQ(s->DisplayLabel(), WideToAnsi(u"表号"));
  s->SetDisplayWidth(4);
  EXPECT_EQ(s->DisplayWidth(), 4);
  s->SetDisplayWidth(0);
  EXPECT_EQ(s->DisplayWidth(), 10);
  EXPECT_TRUE(s->Visible());
  EXPECT_EQ(f("I")->DisplayWidth(), 11);
  EXPECT_EQ(s->Index(), 8);
  EXPECT_EQ(s->FieldNo(), 9);
}

TEST(TFieldTest, PublishedPropertiesRoundTrip) {
  auto field = CreateField("AMT", ftFloat);
  SetStrProp(field.get(), "DisplayLabel", WideToAnsi(u"金额"));
  SetOrdProp(field.get(), "DisplayWidth", 14);
  SetStrProp(field.get(), "FieldName", "AMOUNT");
  SetOrdProp(field.get(), "Required", 1);
  SetOrdProp(field.get(), "Size", 3);
  SetOrdProp(field.get(), "Visible", 0);
  SetOrdProp(field.get(), "Precision", 7);
  EXPECT_EQ(GetStrProp(field.get(), "DisplayLabel"), WideToAnsi(u"金额"));
  EXPECT_EQ(GetOrdProp(field.get(), "DisplayWidth"), 14);
  EXPECT_EQ(field->FieldName(), "AMOUNT");
  EXPECT_TRUE(field->Required());
  EXPECT_EQ(field->Size(), 3);
  EXPECT_FALSE(field->Visible());
  EXPECT_EQ(static_cast<TFloatField*>(field.get())->Precision(), 7);
  SetOrdProp(field.get(), "Precision", 40);
  EXPECT_EQ(GetOrdProp(field.get(), "Precision"), 15);
}

TEST_F(FieldValuesTest, FieldOfAClosedDataSetReportsItInsteadOfReadingFreedData) {
  TField* held = f("I");
  ds->Close();
  EXPECT_EQ(ds->FieldCount(), 0);
  try {
    held->AsInteger();
    FAIL();
  } catch (const EDatabaseError& e) {
    EXPECT_EQ(e.Message(), "Cannot perform this operation on a closed dataset");
  }
}

}  // namespace
