// TFontMetrics: sizes of text in a font as the screen draws it (96 pixels per inch), for code
// that sizes what it does not draw itself, such as the columns of an exported workbook.
//
// Usable from any thread once the GUI layer runs (ClasslibGui); constructing one before that
// raises EInvalidOperation. The font is taken as it is at construction; later changes of the
// TFont do not reach the metrics.
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
  // Height of one line of text, in pixels.
  int TextHeight() const;

private:
  struct Data;
  std::unique_ptr<Data> d_;
};
