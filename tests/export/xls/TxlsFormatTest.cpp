#include "TxlsFormat.h"

#include <gtest/gtest.h>

#include <fstream>

#include "TFont.h"
#include "TIniFile.h"
#include "TStringList.h"
#include "TXLSOptions.h"
#include "TxlsFieldFormat.h"
#include "TxlsNoteFormat.h"
#include "TypInfo.h"
#include "XlsTestSupport.h"

TEST(TxlsFormat, DefaultTestNeedsAWhiteForegroundAndTheExactFontName) {
  TxlsFormat format;
  EXPECT_FALSE(format.IsDefault());  // the fill's foreground is black when created
  format.Fill()->SetForeground(clrWhite);
  EXPECT_TRUE(format.IsDefault());
  format.SetRotation(45);
  format.SetIndent(2);
  EXPECT_TRUE(format.IsDefault());
  format.Font()->SetName(u"Arial");
  EXPECT_FALSE(format.IsDefault());
}

TEST(TxlsFormat, IniRoundTripKeepsTheLookAndAnEmptySectionLoadsTheDefaults) {
  TTempDir dir;
  TIniFile ini(dir.Path("formats.ini"));
  TxlsFieldFormat saved;
  saved.Font()->SetName(u"宋体");
  saved.Font()->SetSize(11);
  saved.Font()->SetColor(clrDarkRed);
  saved.Font()->SetStyle({xfsBold, xfsStrikeOut});
  saved.Font()->SetUnderline(fulDouble);
  saved.Alignment()->SetHorizontal(halRight);
  saved.Alignment()->SetVertical(valTop);
  saved.Borders()->Top()->SetStyle(bstThick);
  saved.Borders()->Top()->SetColor(clrTeal);
  saved.Fill()->SetPattern(ptChess);
  saved.Fill()->SetBackground(clrLightYellow);
  saved.Fill()->SetForeground(clrPlum);
  saved.SetAggregate(aggMax);
  saved.SaveToIni(&ini, "FIELD_A");

  TxlsFieldFormat loaded;
  loaded.LoadFromIni(&ini, "FIELD_A");
  EXPECT_TRUE(loaded.Font()->Equals(saved.Font()));
  EXPECT_TRUE(loaded.Borders()->Equals(saved.Borders()));
  EXPECT_TRUE(loaded.Fill()->Equals(saved.Fill()));
  EXPECT_TRUE(loaded.Alignment()->Equals(saved.Alignment()));
  EXPECT_EQ(loaded.Aggregate(), aggMax);
  EXPECT_EQ(ini.ReadString("FIELD_A", "FontColor", ""), "clMaroon");

  TxlsFormat empty;
  empty.Font()->SetSize(30);
  empty.LoadFromIni(&ini, "MISSING");
  EXPECT_EQ(empty.Font()->Name(), u"arial");
  EXPECT_EQ(empty.Font()->Size(), 10);
  EXPECT_EQ(empty.Font()->Color(), clrBlack);
  EXPECT_EQ(empty.Alignment()->Horizontal(), halGeneral);
  EXPECT_EQ(empty.Alignment()->Vertical(), valBottom);
  EXPECT_FALSE(empty.Borders()->AnySet());
  EXPECT_EQ(empty.Fill()->Pattern(), ptNone);
  EXPECT_EQ(empty.Fill()->Background(), clrWhite);
  EXPECT_EQ(empty.Fill()->Foreground(), clrBlack);
}

TEST(TxlsFormat, IniValuesThatAreNotValidLoadTheirDefaults) {
  TTempDir dir;
  {
    std::ofstream file(dir.Path("bad.ini"));
    file << "[F]\nHorAlignment=77\nVertAlignment=-1\nBorderTop=99\nFontColor=not a colour\nFillPattern=x\n"
            "FillBackground=$00123456\n";
  }
  TIniFile ini(dir.Path("bad.ini"));
  TxlsFormat format;
  format.LoadFromIni(&ini, "F");
  EXPECT_EQ(format.Alignment()->Horizontal(), halGeneral);
  EXPECT_EQ(format.Alignment()->Vertical(), valBottom);
  EXPECT_EQ(format.Borders()->Top()->Style(), bstNone);
  EXPECT_EQ(format.Font()->Color(), clrBlack);
  EXPECT_EQ(format.Fill()->Pattern(), ptNone);
  EXPECT_EQ(format.Fill()->Background(), clrBlack);  // a colour no table entry has
}

