// TxlsHyperlink: a link in a cell (Col, Row counted from 1) to a URL or a local file (Target),
// shown as Title, with an optional ScreenTip and the cell's look (Format).
//
// Published (defaults): Col 0, Row 0, Style hlsURL, Target "", Title "", ScreenTip "", Format
// (owned; when created, copied from the HyperlinkFormat of the Options of the collection's
// owner, or from the owner's own HyperlinkFormat). Written only when Col is 1 to 256, Row is not
// 0, and Title and Target are both set. RecordLength is the length of its HLINK record.
//
// TxlsHyperlinks: the links of a sheet or exporter.
#pragma once

#include <cstdint>
#include <memory>

#include "TOwnedCollection.h"
#include "TxlsCustomItem.h"
#include "TxlsFormat.h"

enum class TxlsHyperlinkStyle { hlsURL, hlsLocalFile };
using enum TxlsHyperlinkStyle;

class TxlsHyperlink : public TxlsCustomItem {
  DECLARE_CLASS(TxlsHyperlink, TxlsCustomItem)

  explicit TxlsHyperlink(TCollection* Collection = nullptr);
  ~TxlsHyperlink() override;

  void Assign(TPersistent* Source) override;
  AnsiString DisplayName() const override;
  int ItemKind() const override { return 3; }
  bool IsValid() const;
  std::size_t RecordLength() const;

  std::uint16_t Col() const { return col_; }
  void SetCol(std::uint16_t Value) { col_ = Value; }
  std::uint16_t Row() const { return row_; }
  void SetRow(std::uint16_t Value) { row_ = Value; }
  TxlsHyperlinkStyle Style() const { return style_; }
  void SetStyle(TxlsHyperlinkStyle Value) { style_ = Value; }
  const WideString& Target() const { return target_; }
  void SetTarget(const WideString& Value) { target_ = Value; }
  const WideString& Title() const { return title_; }
  void SetTitle(const WideString& Value) { title_ = Value; }
  const WideString& ScreenTip() const { return screenTip_; }
  void SetScreenTip(const WideString& Value) { screenTip_ = Value; }
  TxlsFormat* Format() const { return format_.get(); }
  void SetFormat(TxlsFormat* Value) { format_->Assign(Value); }

private:
  std::uint16_t col_ = 0;
  std::uint16_t row_ = 0;
  TxlsHyperlinkStyle style_ = hlsURL;
  WideString target_, title_, screenTip_;
  std::unique_ptr<TxlsFormat> format_;
};

class TxlsHyperlinks : public TOwnedCollection {
  DECLARE_CLASS(TxlsHyperlinks, TOwnedCollection)

  explicit TxlsHyperlinks(TPersistent* AOwner);
  TxlsHyperlink* Add();
  TxlsHyperlink* Items(int Index) const;
};
