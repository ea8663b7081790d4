#include "TAnimate.h"

#include <gtest/gtest.h>

#include "FormFixture.h"

using namespace TestInput;

namespace {
class TAnimateTest : public FormTest {};
}  // namespace

TEST_F(TAnimateTest, TheSearchingClipLoopsWhileActive) {
  auto* clip = place<TAnimate>(10, 10, 5, 5);
  clip->SetCommonAVI(aviFindFolder);
  EXPECT_EQ(clip->Width(), 80) << "AutoSize takes the clip's size";
  EXPECT_EQ(clip->FrameCount(), 16);
  int starts = 0;
  clip->OnStart = [&](TObject*) { ++starts; };
  form->Show();
  clip->SetActive(true);
  EXPECT_TRUE(WaitUntil([&] { return clip->CurrentFrame() == 15; }));
  EXPECT_TRUE(WaitUntil([&] { return clip->CurrentFrame() == 1; })) << "it starts again";
  EXPECT_TRUE(clip->Active());
  clip->SetActive(false);
  EXPECT_EQ(starts, 1);
}

TEST_F(TAnimateTest, RepetitionsEndThePlayWithOnStop) {
  auto* clip = place<TAnimate>(10, 10, 80, 50);
  clip->SetCommonAVI(aviCopyFiles);
  int stops = 0;
  clip->OnStop = [&](TObject*) { ++stops; };
  clip->Play(12, 15, 1);
  EXPECT_TRUE(WaitUntil([&] { return stops == 1; }));
  EXPECT_FALSE(clip->Active());
  EXPECT_EQ(clip->CurrentFrame(), 15);
  clip->Reset();
  EXPECT_EQ(clip->CurrentFrame(), 0);
}
