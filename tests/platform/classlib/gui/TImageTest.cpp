#include "TImage.h"

#include <gtest/gtest.h>

#include <filesystem>

#include "FormFixture.h"
#include "TBitmap.h"
#include "TImageList.h"
#include "TJPEGImage.h"
#include "TPicture.h"

using namespace TestInput;

namespace {
class TImageTest : public FormTest {};
}  // namespace

TEST_F(TImageTest, ShowsAJpegFileAndReportsClicks) {
  const std::filesystem::path file = std::filesystem::temp_directory_path() / "hhm-image-test.jpg";
  {
    TBitmap bitmap;
    bitmap.SetSize(33, 22);
    TJPEGImage jpeg;
    jpeg.Assign(&bitmap);
    jpeg.SaveToFile(file.string());
  }
  auto* image = place<TImage>(10, 10, 10, 10);
  image->SetAutoSize(true);
  image->Picture()->LoadFromFile(file.string());
  std::filesystem::remove(file);
  EXPECT_EQ(image->Width(), 33);
  EXPECT_EQ(image->Height(), 22);
  int clicks = 0;
  image->OnClick = [&](TObject*) { ++clicks; };
  form->Show();
  ClickControl(image);
  EXPECT_EQ(clicks, 1);
}

TEST_F(TImageTest, ShowsNothingWithoutAPictureAndADesktopPictureWhenGivenOne) {
  auto* image = place<TImage>(10, 10, 20, 20);
  form->Show();
  EXPECT_EQ(ShownColourCount(image), 1);
  TImageList pictures(nullptr);
  pictures.AddStock(siRefresh);
  TBitmap refresh;
  pictures.GetBitmap(0, &refresh);
  image->Picture()->SetGraphic(&refresh);
  image->SetCenter(true);
  EXPECT_GT(ShownColourCount(image), 1);
}

TEST_F(TImageTest, PublishedPropertiesRoundTrip) {
  auto* image = place<TImage>(10, 10, 10, 10);
  for (const char* name : {"Stretch", "Center", "Proportional", "Transparent", "AutoSize"}) {
    SetOrdProp(image, name, 1);
    EXPECT_EQ(GetOrdProp(image, name), 1) << name;
  }
  TPicture other;
  TBitmap bitmap;
  bitmap.SetSize(5, 6);
  other.SetGraphic(&bitmap);
  SetObjectProp(image, "Picture", &other);
  EXPECT_EQ(image->Picture()->Width(), 5);
}
