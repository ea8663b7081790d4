#include "TFontMetrics.h"

#include <cstdio>
#include <memory>
#include <string>
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
    EXPECT_GE(metrics.CharWidthSum(text), metrics.DesignWidth(text)) << WideToUtf8(text);
  EXPECT_EQ(metrics.CharWidthSum(u"a\U0001F600"), -1);
}

TEST_F(TFontMetricsTest, DesignWidthsGrowInProportionToTheSize) {
  const std::u16string text = u"Meter reading 1,234.50";
  TFont font;
  font.SetName("Arial");
  font.SetHeight(-13);
  const double small = TFontMetrics(font).DesignWidth(text);
  font.SetHeight(-26);
  const double large = TFontMetrics(font).DesignWidth(text);
  EXPECT_GT(small, 0);
  // Each character's width is kept in 64ths of a pixel.
  EXPECT_NEAR(large, 2 * small, static_cast<double>(text.size()) / 64);
}

// A family not installed under its name is measured for documents in the face the system's
// font configuration gives it (as fc-match names it), whatever the program's windows use.
TEST_F(TFontMetricsTest, DocumentFacesAreThoseTheFontConfigurationGivesTheFamily) {
  for (const char* family : {"Arial", "Courier New", "Times New Roman"}) {
    std::string configured;
    std::unique_ptr<FILE, int (*)(FILE*)> pipe(
        popen(("fc-match -f '%{family[0]}' '" + std::string(family) + "'").c_str(), "r"), pclose);
    ASSERT_NE(pipe, nullptr);
    for (int c; (c = std::fgetc(pipe.get())) != EOF;) configured += static_cast<char>(c);
    ASSERT_FALSE(configured.empty()) << family;
    TFont asked;
    asked.SetName(family);
    asked.SetSize(10);
    TFont face;
    face.SetName(configured.c_str());
    face.SetSize(10);
    for (const char16_t* text : {u"Meter reading 0123456789", u"-2,147,483,647"})
      EXPECT_EQ(TFontMetrics(asked, ffDocument).DesignWidth(text), TFontMetrics(face).DesignWidth(text))
          << family << " drawn in " << configured;
  }
}
