#include "TExportCustomSource.h"

#include <gtest/gtest.h>

#include "ExportFixture.h"
#include "FormatSettings.h"
#include "TExportCustomColumn.h"
#include "TExportCustomColumns.h"
#include "TypInfo.h"

TEST(TExportCustomSourceTest, NewColumnsTakeTheLowestFreeName) {
  TExportCustomSource source(nullptr);
  for (int i = 0; i < 3; ++i) source.Columns()->Add();
  EXPECT_EQ(source.Columns()->Items(2)->ColumnName(), "Column2");
  EXPECT_EQ(source.Columns()->Items(2)->Caption(), "Column2");
  source.Columns()->Delete(1);
  TExportCustomColumn* added = source.Columns()->Add();
  EXPECT_EQ(added->ColumnName(), "Column1");
  EXPECT_EQ(added->Width(), 15);
  EXPECT_EQ(added->Size(), 15);
  EXPECT_EQ(added->ColumnType(), ectString);
}

TEST(TExportCustomSourceTest, RenamesToTakenOrEmptyNamesAreIgnored) {
  TExportCustomSource source(nullptr);
  for (int i = 0; i < 3; ++i) source.Columns()->Add();
  TExportCustomColumn* c2 = source.Columns()->Items(2);
  c2->SetColumnName("column0");
  EXPECT_EQ(c2->ColumnName(), "Column2");
  c2->SetColumnName("");
  EXPECT_EQ(c2->ColumnName(), "Column2");
  c2->SetColumnName("Total");
  EXPECT_EQ(c2->DisplayName(), "Total");
  EXPECT_EQ(source.ColumnByName("TOTAL"), c2);
  EXPECT_EQ(source.Columns()->IndexOf("total"), 2);
  EXPECT_EQ(source.ColumnByName("nothing"), nullptr);
}

TEST(TExportCustomSourceTest, AssigningColumnsCopiesThem) {
  TExportCustomSource a(nullptr), b(nullptr);
  TExportCustomColumn* c = a.Columns()->Add();
  c->SetColumnName("Qty");
  c->SetColumnType(ectInteger);
  c->SetTag(9);
  b.Columns()->Add();
  b.Columns()->Add();
  SetObjectProp(&b, "Columns", a.Columns());
  ASSERT_EQ(b.ColumnCount(), 1);
  EXPECT_NE(b.Columns()->Items(0), c);
  EXPECT_EQ(b.Columns()->Items(0)->ColumnName(), "Qty");
  EXPECT_EQ(b.Columns()->Items(0)->ColumnType(), ectInteger);
  EXPECT_EQ(b.Columns()->Items(0)->Tag(), 9);
  EXPECT_EQ(b.Columns()->Items(0)->Source(), &b);
}

TEST(TExportCustomSourceTest, FirstAndNextFollowTheHandlersAnswer) {
  TExportCustomSource source(nullptr);
  source.Next();
  EXPECT_EQ(source.RecNo(), 2);  // without a handler Next only counts
  source.OnGetNextRecord = [](TObject*, int RecNo, bool& Eof) { Eof = RecNo == 2; };
  source.First();
  EXPECT_EQ(source.RecNo(), 1);
  source.Next();
  EXPECT_EQ(source.RecNo(), 2);
  source.Next();
  EXPECT_TRUE(source.Eof());
  EXPECT_EQ(source.RecNo(), 2);
  source.Next();  // nothing once at the end
  EXPECT_EQ(source.RecNo(), 2);
  source.First();
  EXPECT_FALSE(source.Eof());
}

TEST(TExportCustomSourceTest, AColumnsValueIsAskedWithTheCurrentRecord) {
  TExportCustomSource source(nullptr);
  TExportCustomColumn* c = source.Columns()->Add();
  EXPECT_TRUE(c->GetValue().IsEmpty());
  source.OnGetColumnValue = [](TObject*, int RecNo, TExportCustomColumn* Column, Variant& Value) {
    Value = RecNo * 1.5 + Column->Index();
  };
  source.SetRecNo(3);
  TFormatSettings fs;
  fs.DecimalSeparator = ',';
  EXPECT_EQ(c->AsWideString(fs), u"4,5");
}

TEST(TExportCustomSourceTest, PublishedPropertiesRoundTripThroughTheTable) {
  TExportCustomSource source(nullptr);
  TExportCustomColumn* c = source.Columns()->Add();
  std::vector<std::string> names;
  for (const TPropInfo* p : TExportCustomColumn::StaticClass().Properties()) names.push_back(p->Name);
  EXPECT_EQ(names, (std::vector<std::string>{"ColumnName", "ColumnType", "Caption", "Width", "Size", "Tag"}));
  SetStrProp(c, "ColumnName", "Reading");
  SetOrdProp(c, "ColumnType", static_cast<int>(ectUnknown));
  SetStrProp(c, "Caption", "");
  SetOrdProp(c, "Width", -1);
  SetOrdProp(c, "Size", 2147483647);
  SetOrdProp(c, "Tag", -5);
  EXPECT_EQ(GetStrProp(c, "ColumnName"), "Reading");
  EXPECT_EQ(GetOrdProp(c, "ColumnType"), static_cast<int>(ectUnknown));
  EXPECT_EQ(GetStrProp(c, "Caption"), "");
  EXPECT_EQ(GetOrdProp(c, "Width"), -1);
  EXPECT_EQ(GetOrdProp(c, "Size"), 2147483647);
  EXPECT_EQ(GetOrdProp(c, "Tag"), -5);
  EXPECT_EQ(GetEnumName(*GetPropInfo(c, "ColumnType"), 3), "ectCurrency");
  std::vector<std::string> sourceProps;
  for (const TPropInfo* p : TExportCustomSource::StaticClass().Properties()) sourceProps.push_back(p->Name);
  EXPECT_EQ(sourceProps, (std::vector<std::string>{"Name", "Tag", "Columns", "OnGetNextRecord", "OnGetColumnValue"}));
}
