#include "TFontMetrics.h"

#include <thread>

#include "GuiFixture.h"
#include "CodePage.h"
#include "TFont.h"

namespace {
class TFontMetricsTest : public GuiTest {};
}  // namespace

TEST_F(TFontMetricsTest, LongerTextAndLargerFontsMeasureWider) {
  TFont font;
  font.SetName("Arial");
  font.SetSize(10);
  const TFontMetrics small(font);
  font.SetSize(20);
  const TFontMetrics large(font);
  EXPECT_GT(small.TextWidth(u"0000"), small.TextWidth(u"00"));
  EXPECT_GT(small.TextWidth(u"00"), 0);
  EXPECT_GT(large.TextWidth(u"00"), small.TextWidth(u"00"));
  EXPECT_GT(large.TextHeight(), small.TextHeight());
  EXPECT_GT(small.TextWidth(u"中文"), 0);
  EXPECT_EQ(small.TextWidth(u""), 0);
}

TEST_F(TFontMetricsTest, WorkerThreadMeasuresAsTheMainThreadDoes) {
  TFont font;
  font.SetName("Tahoma");
  font.SetSize(12);
  const int onMain = TFontMetrics(font).TextWidth(u"Meter reading 抄表");
  int onWorker = -1;
  std::thread worker([&] { onWorker = TFontMetrics(font).TextWidth(u"Meter reading 抄表"); });
  worker.join();
  EXPECT_EQ(onWorker, onMain);
}

TEST_F(TFontMetricsTest, CharacterWidthsSideBySideAreNeverLessThanTheLaidOutText) {
  TFont font;
  font.SetName("Arial");
  font.SetSize(10);
  const TFontMetrics metrics(font);
  for (const char16_t* text : {u"AVATAR Wave", u"1,234,567.89", u"城东区解放路12号3单元101", u"0", u""})
    EXPECT_GE(metrics.CharWidthSum(text), metrics.TextWidth(text)) << WideToUtf8(text);
  EXPECT_EQ(metrics.CharWidthSum(u"a\U0001F600"), -1);
}
