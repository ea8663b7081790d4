#include "TxlsMSODrawing.h"

#include <gtest/gtest.h>

#include "Biff8Records.h"
#include "MsoBlipRecords.h"
#include "TMemoryStream.h"
#include "XlsTestSupport.h"

namespace {
std::string Written(const TmsoObject& object) {
  TbiffBuffer out;
  object.WriteTo(out);
  return std::string(reinterpret_cast<const char*>(out.Data()), out.Size());
}
}  // namespace

TEST(TmsoObject, HeadersCarryInstanceVersionTypeAndLength) {
  // Drawing 1: the group and two shapes, ids 1024 to 1026 of cluster 1. Drawing 2: 1100 shapes,
  // ids 2048 to 3147 of clusters 2 and 3. The group record: the id after the last, clusters + 1,
  // shapes and drawings saved, and per cluster its drawing and the ids it gave.
  EXPECT_EQ(Hex(Written(TmsoDgg({{1, 1, 3}, {2, 2, 1100}}))),
            "00 00 06 F0 28 00 00 00 4C 0C 00 00 04 00 00 00 4F 04 00 00 02 00 00 00 "
            "01 00 00 00 03 00 00 00 02 00 00 00 00 04 00 00 02 00 00 00 4C 00 00 00");
  // A drawing's record: its id as the instance, its shapes and its last shape id.
  EXPECT_EQ(Hex(Written(TmsoDg({2, 2, 4}))), "20 00 08 F0 08 00 00 00 04 00 00 00 03 08 00 00");
  EXPECT_EQ(Hex(Written(TmsoSp(202, 1025, msoShapeHasAnchor | msoShapeHasShapeType))),
            "A2 0C 0A F0 08 00 00 00 01 04 00 00 00 0A 00 00");
  EXPECT_EQ(Hex(Written(TmsoClientAnchor(3, {1, 0, 8, 0, 3, 0, 13, 0}))),
            "00 00 10 F0 12 00 00 00 03 00 01 00 00 00 08 00 00 00 03 00 00 00 0D 00 00 00");
  EXPECT_EQ(Hex(Written(TmsoSplitMenuColors())), "40 00 1E F1 10 00 00 00 0D 00 00 08 0C 00 00 08 17 00 00 08 F7 00 00 10");
}

TEST(TmsoObject, PropertyTableStoresComplexTextsAfterTheTable) {
  TmsoOPT opt;
  opt.Add(0x007F, 0x00800000);
  opt.AddComplex(0x0105, u"ab");
  EXPECT_EQ(opt.TotalSize(), 8u + 12u + 6u);
  EXPECT_EQ(Hex(Written(opt)), "23 00 0B F0 12 00 00 00 7F 00 00 00 80 00 05 81 06 00 00 00 61 00 62 00 00 00");
}

TEST(TmsoObject, PictureStoreEntryAndItsPicture) {
  EXPECT_EQ(Hex(Written(TmsoBSEData(msoBlipPNG, 100, 2))),
            "62 00 07 F0 24 00 00 00 06 06 00 00 00 00 00 00 00 00 00 00 00 00 00 00 00 00 FF 00 7D 00 00 00 02 00 00 00 "
            "00 00 00 00 00 00 3E 02");
  const std::string blip = Written(TmsoBLIPData(msoBlipPNG, {0x89, 0x50}));
  EXPECT_EQ(blip.size(), 27u);
  EXPECT_EQ(Hex(blip.substr(0, 8)), "00 6E 1E F0 13 00 00 00");
  EXPECT_EQ(Hex(blip.substr(25)), "89 50");
  // A BSE holding its BLIP covers it: 36 bytes of its own and the 27 of the BLIP.
  const std::string both =
      Written(TmsoBSEData(msoBlipPNG, 2, 1, std::make_unique<TmsoBLIPData>(msoBlipPNG, std::vector<std::uint8_t>{0x89, 0x50})));
  EXPECT_EQ(both.size(), 44u + 27u);
  EXPECT_EQ(U32At(both, 4), 36u + 27u);
  EXPECT_EQ(both.substr(44), blip);
}

TEST(TxlsMSODrawing, FirstItemCarriesBothContainerHeadersCoveringEveryItem) {
  TxlsMSODrawing drawing;
  auto* shape = drawing.Add(std::make_unique<TmsoContainer>(msoSpContainer));
  shape->Add(std::make_unique<TmsoSp>(202, 1025, 0x0A00));
  shape->Add(std::make_unique<TmsoClientData>());
  drawing.Add(std::make_unique<TmsoClientTextBox>());
  TMemoryStream stream;
  drawing.WriteItem(stream, 0);
  drawing.WriteItem(stream, 1);
  const auto records = SplitRecords(std::string(stream.Memory(), static_cast<std::size_t>(stream.Size())));
  ASSERT_EQ(records.size(), 2u);
  EXPECT_EQ(records[0].Id, biff8::MSODRAWING);
  const std::string& first = records[0].Data;
  // Items: a shape container of 8 + 16 + 8 bytes and a client text box of 8.
  const std::uint32_t items = 32 + 8;
  EXPECT_EQ(U16At(first, 2), msoDgContainer);
  EXPECT_EQ(U32At(first, 4), 16 + 8 + 48 + items);
  EXPECT_EQ(U16At(first, 26), msoSpgrContainer);
  EXPECT_EQ(U32At(first, 28), 48 + items);
  EXPECT_EQ(first.size(), 8u + 16 + 8 + 48 + 32);
  EXPECT_EQ(Hex(records[1].Data), "00 00 0D F0 00 00 00 00");
}
