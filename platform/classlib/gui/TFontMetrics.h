// TFontMetrics: sizes of text in a font as the screen draws it (96 pixels per inch), for code
// that sizes what it does not draw itself, such as the columns of an exported workbook.
//
// Usable from any thread once the GUI layer runs (ClasslibGui); constructing one before that
// raises EInvalidOperation. The font is taken as it is at construction; later changes of the
// TFont do not reach the metrics. One object serves one thread at a time (it keeps the widths
// of the characters it was asked about).
#pragma once

#include <memory>
#include <string_view>

class TFont;

class TFontMetrics {
public:
  explicit TFontMetrics(const TFont& Font);
  ~TFontMetrics();
  TFontMetrics(const TFontMetrics&) = delete;
  TFontMetrics& operator=(const TFontMetrics&) = delete;

  // Width of the text on one line, in pixels.
  int TextWidth(std::u16string_view Text) const;
  // The sum of the widths of the text's characters each on its own, in pixels, without what
  // setting them side by side changes (kerning, ligatures), which in the fonts of tables only
  // narrows them: quick, and not less than TextWidth for such text. -1 for text with characters
  // beyond the Basic Multilingual Plane.
  int CharWidthSum(std::u16string_view Text) const;
  // Height of one line of text, in pixels.
  int TextHeight() const;

private:
  struct Data;
  std::unique_ptr<Data> d_;
};
