#include "TxlsCellFormatTable.h"

#include <gtest/gtest.h>

#include "BiffFormatRecords.h"
#include "TMemoryStream.h"
#include "TxlsFormat.h"
#include "XlsTestSupport.h"

namespace {

std::string Bytes(const TbiffRecord& record) {
  TMemoryStream stream;
  record.SaveToStream(stream);
  return std::string(stream.Memory() + 4, static_cast<std::size_t>(stream.Size()) - 4);
}

}  // namespace

TEST(TxlsCellFormatTable, FirstAddedFormatXFAndFontGetIndexes50And16And5) {
  TxlsCellFormatTable table;
  TxlsFormat look;
  look.Font()->SetSize(14);
  EXPECT_EQ(table.XFIndex(nullptr, u"0.000", &look), 16);
  EXPECT_EQ(table.NumberFormats().Items(0)->Index(), 50);
  EXPECT_EQ(table.Fonts().Items(0)->FontIndex(), 5);
  // The fourth default FONT is followed by the first list font, which readers number 5.
  TMemoryStream stream;
  table.SaveFonts(stream);
  const auto fonts = SplitRecords(std::string(stream.Memory(), static_cast<std::size_t>(stream.Size())));
  ASSERT_EQ(fonts.size(), 5u);
  EXPECT_EQ(U16At(fonts[4].Data, 0), 14 * 20);
}

TEST(TxlsCellFormatTable, GeneralWithoutALookIsTheDefaultXFAndAnEmptyTextIsAnXFOfItsOwn) {
  TxlsCellFormatTable table;
  EXPECT_EQ(table.XFIndex(nullptr, u"General", nullptr), 15);
  const TxlsFormat look;
  EXPECT_EQ(table.XFIndex(nullptr, u"General", &look), 16);
  // An empty text counts as "General" but still makes an XF, found again later.
  EXPECT_EQ(table.XFIndex(nullptr, u"", nullptr), 17);
  EXPECT_EQ(table.XFIndex(nullptr, u"", nullptr), 17);
  EXPECT_EQ(table.XFormats().Count(), 2);
}

TEST(TxlsCellFormatTable, EqualLooksShareOneXFAndFontNamesDifferingInCaseDoNot) {
  TxlsCellFormatTable table;
  TxlsFormat a, b, c;
  a.SetFieldName("ONE");
  b.SetFieldName("TWO");
  EXPECT_EQ(table.XFIndex(nullptr, u"0.00", &a), table.XFIndex(nullptr, u"0.00", &b));
  c.Font()->SetName(u"Arial");
  EXPECT_NE(table.XFIndex(nullptr, u"0.00", &a), table.XFIndex(nullptr, u"0.00", &c));
  EXPECT_EQ(table.Fonts().Count(), 2);
  EXPECT_EQ(table.NumberFormats().Count(), 1);
  // A font equal to the sheet's default-looking data format is no font of the XF's own.
  TxlsFormat data;
  data.Fill()->SetForeground(clrWhite);
  ASSERT_TRUE(data.IsDefault());
  const std::uint16_t xf = table.XFIndex(&data, u"0.0", &a);
  EXPECT_EQ(table.FontOfXF(xf), nullptr);
}

TEST(TxlsCellFormatTable, XFRecordCarriesFontFormatFillBordersAndAlignment) {
  TxlsCellFormatTable table;
  TxlsFormat look;
  look.Font()->SetStyle({xfsBold});
  look.Fill()->SetPattern(ptSolid);
  look.Fill()->SetBackground(clrRed);         // palette 10
  look.Fill()->SetForeground(clrYellow);      // palette 13
  look.Borders()->Left()->SetStyle(bstThin);  // colour black, palette 8
  look.Borders()->Bottom()->SetStyle(bstDouble);
  look.Borders()->Bottom()->SetColor(clrBlue);  // palette 12
  look.Alignment()->SetHorizontal(halLeft);
  look.Alignment()->SetVertical(valCenter);
  look.SetWrap(true);
  look.SetIndent(3);
  look.SetRotation(90);
  const std::uint16_t xf = table.XFIndex(nullptr, u"0.00%", &look);
  const auto record = TxlsCellFormatTable::XFRecord(*table.XFormats().ByIndex(xf));
  EXPECT_EQ(Hex(Bytes(*record)), "05 00 32 00 01 00 19 5A 03 78 01 60 08 00 00 06 00 04 8A 06");
}

TEST(TxlsCellFormatTable, OnlyDiagonalUpGivesItsFlagStyleAndColour) {
  TxlsXFormat xf;
  xf.Borders()->DiagUp()->SetStyle(bstDashed);  // 3
  xf.Borders()->DiagUp()->SetColor(clrGreen);   // palette 17
  const auto record = TxlsCellFormatTable::XFRecord(xf);
  EXPECT_EQ(record->Border1(), 0x80000000u);
  EXPECT_EQ(record->Border2(), (17u << 14) | (3u << 21));
  EXPECT_EQ(record->UsedAttributes() & XF_USED_BORDER, XF_USED_BORDER);
}

TEST(TxlsCellFormatTable, FontRecordValuesFollowTheFont) {
  TxlsFont font;
  font.SetSize(12);
  font.SetStyle({xfsItalic, xfsStrikeOut});
  font.SetColor(clrRed);
  font.SetScript(fscSubscript);
  font.SetUnderline(fulDoubleAccounting);
  font.SetCharset(134);
  font.SetName(u"A");
  EXPECT_EQ(Hex(Bytes(*TxlsCellFormatTable::FontRecord(font))),
            "F0 00 0A 00 0A 00 90 01 02 00 22 00 86 00 01 01 41 00");
}
