#include "TJPEGImage.h"

#include <gtest/gtest.h>

#include "TBitmap.h"
#include "TMemoryStream.h"

TEST(TJPEGImageTest, EncodesAndDecodesThroughTheJpegLibrary) {
  TBitmap source;
  source.SetSize(40, 30);
  TJPEGImage jpeg;
  jpeg.Assign(&source);
  jpeg.SetCompressionQuality(75);
  TMemoryStream stream;
  jpeg.SaveToStream(&stream);
  ASSERT_GT(stream.Size(), 100);
  stream.SetPosition(0);
  unsigned char soi[2] = {};
  stream.ReadBuffer(soi, 2);
  EXPECT_EQ(soi[0], 0xFF);
  EXPECT_EQ(soi[1], 0xD8);
  stream.SetPosition(0);
  TJPEGImage decoded;
  decoded.LoadFromStream(&stream);
  EXPECT_EQ(decoded.Width(), 40);
  EXPECT_EQ(decoded.Height(), 30);
}

TEST(TJPEGImageTest, DataThatIsNoJpegIsRefusedAndThePictureKept) {
  TBitmap source;
  source.SetSize(8, 8);
  TJPEGImage jpeg;
  jpeg.Assign(&source);
  TMemoryStream stream;
  const char junk[] = "\xFF\xD8\xFF\xE0 this is not a picture at all";
  stream.WriteBuffer(junk, sizeof junk);
  stream.SetPosition(0);
  EXPECT_THROW(jpeg.LoadFromStream(&stream), EInvalidGraphic);
  EXPECT_EQ(jpeg.Width(), 8);
  TMemoryStream empty;
  EXPECT_THROW(jpeg.LoadFromStream(&empty), EInvalidGraphic);
  jpeg.SetCompressionQuality(0);
  EXPECT_EQ(jpeg.CompressionQuality(), 90);
}

TEST(TJPEGImageTest, AJpegCutShortIsRefused) {
  TBitmap source;
  source.SetSize(64, 64);
  TJPEGImage jpeg;
  jpeg.Assign(&source);
  TMemoryStream whole;
  jpeg.SaveToStream(&whole);
  TMemoryStream cut;
  std::vector<char> bytes(static_cast<std::size_t>(whole.Size()));
  whole.SetPosition(0);
  whole.ReadBuffer(bytes.data(), whole.Size());
  cut.WriteBuffer(bytes.data(), 20);
  cut.SetPosition(0);
  TJPEGImage target;
  EXPECT_THROW(target.LoadFromStream(&cut), EInvalidGraphic);
  EXPECT_TRUE(target.Empty());
}
