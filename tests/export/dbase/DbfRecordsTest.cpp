// The records of a dBASE III table and its memo file, byte for byte as the format lays them
// out: the table header, field descriptors, field values and memo blocks.
#include <gtest/gtest.h>

#include "CodePage.h"
#include "DateRoutines.h"
#include "DbfFieldDescriptor.h"
#include "DbfHeader.h"
#include "DbfRecord.h"
#include "DbtMemo.h"

namespace {

template <class Bytes>
std::string str(const Bytes& b) {
  return std::string(b.begin(), b.end());
}

std::string zeros(std::size_t n) { return std::string(n, '\0'); }

TEST(DbfHeader, DatedEighthOfDecember2026WithTwoFieldsOf20And11Bytes) {
  TDBFHeader h;
  h.Year = 2026;
  h.Month = 12;
  h.Day = 8;
  h.FieldCount = 2;
  h.RecordLength = 1 + 20 + 11;
  EXPECT_EQ(h.HeaderLength(), 97);
  EXPECT_EQ(str(h.Bytes()), std::string("\x03\x1A\x0C\x08" "\0\0\0\0" "\x61\0" "\x20\0\0\0", 14) + zeros(18));
}

TEST(DbfHeader, MemoVersionRecordCountAndLongRecordsAreLittleEndian) {
  TDBFHeader h;
  h.Version = 0x83;
  h.Year = 2000;
  h.RecordCount = 0x01020304;
  h.FieldCount = 100;
  h.RecordLength = 70000;
  const std::string b = str(h.Bytes());
  EXPECT_EQ(b.substr(0, 14), std::string("\x83\x00\x01\x01" "\x04\x03\x02\x01" "\xA1\x0C" "\x70\x11\x01\x00", 14));
  EXPECT_EQ(str(DbfRecordCount(258)), std::string("\x02\x01\0\0", 4));
}

TEST(DbfFieldDescriptor, NameTypePositionLengthAndDecimalsInTheirPlaces) {
  TDBFFieldDescriptor name{"NAME", 'C', 0, 20, 0};
  EXPECT_EQ(str(name.Bytes()), "NAME" + zeros(7) + "C" + zeros(4) + "\x14" + zeros(15));
  TDBFFieldDescriptor qty{"QTY", 'N', 20, 11, 0};
  EXPECT_EQ(str(qty.Bytes()), "QTY" + zeros(8) + "N" + std::string("\x14\0\0\0\x0B\0", 6) + zeros(14));
  TDBFFieldDescriptor price{"PRICE", 'N', 0x10203, 15, 4};
  EXPECT_EQ(str(price.Bytes()).substr(11, 7), std::string("N\x03\x02\x01\x00\x0F\x04", 7));
  // Byte 10 stays 0 whatever the name holds.
  TDBFFieldDescriptor longName{"ABCDEFGHIJKL", 'C', 0, 1, 0};
  EXPECT_EQ(str(longName.Bytes()).substr(0, 11), std::string("ABCDEFGHIJ\0", 11));
}

TEST(DbfRecord, CharacterFieldsArePaddedAndCutBetweenCharacters) {
  std::string r;
  DbfCharacterField(r, "abc", 5, 0);
  EXPECT_EQ(r, "abc  ");
  r.clear();
  // 张国强 is 6 bytes in GBK: 5 bytes hold two characters and a blank.
  DbfCharacterField(r, WideToAnsi(u"张国强"), 5, 0);
  EXPECT_EQ(r, WideToAnsi(u"张国") + " ");
  r.clear();
  DbfCharacterField(r, std::string(300, 'x'), 254, 0);
  EXPECT_EQ(r, std::string(254, 'x'));
  r.clear();
  DbfCharacterField(r, WideToUtf8(u"€uro"), 2, 3);
  EXPECT_EQ(r, "  ");
}

TEST(DbfRecord, NumbersAreRightAlignedAndOverflowIsMarkedNeverCut) {
  std::string r;
  DbfNumericField(r, DbfNumberText(3.5, 15, 4), 15);
  EXPECT_EQ(r, "         3.5000");
  r.clear();
  DbfNumericField(r, DbfIntegerText(1234), 11);
  EXPECT_EQ(r, "       1234");
  r.clear();
  DbfNumericField(r, DbfIntegerText(-9223372036854775807 - 1), 20);
  EXPECT_EQ(r, "-9223372036854775808");
  r.clear();
  // Decimals give way first (rounding), then the whole field is marked.
  EXPECT_EQ(DbfNumberText(123456.789, 8, 4), "123456.8");
  EXPECT_EQ(DbfNumberText(1234567.5, 8, 2), "1234568");
  // Halves go away from zero, as the platform's "%.2f" writes them.
  EXPECT_EQ(DbfNumberText(0.125, 8, 2), "0.13");
  EXPECT_EQ(DbfNumberText(-2.5, 8, 0), "-3");
  EXPECT_EQ(DbfNumberText(1e300, 20, 2), std::string(21, '*'));
  // Every digit of a number the field holds, also past the eighteenth.
  EXPECT_EQ(DbfNumberText(-0.000001, 17, 6), "-0.000001");
  EXPECT_EQ(DbfNumberText(1234567890123.45, 18, 4), "1234567890123.4500");
  EXPECT_EQ(DbfNumberText(12345678901234567890.0, 20, 0), "12345678901234567168");
  DbfNumericField(r, DbfNumberText(123456789.5, 8, 2), 8);
  EXPECT_EQ(r, "********");
  r.clear();
  DbfNumericField(r, DbfNumberText(1.0 / 0.0, 5, 2), 5);
  EXPECT_EQ(r, "*****");
  r.clear();
  DbfNumericField(r, "null", 15);
  EXPECT_EQ(r, "           null");
}

TEST(DbfRecord, DatesAreYearMonthDayWithoutTheTime) {
  EXPECT_EQ(DbfDateText(EncodeDate(2026, 12, 8)), "20261208");
  EXPECT_EQ(DbfDateText(EncodeDate(2026, 12, 8) + EncodeTime(23, 59, 0, 0)), "20261208");
  EXPECT_EQ(DbfDateText(EncodeTime(10, 30, 0, 0)), "18991230");
  EXPECT_EQ(DbfDateText(EncodeDate(12, 3, 4)), "00120304");
  EXPECT_EQ(DbfDateText(1e7), "");
}

TEST(DbfRecord, MemoFieldsHoldTheirFirstBlockRightAligned) {
  std::string r;
  DbfMemoField(r, 1);
  DbfMemoField(r, -1);
  DbfLogicalField(r, 'T');
  DbfDeletionFlag(r);
  EXPECT_EQ(r, "         1          T ");
}

TEST(DbfRecord, CutsKeepWholeCharactersOfEveryEncoding) {
  const std::string gbk = WideToAnsi(u"a张");
  EXPECT_EQ(DbfWholeCharsPrefix(gbk, 2, 0), 1u);
  const std::string utf8 = WideToUtf8(u"a张");
  EXPECT_EQ(DbfWholeCharsPrefix(utf8, 3, 3), 1u);
  // UTF-16: 😀 is a surrogate pair, never split.
  const std::string utf16("a\0\x3D\xD8\x00\xDE", 6);
  EXPECT_EQ(DbfWholeCharsPrefix(utf16, 5, 4), 2u);
  EXPECT_EQ(DbfWholeCharsPrefix(utf16 + std::string("b\0", 2), 6, 4), 6u);  // a cut just after the pair keeps it
  EXPECT_EQ(DbfWholeCharsPrefix(std::string(8, 'x'), 7, 5), 4u);
}

TEST(DbtMemo, FiveHundredTenBytesTakeOneBlockFiveHundredElevenTwo) {
  std::string out;
  EXPECT_EQ(DbtMemoBlocks(out, std::string(510, 'm')), 1u);
  EXPECT_EQ(out, std::string(510, 'm') + "\x1A\x1A");
  out.clear();
  EXPECT_EQ(DbtMemoBlocks(out, std::string(511, 'm')), 2u);
  EXPECT_EQ(out, std::string(511, 'm') + "\x1A\x1A" + zeros(511));
  EXPECT_EQ(str(DbtHeaderBlock(0x0304)), std::string("\x04\x03\0\0", 4) + zeros(508));
}

}  // namespace
