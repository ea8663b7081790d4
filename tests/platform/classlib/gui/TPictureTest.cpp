#include "TPicture.h"

#include <gtest/gtest.h>

#include "GuiFixture.h"
#include "TBitmap.h"
#include "TGIFImage.h"
#include "TJPEGImage.h"
#include "TMemoryStream.h"
#include "TPngImage.h"

namespace {

class TPictureTest : public GuiTest {};

void save(TGraphic& g, TMemoryStream& stream) {
  TBitmap bitmap;
  bitmap.SetSize(12, 9);
  g.Assign(&bitmap);
  g.SaveToStream(&stream);
  stream.SetPosition(0);
}

}  // namespace

TEST_F(TPictureTest, TheFormatIsRecognisedFromTheData) {
  TPicture picture;
  int changes = 0;
  picture.OnChange = [&](TObject*) { ++changes; };
  TJPEGImage jpeg;
  TMemoryStream jpegData;
  save(jpeg, jpegData);
  picture.LoadFromStream(&jpegData);
  EXPECT_NE(dynamic_cast<TJPEGImage*>(picture.Graphic()), nullptr);
  TPngImage png;
  TMemoryStream pngData;
  save(png, pngData);
  picture.LoadFromStream(&pngData);
  EXPECT_NE(dynamic_cast<TPngImage*>(picture.Graphic()), nullptr);
  TBitmap bmp;
  TMemoryStream bmpData;
  save(bmp, bmpData);
  picture.LoadFromStream(&bmpData);
  EXPECT_NE(dynamic_cast<TBitmap*>(picture.Graphic()), nullptr);
  EXPECT_EQ(picture.Width(), 12);
  EXPECT_EQ(changes, 3);
}

TEST_F(TPictureTest, UnknownDataIsRefused) {
  TPicture picture;
  TMemoryStream text;
  text.WriteBuffer("hello", 5);
  text.SetPosition(0);
  EXPECT_THROW(picture.LoadFromStream(&text), EInvalidGraphic);
  EXPECT_EQ(picture.Graphic(), nullptr);
  EXPECT_THROW(picture.SaveToFile("/tmp/never-written.png"), EInvalidGraphic);
}

TEST_F(TPictureTest, AssignCopiesThePicture) {
  TPicture a;
  TPngImage png;
  TMemoryStream data;
  save(png, data);
  a.LoadFromStream(&data);
  TPicture b;
  b.Assign(&a);
  EXPECT_NE(b.Graphic(), a.Graphic());
  EXPECT_NE(dynamic_cast<TPngImage*>(b.Graphic()), nullptr);
  EXPECT_EQ(b.Height(), 9);
  b.Assign(nullptr);
  EXPECT_EQ(b.Graphic(), nullptr);
}

TEST_F(TPictureTest, GifPicturesAreReadAndCanBeWrittenInAnotherFormat) {
  // A 2 x 1 GIF: a red and a blue pixel.
  const unsigned char gif[] = {0x47, 0x49, 0x46, 0x38, 0x39, 0x61, 0x02, 0x00, 0x01, 0x00, 0x80, 0x00,
                               0x00, 0xFF, 0x00, 0x00, 0x00, 0x00, 0xFF, 0x2C, 0x00, 0x00, 0x00, 0x00,
                               0x02, 0x00, 0x01, 0x00, 0x00, 0x02, 0x02, 0x44, 0x0A, 0x00, 0x3B};
  TMemoryStream data;
  data.WriteBuffer(gif, sizeof gif);
  data.SetPosition(0);
  TPicture picture;
  picture.LoadFromStream(&data);
  ASSERT_NE(dynamic_cast<TGIFImage*>(picture.Graphic()), nullptr);
  EXPECT_EQ(picture.Width(), 2);
  EXPECT_EQ(picture.Height(), 1);
  TMemoryStream out;
  EXPECT_THROW(picture.Graphic()->SaveToStream(&out), EInvalidGraphic);
  TPngImage png;
  png.Assign(picture.Graphic());
  png.SaveToStream(&out);
  EXPECT_EQ(std::string(out.Memory() + 1, 3), "PNG");
}

TEST_F(TPictureTest, APictureDrawnOntoA24BitBitmapIsSavedWith24BitsPerPixel) {
  // A white bitmap with blue pixels drawn over its left half.
  TBitmap canvas;
  canvas.SetPixelFormat(pf24bit);
  canvas.SetSize(6, 2);
  TPngImage blue;
  {
    TBitmap pixels;
    pixels.SetSize(3, 2);
    TMemoryStream b;
    pixels.SaveToStream(&b);
    std::string raw(b.Memory(), static_cast<std::size_t>(b.Size()));
    const std::size_t offset = static_cast<unsigned char>(raw[10]);
    const int bits = static_cast<unsigned char>(raw[28]);
    for (std::size_t at = offset; at + 3 <= raw.size(); at += static_cast<std::size_t>(bits / 8)) {
      raw[at] = static_cast<char>(0xFF);
      raw[at + 1] = 0;
      raw[at + 2] = 0;
    }
    TMemoryStream blueBmp;
    blueBmp.WriteBuffer(raw.data(), static_cast<std::int64_t>(raw.size()));
    blueBmp.SetPosition(0);
    pixels.LoadFromStream(&blueBmp);
    blue.Assign(&pixels);
  }
  canvas.Draw(0, 0, blue);
  TMemoryStream saved;
  canvas.SaveToStream(&saved);
  const std::string file(saved.Memory(), static_cast<std::size_t>(saved.Size()));
  ASSERT_GT(file.size(), 54u);
  EXPECT_EQ(static_cast<unsigned char>(file[28]), 24);
  const std::size_t pixels = static_cast<unsigned char>(file[10]);
  // The bottom row first: blue, blue, blue, white ... in blue, green, red order.
  EXPECT_EQ(static_cast<unsigned char>(file[pixels]), 0xFF);
  EXPECT_EQ(static_cast<unsigned char>(file[pixels + 2]), 0x00);
  EXPECT_EQ(static_cast<unsigned char>(file[pixels + 9 + 2]), 0xFF);
  // Rows of 6 pixels take 18 bytes, padded to 20.
  EXPECT_EQ(file.size() - pixels, 2u * 20);
}
