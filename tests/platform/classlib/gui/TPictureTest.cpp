#include "TPicture.h"

#include <gtest/gtest.h>

#include "GuiFixture.h"
#include "TBitmap.h"
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
