// Column information and widths measured from the texts written. Widths depend on the fonts
// installed, so they are compared with each other, not with pixel counts.
#include <gtest/gtest.h>

#include "Biff8Records.h"
#include "TMemoryStream.h"
#include "TxlsFormat.h"
#include "TxlsWorkbookWriter.h"
#include "XlsTestSupport.h"

namespace {

std::vector<TRecord> ColInfos(TMemoryStream& stream) {
  return RecordsWithId(SplitRecords(std::string(stream.Memory(), static_cast<std::size_t>(stream.Size()))),
                       biff8::COLINFO);
}

}  // namespace

TEST(TxlsWorkbookWriterColumns, ColumnInformationFollowsTheColumnWidthsAndCapsAt65535) {
  TMemoryStream stream;
  TxlsWorkbookWriter writer(stream);
  TxlsSheetFrame frame = DefaultFrame(0, u"S");
  frame.StartDataCol = 2;
  frame.ColumnWidths = {8, 20, 1000};
  writer.WriteSheetPrologue(frame);
  const auto infos = ColInfos(stream);
  ASSERT_EQ(infos.size(), 3u);
  EXPECT_EQ(U16At(infos[0].Data, 0), 2);
  EXPECT_EQ(U16At(infos[0].Data, 2), 2);
  EXPECT_EQ(U16At(infos[2].Data, 0), 4);
  EXPECT_GT(U16At(infos[1].Data, 4), U16At(infos[0].Data, 4));
  EXPECT_EQ(U16At(infos[0].Data, 4) / 256, 9);  // (8 + 1) characters and a fraction of one
  EXPECT_EQ(U16At(infos[2].Data, 4), 0xFFFF);
  EXPECT_EQ(U16At(infos[0].Data, 6), 15);
}

TEST(TxlsWorkbookWriterColumns, LongerOrLargerTextGivesAWiderColumnAndThePatchWritesIt) {
  TMemoryStream stream;
  TxlsWorkbookWriter writer(stream);
  TxlsSheetFrame frame = DefaultFrame(0, u"S");
  frame.ColumnWidths = {1, 1, 1, 1};
  writer.WriteSheetPrologue(frame);
  TxlsFormat large;
  large.Font()->SetSize(20);
  const std::uint16_t largeXF = writer.Formats().XFIndex(nullptr, u"General", &large);
  writer.UpdateColumnWidth(u"short", 15, 0);
  writer.UpdateColumnWidth(u"a much longer text than that", 15, 1);
  writer.UpdateColumnWidth(u"short", largeXF, 2);
  writer.UpdateColumnWidth(u"中文中文中文", 15, 3);
  writer.UpdateColumnWidth(u"x", 15, 1);  // a narrower text keeps the width
  EXPECT_GT(writer.ColumnWidth(1), writer.ColumnWidth(0));
  EXPECT_GT(writer.ColumnWidth(2), writer.ColumnWidth(0));
  EXPECT_GT(writer.ColumnWidth(3), 6);
  writer.WriteLabelSST(0, 0, u"cell after the column information", 15);
  const std::int64_t end = stream.Position();
  writer.PatchColumnWidths();
  EXPECT_EQ(stream.Position(), end);
  const auto infos = ColInfos(stream);
  ASSERT_EQ(infos.size(), 4u);
  for (int i = 0; i < 4; ++i) EXPECT_EQ(U16At(infos[i].Data, 4), writer.ColumnWidth(i) * 256) << i;
}
