// The workbook's side of cell formats, as they become FORMAT and XF records.
//
// TxlsTextFormat: a number format of the workbook: its FORMAT index (0 when created) and text
// ("General" when created). Two are equal when their texts are the same in the ANSI code page.
//
// TxlsXFormat: one XF of the workbook: its index, its font (one of the workbook's font list, or
// none: the default font), its number format (or none: General), and its borders, fill,
// alignment, wrap, rotation and indent. Two are equal when fonts and number formats are equal
// (or both missing) and everything else is equal; the index is not compared.
#pragma once

#include <cstdint>
#include <memory>

#include "System.h"
#include "TxlsAlignment.h"
#include "TxlsBorders.h"
#include "TxlsFill.h"

class TxlsFont;

class TxlsTextFormat {
public:
  explicit TxlsTextFormat(const WideString& Text = u"General");

  std::uint16_t Index() const { return index_; }
  void SetIndex(std::uint16_t Value) { index_ = Value; }
  const WideString& Text() const { return text_; }
  // True for a format of the same ANSI text; false for a missing one.
  bool Equals(const TxlsTextFormat* Other) const;
  bool EqualsText(const WideString& Text) const;

private:
  std::uint16_t index_ = 0;
  WideString text_;
  AnsiString ansiText_;  // compared, as the formats are told apart in the user's code page
};

class TxlsXFormat {
public:
  TxlsXFormat();
  ~TxlsXFormat();
  TxlsXFormat(const TxlsXFormat&) = delete;
  TxlsXFormat& operator=(const TxlsXFormat&) = delete;

  std::uint16_t Index() const { return index_; }
  void SetIndex(std::uint16_t Value) { index_ = Value; }
  // Not owned: entries of the workbook's lists (or, while an XF is being matched, candidates).
  TxlsFont* Font() const { return font_; }
  void SetFont(TxlsFont* Value) { font_ = Value; }
  TxlsTextFormat* NumberFormat() const { return numberFormat_; }
  void SetNumberFormat(TxlsTextFormat* Value) { numberFormat_ = Value; }

  TxlsBorders* Borders() const { return borders_.get(); }
  TxlsFill* Fill() const { return fill_.get(); }
  TxlsAlignment* Alignment() const { return alignment_.get(); }
  bool Wrap() const { return wrap_; }
  void SetWrap(bool Value) { wrap_ = Value; }
  std::uint8_t Rotation() const { return rotation_; }
  void SetRotation(std::uint8_t Value) { rotation_ = Value; }
  std::uint8_t Indent() const { return indent_; }
  void SetIndent(std::uint8_t Value) { indent_ = Value; }

  bool Equals(const TxlsXFormat* Other) const;

private:
  std::uint16_t index_ = 0;
  TxlsFont* font_ = nullptr;
  TxlsTextFormat* numberFormat_ = nullptr;
  std::unique_ptr<TxlsBorders> borders_;
  std::unique_ptr<TxlsFill> fill_;
  std::unique_ptr<TxlsAlignment> alignment_;
  bool wrap_ = false;
  std::uint8_t rotation_ = 0;
  std::uint8_t indent_ = 0;
};
