#include <gtest/gtest.h>

#include "CodePage.h"
#include "RowsDataSet.h"
#include "TDataPacket.h"

namespace {

std::vector<TDbColumn> everyKind() {
  return {Column("I", ftInteger), Column("SI", ftSmallint), Column("L", ftLargeint), Column("F", ftFloat),
          Column("C", ftCurrency), Column("B", ftBoolean), Column("DT", ftDateTime), Column("S", ftString, 30),
          Column("W", ftWideString, 30), Column("BL", ftBlob), Column("WM", ftWideMemo)};
}

TEST(TDataPacketTest, RecordsComeBackWithTheirValuesKindsAndNulls) {
  TDataPacket packet(everyKind());
  std::vector<Variant> first{Variant(-7), Variant(12), Variant(-5000000000LL), Variant(0.1), Variant(Currency::FromScaled(5)),
                             Variant(false), Variant::FromDateTime(-700000.25), Variant(WideToAnsi(u"抄表")),
                             Variant(u"\U0001F600 surrogate pair"), Variant(std::string(1000, '\0')), Variant(u"")};
  std::vector<Variant> second(first.size(), Variant::Null());
  second[7] = Variant("");
  packet.AppendRecord(first);
  packet.AppendRecord(second);
  ASSERT_EQ(packet.RecordCount(), 2);

  std::vector<Variant> got;
  packet.ReadRecord(0, got);
  ASSERT_EQ(got.size(), first.size());
  for (std::size_t i = 0; i < first.size(); ++i) {
    SCOPED_TRACE(i);
    EXPECT_EQ(got[i].VarType(), first[i].VarType());
    EXPECT_TRUE(got[i] == first[i]);
  }
  EXPECT_EQ(got[9].AsString().size(), 1000u);
  packet.ReadRecord(1, got);
  EXPECT_TRUE(got[0].IsNull());
  EXPECT_TRUE(got[10].IsNull());
  // An empty text is not a null one.
  EXPECT_EQ(got[7].VarType(), varString);
}

TEST(TDataPacketTest, ValuesReadIntoTheSameVectorTakeEachRecordsOwnTexts) {
  // The texts of one record are written over those of the one read before: a longer, a
  // shorter, an empty and a null one must each come back whole, and a value of another kind
  // left by the caller must not remain.
  TDataPacket packet({Column("S", ftString, 60), Column("W", ftWideString, 60)});
  const std::vector<std::vector<Variant>> records = {
      {Variant(std::string(40, 'x')), Variant(std::u16string(40, u'表'))},
      {Variant("ab"), Variant(u"c")},
      {Variant(""), Variant(u"")},
      {Variant::Null(), Variant::Null()},
      {Variant(WideToAnsi(u"城东区解放路12号")), Variant(u"\U0001F600")}};
  for (const auto& r : records) packet.AppendRecord(r);
  std::vector<Variant> got{Variant(3.5), Variant(7)};
  for (std::size_t n = 0; n < records.size(); ++n) {
    SCOPED_TRACE(n);
    packet.ReadRecord(static_cast<std::int64_t>(n), got);
    for (std::size_t i = 0; i < 2; ++i) {
      EXPECT_EQ(got[i].VarType(), records[n][i].VarType());
      EXPECT_TRUE(got[i] == records[n][i]);
    }
  }
}

TEST(TDataPacketTest, ValuesAreConvertedToTheColumnType) {
  TDataPacket packet({Column("N", ftInteger), Column("S", ftString, 5), Column("W", ftWideString, 5)});
  packet.AppendRecord({Variant("123"), Variant(u"表"), Variant(WideToAnsi(u"表"))});
  std::vector<Variant> got;
  packet.ReadRecord(0, got);
  EXPECT_EQ(got[0].VarType(), varInteger);
  EXPECT_EQ(got[0].AsInteger(), 123);
  EXPECT_EQ(got[1].VarType(), varString);
  EXPECT_EQ(got[1].AsString(), WideToAnsi(u"表"));
  EXPECT_EQ(got[2].AsWideString(), u"表");
}

TEST(TDataPacketTest, BadRecordsAreRefusedWithTheFieldName) {
  TDataPacket packet({Column("QTY", ftInteger)});
  try {
    packet.AppendRecord({Variant("many")});
    FAIL();
  } catch (const EDatabaseError& e) {
    EXPECT_EQ(e.Message().rfind("Invalid value for field 'QTY'", 0), 0u) << e.Message();
  }
  EXPECT_THROW(packet.AppendRecord({Variant(1), Variant(2)}), EDatabaseError);
  EXPECT_EQ(packet.RecordCount(), 0);
  std::vector<Variant> got;
  EXPECT_THROW(packet.ReadRecord(0, got), EDatabaseError);
  EXPECT_THROW(TDataPacket({Column("X", ftADT)}), EDatabaseError);
}

TEST(TDataPacketTest, LargeValuesGetTheirOwnBlockAndSmallOnesKeepFilling) {
  TDataPacket packet({Column("ID", ftInteger), Column("BL", ftBlob)});
  const std::string big(3 << 20, 'x');
  for (int i = 0; i < 10; ++i) packet.AppendRecord({Variant(i), Variant(i == 5 ? big : std::string(10, 'a' + i))});
  std::vector<Variant> got;
  packet.ReadRecord(5, got);
  EXPECT_EQ(got[1].AsString(), big);
  packet.ReadRecord(6, got);
  EXPECT_EQ(got[1].AsString(), std::string(10, 'g'));
  EXPECT_EQ(got[0].AsInteger(), 6);
}

TEST(TDataPacketTest, MeterTableTakesAboutTheRoomOfItsDbaseFile) {
  // 12 columns of a meter-reading table: as a dBASE file (C 20, N 12, D and L fields and the
  // deletion flag) a record takes 178 bytes, 100,000 of them 17.8 MB.
  std::vector<TDbColumn> columns;
  for (int i = 0; i < 6; ++i) columns.push_back(Column(("C" + std::to_string(i)).c_str(), ftString, 20));
  for (int i = 0; i < 4; ++i) columns.push_back(Column(("N" + std::to_string(i)).c_str(), ftFloat));
  columns.push_back(Column("D", ftDate));
  columns.push_back(Column("L", ftBoolean));
  TDataPacket packet(columns);
  const Variant text("0123456789ABCDEF");
  const std::vector<Variant> row{text,         text,         text,         text,
                                 text,         text,         Variant(0.0), Variant(1.5),
                                 Variant(3.0), Variant(4.5), Variant::FromDateTime(45000), Variant(true)};
  for (int i = 0; i < 100000; ++i) packet.AppendRecord(row);
  EXPECT_LT(packet.MemorySize(), 100000u * 178u * 6 / 5);
}

}  // namespace
