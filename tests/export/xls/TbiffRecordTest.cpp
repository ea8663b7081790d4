#include "TbiffRecord.h"

#include <gtest/gtest.h>

#include "BiffFormatRecords.h"
#include "BiffGlobalsRecords.h"
#include "Biff8Records.h"
#include "ExlsFileError.h"
#include "TMemoryStream.h"
#include "TxlsColInfoList.h"
#include "XlsTestSupport.h"

namespace {

std::string Saved(const TbiffRecord& record) {
  TMemoryStream stream;
  record.SaveToStream(stream);
  return std::string(stream.Memory(), static_cast<std::size_t>(stream.Size()));
}

// A stream that takes only so many bytes.
class TShortStream : public TMemoryStream {
public:
  explicit TShortStream(std::int64_t room) : room_(room) {}
  std::int64_t Write(const void* Buffer, std::int64_t Count) override {
    const std::int64_t n = std::min(Count, room_);
    room_ -= n;
    return TMemoryStream::Write(Buffer, n);
  }

private:
  std::int64_t room_;
};

}  // namespace

TEST(TbiffRecord, DataOf8221BytesIsWrittenAs8220AndOneContinueOfOne) {
  TbiffMSODrawingGroup record(std::vector<std::uint8_t>(8221, 0xAB));
  const std::string bytes = Saved(record);
  const auto records = SplitRecords(bytes);
  ASSERT_EQ(records.size(), 2u);
  EXPECT_EQ(records[0].Id, biff8::MSODRAWINGGROUP);
  EXPECT_EQ(records[0].Data.size(), 8220u);
  EXPECT_EQ(records[1].Id, biff8::CONTINUE);
  EXPECT_EQ(Hex(records[1].Data), "AB");
  EXPECT_EQ(record.TotalSize(), bytes.size());
}

TEST(TbiffRecord, ChildFollowsItsRecordAndCountsInTheTotalSize) {
  auto record = std::make_unique<TbiffCountry>(1, 1);
  record->SetChild(std::make_unique<TbiffSupbookInternal>(3));
  EXPECT_EQ(Hex(Saved(*record)), "8C 00 04 00 01 00 01 00 AE 01 04 00 03 00 01 04");
  EXPECT_EQ(record->TotalSize(), 16u);
}

TEST(TbiffRecord, ShortWriteOfIdLengthOrDataRaisesWriteError) {
  const TbiffCountry record(1, 1);
  for (std::int64_t room : {0, 3, 6}) {
    TShortStream stream(room);
    try {
      record.SaveToStream(stream);
      FAIL() << "no error with room for " << room << " bytes";
    } catch (const ExlsFileError& e) {
      EXPECT_STREQ(e.what(), "Error writing output file");
    }
  }
}

TEST(TbiffRecord, FontRecordHoldsItsFieldsAndNameInSixteenBitCharacters) {
  TbiffFont font(u"宋体");
  font.SetHeight(200);
  font.SetColor(8);
  font.SetWeight(700);
  font.SetCharset(134);
  EXPECT_EQ(Hex(Saved(font)), "31 00 14 00 C8 00 00 00 08 00 BC 02 00 00 00 00 86 00 02 01 8B 5B 53 4F");
}

TEST(TbiffRecord, FormatBoundSheetAndExternSheetRecords) {
  EXPECT_EQ(Hex(Saved(TbiffFormat(50, u"0.0"))), "1E 04 0B 00 32 00 03 00 01 30 00 2E 00 30 00");
  TbiffBoundSheet sheet(u"表1");
  sheet.SetOffset(0x1234);
  EXPECT_EQ(Hex(Saved(sheet)), "85 00 0C 00 34 12 00 00 00 00 02 01 68 88 31 00");
  TbiffExternSheet refs(2);
  refs.SetEntry(0, 0, 0, 0);
  refs.SetEntry(1, 0, 1, 1);
  EXPECT_EQ(Hex(Saved(refs)), "17 00 0E 00 02 00 00 00 00 00 00 00 00 00 01 00 01 00");
}

TEST(TxlsColInfoList, WritesOneColInfoPerColumnSortedByColumn) {
  TxlsColInfoList list;
  list.Add({3, 0x0A00, 15, 0});
  list.Add({1, 0x0900, 15, 0});
  EXPECT_FALSE(list.Sorted());
  TMemoryStream stream;
  list.SaveToStream(stream);
  const auto records = SplitRecords(std::string(stream.Memory(), static_cast<std::size_t>(stream.Size())));
  ASSERT_EQ(records.size(), 2u);
  // First and last column, width, XF, options, two unused bytes.
  EXPECT_EQ(Hex(records[0].Data), "01 00 01 00 00 09 0F 00 00 00 00 00");
  EXPECT_EQ(Hex(records[1].Data), "03 00 03 00 00 0A 0F 00 00 00 00 00");
}