TEST(TxlsFormat, AssignCopiesTheLookButNotTheFieldName) {
  TxlsFieldFormat source;
  source.SetFieldName("AMOUNT");
  source.SetWidth(12);
  source.Font()->SetSize(20);
  TxlsFormat plain;
  plain.SetFieldName("KEEP");
  plain.Assign(&source);
  EXPECT_EQ(plain.FieldName(), "KEEP");
  EXPECT_EQ(plain.Font()->Size(), 20);
  TxlsFieldFormat field;
  field.Assign(&source);
  EXPECT_EQ(field.FieldName(), "AMOUNT");
  EXPECT_EQ(field.Width(), 12);
  field.Reset();
  EXPECT_EQ(field.FieldName(), "");
  EXPECT_EQ(field.Font()->Size(), 10);
}

TEST(TxlsFormat, FieldFormatsFromLinesAndFoundIgnoringCase) {
  TxlsFieldFormats formats(nullptr);
  TStringList lines;
  lines.Add("Meter");
  lines.Add("Reading");
  formats.Assign(&lines);
  ASSERT_EQ(formats.Count(), 2);
  EXPECT_EQ(formats.IndexOf("READING"), 1);
  EXPECT_EQ(formats.IndexOf("none"), -1);
  EXPECT_EQ(formats.Items(0)->DisplayName(), "Meter");
}

TEST(TxlsFont, ScreenFontGivesTheBasicColoursAndOthersBecomeBlack) {
  TFont screen;
  screen.SetName("Tahoma");
  screen.SetSize(9);
  screen.SetStyle({fsBold, fsUnderline});
  screen.SetColor(clTeal);
  TxlsFont font;
  font.Assign(&screen);
  EXPECT_EQ(font.Name(), u"Tahoma");
  EXPECT_EQ(font.Size(), 9);
  EXPECT_TRUE(font.Style().Contains(xfsBold));
  EXPECT_EQ(font.Underline(), fulSingle);
  EXPECT_EQ(font.Color(), clrTeal);
  screen.SetColor(0x123456);
  font.Assign(&screen);
  EXPECT_EQ(font.Color(), clrBlack);

  TFont back;
  font.SetColor(clrOrange);
  back.Assign(&font);
  EXPECT_EQ(back.Color(), 0x0066FF);  // FF6600 as a screen colour
  EXPECT_TRUE(back.Style().Contains(fsUnderline));
}

TEST(TXLSOptions, DefaultsAndTitleOfAnEmptyText) {
  TXLSOptions options;
  EXPECT_EQ(options.SheetTitle(), "Sheet 1");
  EXPECT_EQ(options.PageFooter(), u"Page &P of &N");
  EXPECT_TRUE(options.CaptionsFormat()->Font()->Style().Contains(xfsBold));
  EXPECT_EQ(options.HyperlinkFormat()->Font()->Color(), clrBlue);
  EXPECT_EQ(options.NoteFormat()->Font()->Name(), u"Tahoma");
  EXPECT_EQ(options.NoteFormat()->Alignment()->Horizontal(), halLeft);
  options.SetSheetTitle("");
  EXPECT_EQ(options.SheetTitle(), "Sheet1");

  TXLSOptions other;
  other.SetPageHeader(u"keep");
  options.DataFormat()->Font()->SetSize(30);
  other.Assign(&options);
  EXPECT_EQ(other.DataFormat()->Font()->Size(), 30);
  EXPECT_EQ(other.PageHeader(), u"keep");
}

TEST(TXLSOptions, PublishedPropertiesRoundTripThroughTheTable) {
  TXLSOptions options;
  SetWideStrProp(&options, "PageHeader", u"页眉");
  SetStrProp(&options, "SheetTitle", "");
  EXPECT_EQ(GetWideStrProp(&options, "PageHeader"), u"页眉");
  EXPECT_EQ(GetStrProp(&options, "SheetTitle"), "Sheet1");
  auto* data = dynamic_cast<TxlsFormat*>(GetObjectProp(&options, "DataFormat"));
  ASSERT_NE(data, nullptr);
  SetOrdProp(data, "Wrap", 1);
  EXPECT_TRUE(options.DataFormat()->Wrap());
  auto* font = dynamic_cast<TxlsFont*>(GetObjectProp(data, "Font"));
  SetOrdProp(font, "Color", static_cast<int>(clrWhite));
  SetOrdProp(font, "Style", TxlsFontStyles{xfsItalic}.Bits());
  EXPECT_EQ(options.DataFormat()->Font()->Color(), clrWhite);
  EXPECT_TRUE(options.DataFormat()->Font()->Style().Contains(xfsItalic));
  EXPECT_EQ(GetEnumName(*GetPropInfo(font, "Underline"), 4), "fulDoubleAccounting");
}
