#include "ExportValueText.h"

#include <gtest/gtest.h>

#include "DateRoutines.h"
#include "ExportFixture.h"
#include "TExportColumn.h"
#include "TExportColumns.h"
#include "TExportFormats.h"
#include "TListView.h"

namespace {

class ExportValueTextTest : public ExportTest {
protected:
  ExportValueTextTest() {
    settings.Read = TFormatSettings();
    settings.Write = settings.Read;
    formats.SetDecimalSeparator('.');
    formats.SetThousandSeparator(',');
  }
  // The value and text of a one-column custom source holding Value, its column of Type.
  std::pair<Variant, WideString> customValue(const Variant& Value, TExportColType Type, const AnsiString& Format = {}) {
    TExportCustomSource* source = NewCustomSource({{"C", Type}}, {{Value}});
    TExportSourceRef ref;
    ref.Kind = esCustom;
    ref.CustomSource = source;
    TExportColumns columns(nullptr, nullptr);
    TExportColumn* column = columns.Add();
    column->SetColumnIndex(0);
    column->SetColType(Type);
    column->SetFormat(Format);
    std::pair<Variant, WideString> out;
    GetColumnValue(ref, *column, 0, 0, formats, settings, out.first, out.second);
    return out;
  }

  TExportFormats formats;
  TExportTextSettings settings;
};

}  // namespace

TEST_F(ExportValueTextTest, TextsAreConvertedByTheColumnTypeAndWrittenWithItsFormat) {
  auto [v, t] = customValue("1234", ectInteger);
  EXPECT_EQ(v.AsInteger(), 1234);
  EXPECT_EQ(t, u"1,234");
  EXPECT_EQ(customValue("42", ectInteger, "0000").second, u"0042");
  EXPECT_EQ(customValue("9007199254740993", ectBigint).second, u"9,007,199,254,740,993");
  EXPECT_EQ(customValue("1234.5", ectFloat).second, u"1,234.50");
  formats.SetCurrencyFormat("#,##0.00 'EUR'");
  EXPECT_EQ(customValue("3", ectCurrency).second, u"3.00 EUR");
  formats.SetDateFormat("yyyy/mm/dd");
  EXPECT_EQ(customValue("12/8/2026", ectDate).second, u"2026/12/08");
}

TEST_F(ExportValueTextTest, TheExportsSeparatorsWriteTheValue) {
  formats.SetDecimalSeparator(',');
  formats.SetThousandSeparator(' ');
  formats.SetDateSeparator('.');
  settings.Reset(formats);
  settings.Read = TFormatSettings();  // the source's texts are read as the process writes them
  formats.SetDateFormat("dd/mm/yyyy");
  EXPECT_EQ(customValue("1234567.5", ectFloat).second, u"1 234 567,50");
  EXPECT_EQ(customValue("12/8/2026", ectDate).second, u"08.12.2026");
}

TEST_F(ExportValueTextTest, ATextThatDoesNotConvertStaysAsItIsWithANullValue) {
  auto [v, t] = customValue("abc", ectInteger);
  EXPECT_TRUE(v.IsNull());
  EXPECT_EQ(t, u"abc");
  EXPECT_TRUE(customValue("31/31/2026", ectDate).first.IsNull());
  EXPECT_EQ(customValue("1,5", ectFloat).second, u"1,5");
}

TEST_F(ExportValueTextTest, KeepOriginalFormatKeepsTheTextButConvertsTheValue) {
  formats.SetKeepOriginalFormat(true);
  auto [v, t] = customValue("1.50", ectFloat);
  EXPECT_EQ(t, u"1.50");
  EXPECT_DOUBLE_EQ(v.AsFloat(), 1.5);
}

TEST_F(ExportValueTextTest, StringAndBooleanColumnsKeepTheirText) {
  EXPECT_EQ(customValue("  spaced ", ectString).second, u"  spaced ");
  EXPECT_EQ(customValue(true, ectBoolean).second, u"True");
  EXPECT_EQ(customValue(Variant::Null(), ectString).second, u"");
  EXPECT_EQ(customValue(u"抄表", ectString).second, u"抄表");
}

TEST_F(ExportValueTextTest, ListViewCellsAreReadFromTheRecordPastTheSkippedOnes) {
  TListView* view = NewListView({"A", "B"}, {{"a0", "b0"}, {"a1", "b1"}, {"a2"}});
  TExportSourceRef ref;
  ref.Kind = esListView;
  ref.ListView = view;
  TExportColumns columns(nullptr, nullptr);
  TExportColumn* b = columns.Add();
  b->SetColumnIndex(1);
  b->SetColType(ectString);
  Variant v;
  WideString t;
  GetColumnValue(ref, *b, 0, 1, formats, settings, v, t);
  EXPECT_EQ(t, u"b1");
  GetColumnValue(ref, *b, 2, 0, formats, settings, v, t);  // item 2 has no sub-item
  EXPECT_EQ(t, u"");
  GetColumnValue(ref, *b, 7, 0, formats, settings, v, t);  // no such item (removed meanwhile)
  EXPECT_EQ(t, u"");
}

TEST_F(ExportValueTextTest, ATypeIsGuessedFromAText) {
  const TFormatSettings fs;
  EXPECT_EQ(GuessColumnType("", u"true", u"false", fs), ectString);
  EXPECT_EQ(GuessColumnType("TRUE", u"true", u"false", fs), ectBoolean);
  EXPECT_EQ(GuessColumnType("no", u"yes", u"No", fs), ectBoolean);
  EXPECT_EQ(GuessColumnType("12", u"true", u"false", fs), ectInteger);
  EXPECT_EQ(GuessColumnType("1.5", u"true", u"false", fs), ectFloat);
  EXPECT_EQ(GuessColumnType("12/8/2026", u"true", u"false", fs), ectDate);
  EXPECT_EQ(GuessColumnType("10:30", u"true", u"false", fs), ectTime);
  EXPECT_EQ(GuessColumnType("12/8/2026 10:30", u"true", u"false", fs), ectDateTime);
  EXPECT_EQ(GuessColumnType("12a", u"true", u"false", fs), ectString);
}

TEST_F(ExportValueTextTest, OddMasksStillGiveATextOfTheValue) {
  // Masks hold no syntax that can fail: unknown characters are copied, unbalanced quotes end at
  // the end of the mask.
  for (const char* mask : {"%d", "'unterminated", "E+", ";;;;", "0000000000000000000000000", "\xb3"}) {
    EXPECT_NO_THROW(customValue("1234", ectInteger, mask)) << mask;
    EXPECT_NO_THROW(customValue("12.5", ectFloat, mask)) << mask;
    EXPECT_NO_THROW(customValue("12/8/2026", ectDateTime, mask)) << mask;
  }
  EXPECT_EQ(customValue("1234", ectInteger, "%d").second, u"%d");  // a mask without digits shows none
  EXPECT_EQ(customValue("12/8/2026", ectDate, "yyyy'").second, u"2026");
}
