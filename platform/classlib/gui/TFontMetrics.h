// TFontMetrics: sizes of text in a font as the screen draws it (96 pixels per inch), for code
// that sizes what it does not draw itself, such as the columns of an exported workbook.
//
// A font whose family is not installed under its own name (the Windows families: Arial,
// Courier New, 宋体) is drawn in a face that stands in for it. Which face is chosen by the
// metrics' TFontFaces: ffProgram measures in the faces the program's own windows show (the
// class library's stand-ins for the families of its forms); ffDocument in the face the
// system's font configuration gives the family, as other programs opening a document (office
// suites) choose it: a face of the same widths where one is installed (for Arial, Liberation
// Sans or Nimbus Sans).
//
// Usable from any thread once the GUI layer runs (ClasslibGui); constructing one before that
// raises EInvalidOperation. The font is taken as it is at construction; later changes of the
// TFont do not reach the metrics. One object serves one thread at a time (it keeps the widths
// of the characters it was asked about).
#pragma once

#include <memory>
#include <string_view>

class TFont;

enum class TFontFaces { ffProgram, ffDocument };
using enum TFontFaces;

class TFontMetrics {
public:
  explicit TFontMetrics(const TFont& Font, TFontFaces Faces = ffProgram);
  ~TFontMetrics();
  TFontMetrics(const TFontMetrics&) = delete;
  TFontMetrics& operator=(const TFontMetrics&) = delete;

  // Width of the text on one line, in pixels, as the screen draws it.
  int TextWidth(std::u16string_view Text) const;
  // Width of the text on one line in the font's design widths at its size, in fractions of a
  // pixel: not fitted to the screen's pixels, so in proportion to the size, as programs lay text
  // out that size it for any device (office suites deciding whether a value fits its cell).
  double DesignWidth(std::u16string_view Text) const;
  // The sum of the design widths of the text's characters each on its own, without what setting
  // them side by side changes (kerning, ligatures), which in the fonts of tables only narrows
  // them: quick, and not less than DesignWidth for such text. -1 for text with characters
  // beyond the Basic Multilingual Plane.
  double CharWidthSum(std::u16string_view Text) const;
  // Height of one line of text, in pixels.
  int TextHeight() const;

private:
  struct Data;
  std::unique_ptr<Data> d_;
};
