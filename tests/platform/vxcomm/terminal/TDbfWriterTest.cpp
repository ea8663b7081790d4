#include "TDbfWriter.h"

#include <gtest/gtest.h>

#include "CodePage.h"
#include "Exception.h"

namespace {

std::string bytes(std::initializer_list<int> values) {
  std::string out;
  for (int v : values) out += static_cast<char>(v);
  return out;
}

}  // namespace

TEST(TDbfWriterTest, HeaderAndFieldDescriptors) {
  TDbfWriter table({{"HH", 'C', 10, 0}, {"BQDS", 'N', 10, 1}}, 2007, 6, 18);
  table.AddRecord({"0100101", "1234.5"});
  const std::string file = table.Bytes();
  // version 3, 2007-06-18, 1 record, header 32 + 2 * 32 + 1 = 97, record 1 + 10 + 10 = 21
  EXPECT_EQ(file.substr(0, 12), bytes({0x03, 107, 6, 18, 1, 0, 0, 0, 97, 0, 21, 0}));
  EXPECT_EQ(file[29], '\x7A');  // language driver: code page 936
  EXPECT_EQ(file.substr(32, 32), std::string("HH\0\0\0\0\0\0\0\0\0C\0\0\0\0\x0A\0", 18) + std::string(14, '\0'));
  EXPECT_EQ(file.substr(64 + 11, 7), std::string("N\0\0\0\0\x0A\x01", 7));
  EXPECT_EQ(file[96], '\x0D');
  EXPECT_EQ(file.size(), 97u + 21u + 1u);
  EXPECT_EQ(file.back(), '\x1A');
}

TEST(TDbfWriterTest, RecordValuesArePaddedByType) {
  TDbfWriter table({{"HM", 'C', 6, 0}, {"SYL", 'N', 6, 1}, {"RQ", 'D', 8, 0}, {"OK", 'L', 1, 0}}, 2026, 1, 2);
  table.AddRecord({Utf8ToAnsi("张三"), "16.5", "20260102", "T"});
  const std::string file = table.Bytes();
  const std::string record = file.substr(32 + 4 * 32 + 1, 1 + 6 + 6 + 8 + 1);
  EXPECT_EQ(record, " " + Utf8ToAnsi("张三") + "  " + "  16.5" + "20260102" + "T");
}

TEST(TDbfWriterTest, LongTextIsCutAtACharacterBoundary) {
  TDbfWriter table({{"HM", 'C', 5, 0}}, 2026, 1, 2);
  table.AddRecord({Utf8ToAnsi("城东小学")});  // 8 bytes into 5
  const std::string file = table.Bytes();
  EXPECT_EQ(file.substr(32 + 32 + 1 + 1, 5), Utf8ToAnsi("城东") + " ");
}

TEST(TDbfWriterTest, RefusesWhatTheFormatCannotHold) {
  EXPECT_THROW(TDbfWriter({{"NAMETOOLONG", 'C', 5, 0}}, 2026, 1, 1), EConvertError);
  EXPECT_THROW(TDbfWriter({{"D", 'D', 6, 0}}, 2026, 1, 1), EConvertError);
  EXPECT_THROW(TDbfWriter({}, 2026, 1, 1), EConvertError);
  TDbfWriter table({{"N", 'N', 3, 0}}, 2026, 1, 1);
  EXPECT_THROW(table.AddRecord({"12345"}), EConvertError);
  EXPECT_THROW(table.AddRecord({"1", "2"}), EConvertError);
}
