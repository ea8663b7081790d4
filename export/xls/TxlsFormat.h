// TxlsFormat: how a cell looks: its font, borders, fill and alignment, whether its text wraps,
// its rotation and indent; FieldName names the field a format is meant for.
//
// Published (defaults): Font, Borders, Fill, Alignment (owned; setting one copies into it),
// Wrap False, Rotation 0, FieldName "", Indent 0.
//
// Assign from a TxlsFormat copies the look (font, borders, fill, alignment, Wrap, Rotation,
// Indent), not FieldName. In the exporter's StripStyles the display name is "StripStyle_" and
// the item's index.
//
// Ini files: SaveToIni writes, and LoadFromIni reads, the keys FontName, FontSize, FontColor,
// FontBold, FontItalic, FontStrikeOut, FontUnderline, HorAlignment, VertAlignment, BorderTop,
// BorderTopColor, BorderBottom, BorderBottomColor, BorderLeft, BorderLeftColor, BorderRight,
// BorderRightColor, FillPattern, FillBackground, FillForeground of a section the caller names.
// Colours are written as colour texts of their RGB values. A missing key, or a value that is
// not valid for its key, loads the key's default. Diagonal borders, Script, Charset, Wrap,
// Rotation and Indent are not kept.
#pragma once

#include <cstdint>
#include <memory>

#include "TOwnedCollection.h"
#include "TxlsAlignment.h"
#include "TxlsBorders.h"
#include "TxlsCustomItem.h"
#include "TxlsFill.h"
#include "TxlsFont.h"

class TCustomIniFile;
class TxlsXFormat;

class TxlsFormat : public TxlsCustomItem {
  DECLARE_CLASS(TxlsFormat, TxlsCustomItem)

  explicit TxlsFormat(TCollection* Collection = nullptr);
  ~TxlsFormat() override;

  void Assign(TPersistent* Source) override;
  AnsiString DisplayName() const override;
  int ItemKind() const override { return 0; }

  // Back to the default look; Rotation and FieldName stay.
  virtual void Reset();
  // The default look: arial 10 black without style, no borders, a white background on a white
  // foreground without pattern, general/bottom alignment, no wrap. Rotation and Indent are
  // not examined.
  bool IsDefault() const;
  // Takes the look of an XF: font, borders, fill, alignment, Wrap, Rotation and Indent.
  void AssignFromXF(const TxlsXFormat& XF);

  virtual void SaveToIni(TCustomIniFile* Ini, const AnsiString& Section) const;
  virtual void LoadFromIni(TCustomIniFile* Ini, const AnsiString& Section);

  TxlsFont* Font() const { return font_.get(); }
  void SetFont(TxlsFont* Value) { font_->Assign(Value); }
  TxlsBorders* Borders() const { return borders_.get(); }
  void SetBorders(TxlsBorders* Value) { borders_->Assign(Value); }
  TxlsFill* Fill() const { return fill_.get(); }
  void SetFill(TxlsFill* Value) { fill_->Assign(Value); }
  TxlsAlignment* Alignment() const { return alignment_.get(); }
  void SetAlignment(TxlsAlignment* Value) { alignment_->Assign(Value); }
  bool Wrap() const { return wrap_; }
  void SetWrap(bool Value) { wrap_ = Value; }
  std::uint8_t Rotation() const { return rotation_; }
  void SetRotation(std::uint8_t Value) { rotation_ = Value; }
  const AnsiString& FieldName() const { return fieldName_; }
  void SetFieldName(const AnsiString& Value) { fieldName_ = Value; }
  std::uint8_t Indent() const { return indent_; }
  void SetIndent(std::uint8_t Value) { indent_ = Value; }

private:
  std::unique_ptr<TxlsFont> font_;
  std::unique_ptr<TxlsBorders> borders_;
  std::unique_ptr<TxlsFill> fill_;
  std::unique_ptr<TxlsAlignment> alignment_;
  bool wrap_ = false;
  std::uint8_t rotation_ = 0;
  AnsiString fieldName_;
  std::uint8_t indent_ = 0;
};

// A collection of TxlsFormat that knows its owner.
class TxlsFormats : public TOwnedCollection {
  DECLARE_CLASS(TxlsFormats, TOwnedCollection)

  explicit TxlsFormats(TPersistent* AOwner);
  TxlsFormat* Add();
  TxlsFormat* Items(int Index) const;
};
