#include "TxlsPictureStore.h"

#include <gtest/gtest.h>

#include <fstream>

#include "MsoBlipRecords.h"
#include "TBitmap.h"
#include "TComponent.h"
#include "TDataExportXLS.h"
#include "TJPEGImage.h"
#include "TMemoryStream.h"
#include "TPngImage.h"
#include "TxlsImage.h"
#include "TxlsPicture.h"
#include "XlsTestSupport.h"

namespace {

std::string FileBytes(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

std::string StoredBytes(const TxlsStoredPicture& picture) { return {picture.Bytes.begin(), picture.Bytes.end()}; }

// A 2 x 1 GIF: a red and a blue pixel.
const std::string kGif = Bytes({0x47, 0x49, 0x46, 0x38, 0x39, 0x61, 0x02, 0x00, 0x01, 0x00, 0x80, 0x00, 0x00, 0xFF,
                                0x00, 0x00, 0x00, 0x00, 0xFF, 0x2C, 0x00, 0x00, 0x00, 0x00, 0x02, 0x00, 0x01, 0x00,
                                0x00, 0x02, 0x02, 0x44, 0x0A, 0x00, 0x3B});

class TxlsPictureStoreTest : public ::testing::Test {
protected:
  TxlsPicture* add(const std::string& file) {
    TxlsPicture* picture = exporter->Pictures()->Add();
    picture->SetFileName(dir.Path(file));
    return picture;
  }
  void save(TGraphic& format, const std::string& file, int width, int height) {
    TBitmap bitmap;
    bitmap.SetSize(width, height);
    format.Assign(&bitmap);
    format.SaveToFile(dir.Path(file));
  }

  TTempDir dir;
  TComponent owner{nullptr};
  TDataExportXLS* exporter = new TDataExportXLS(&owner);
};

}  // namespace

TEST_F(TxlsPictureStoreTest, PicturesAreStoredByWhatTheirDataIsAndTheRestIsLeftOut) {
  TJPEGImage jpeg;
  save(jpeg, "a.jpg", 8, 6);
  TPngImage png;
  save(png, "b.png", 5, 4);
  TBitmap bmp;
  save(bmp, "c.bmp", 3, 2);
  std::ofstream(dir.Path("d.gif"), std::ios::binary) << kGif;
  std::ofstream(dir.Path("e.wmf"), std::ios::binary) << Bytes({0xD7, 0xCD, 0xC6, 0x9A, 0, 0}) << "metafile records";
  std::ofstream(dir.Path("f.png"), std::ios::binary) << "no picture at all";
  save(png, "g.jpg", 7, 7);  // a PNG under a JPEG's name
  for (const char* file : {"a.jpg", "b.png", "c.bmp", "d.gif", "e.wmf", "f.png", "missing.png", "g.jpg"}) add(file);

  const TxlsPictureStore store(exporter->Pictures());
  ASSERT_EQ(store.Pictures().size(), 5u);
  EXPECT_EQ(store.Pictures()[0].BlipType, msoBlipJPEG);
  EXPECT_EQ(StoredBytes(store.Pictures()[0]), FileBytes(dir.Path("a.jpg")));
  EXPECT_EQ(store.Pictures()[0].Width, 8);
  EXPECT_EQ(store.Pictures()[1].BlipType, msoBlipPNG);
  EXPECT_EQ(StoredBytes(store.Pictures()[1]), FileBytes(dir.Path("b.png")));
  EXPECT_EQ(store.Pictures()[2].BlipType, msoBlipDIB);
  EXPECT_EQ(StoredBytes(store.Pictures()[2]), FileBytes(dir.Path("c.bmp")).substr(14));
  // The GIF is decoded and stored as a PNG of its pixels.
  const TxlsStoredPicture& gif = store.Pictures()[3];
  EXPECT_EQ(gif.BlipType, msoBlipPNG);
  EXPECT_EQ(StoredBytes(gif).substr(1, 3), "PNG");
  EXPECT_EQ(gif.Width, 2);
  EXPECT_EQ(gif.Height, 1);
  EXPECT_EQ(store.Pictures()[4].BlipType, msoBlipPNG);
  // Places in the store by position in Pictures; the metafile, the text and the missing file
  // are not stored.
  EXPECT_EQ(store.StoreIndex(0), 1);
  EXPECT_EQ(store.StoreIndex(3), 4);
  EXPECT_EQ(store.StoreIndex(4), 0);
  EXPECT_EQ(store.StoreIndex(5), 0);
  EXPECT_EQ(store.StoreIndex(6), 0);
  EXPECT_EQ(store.StoreIndex(7), 5);
  EXPECT_EQ(store.StoreIndex(8), 0);
  EXPECT_EQ(store.StoreIndex(-1), 0);
}

TEST_F(TxlsPictureStoreTest, PictureDataInMemoryIsStoredWithItsUseCount) {
  TPngImage png;
  TBitmap bitmap;
  bitmap.SetSize(4, 4);
  png.Assign(&bitmap);
  TxlsPicture* picture = exporter->Pictures()->Add();
  png.SaveToStream(&picture->Data());
  picture->SetPictureSize(4, 4);
  TxlsSheet* sheet = exporter->Sheets()->Add();
  sheet->Images()->Add()->SetPictureName(picture->Name());
  sheet->Images()->Add()->SetPictureName(picture->Name());
  const TxlsPictureStore store(exporter->Pictures());
  ASSERT_EQ(store.Pictures().size(), 1u);
  EXPECT_EQ(store.Pictures()[0].UseCount, 2u);
  EXPECT_TRUE(TxlsPictureStore(nullptr).Empty());
}
