#include "TxlsFormatLists.h"

#include "LocaleText.h"
#include "TxlsFont.h"

TxlsFontList::~TxlsFontList() = default;

TxlsFont* TxlsFontList::Add(std::unique_ptr<TxlsFont> Font) {
  items_.push_back(std::move(Font));
  return items_.back().get();
}

int TxlsFontList::IndexOf(const TxlsFont* Font) const {
  for (std::size_t i = 0; i < items_.size(); ++i)
    if (items_[i]->Equals(Font)) return static_cast<int>(i);
  return -1;
}

TxlsTextFormat* TxlsTextFormatList::Add(std::unique_ptr<TxlsTextFormat> Format) {
  items_.push_back(std::move(Format));
  return items_.back().get();
}

int TxlsTextFormatList::IndexOf(const WideString& Text) const {
  for (std::size_t i = 0; i < items_.size(); ++i)
    if (items_[i]->EqualsText(Text)) return static_cast<int>(i);
  return -1;
}

TxlsXFormat* TxlsXFormatList::Add(std::unique_ptr<TxlsXFormat> XF) {
  items_.push_back(std::move(XF));
  return items_.back().get();
}

int TxlsXFormatList::IndexOf(const TxlsXFormat* XF) const {
  for (const auto& item : items_)
    if (item->Equals(XF)) return item->Index();
  return -1;
}

int TxlsXFormatList::PositionOf(std::uint16_t XFIndex) const {
  for (std::size_t i = 0; i < items_.size(); ++i)
    if (items_[i]->Index() == XFIndex) return static_cast<int>(i);
  return -1;
}

TxlsXFormat* TxlsXFormatList::ByIndex(std::uint16_t XFIndex) const {
  const int at = PositionOf(XFIndex);
  return at < 0 ? nullptr : items_[static_cast<std::size_t>(at)].get();
}

void TxlsXFormatFieldList::Add(int SheetIndex, const AnsiString& FieldName, TxlsXFormat* XF) {
  items_.push_back({SheetIndex, FieldName, XF});
}

int TxlsXFormatFieldList::IndexOf(int SheetIndex, const AnsiString& FieldName) const {
  for (std::size_t i = 0; i < items_.size(); ++i)
    if (items_[i].SheetIndex == SheetIndex && AnsiSameText(items_[i].FieldName, FieldName)) return static_cast<int>(i);
  return -1;
}

std::uint16_t TxlsXFormatFieldList::XFIndex(int SheetIndex, const AnsiString& FieldName) const {
  const int at = IndexOf(SheetIndex, FieldName);
  if (at < 0 || items_[static_cast<std::size_t>(at)].XF == nullptr) return xlsDefaultXF;
  return items_[static_cast<std::size_t>(at)].XF->Index();
}

void TxlsXFormatColRowList::Add(int SheetIndex, int Key, TxlsXFormat* XF) { items_.push_back({SheetIndex, Key, XF}); }

std::uint16_t TxlsXFormatColRowList::XFIndex(int SheetIndex, int Key) const {
  for (const TxlsXFormatColRow& item : items_)
    if (item.SheetIndex == SheetIndex && item.Key == Key && item.XF != nullptr) return item.XF->Index();
  return xlsDefaultXF;
}
