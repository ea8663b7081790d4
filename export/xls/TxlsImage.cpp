#include "TxlsImage.h"

#include <cmath>
#include <memory>

#include "CodePage.h"
#include "Format.h"
#include "LocaleText.h"
#include "TFont.h"
#include "TFontMetrics.h"
#include "TxlsFont.h"
#include "TxlsPicture.h"
#include "TypInfo.h"

DEFINE_CLASS(TxlsImage, TxlsCustomItem,
             Published::Integer("Col", &TxlsImage::Col, &TxlsImage::SetCol),
             Published::Integer("Row", &TxlsImage::Row, &TxlsImage::SetRow),
             Published::String("PictureName", &TxlsImage::PictureName, &TxlsImage::SetPictureName),
             Published::WideString("Title", &TxlsImage::Title, &TxlsImage::SetTitle),
             Published::Integer("Zoom", &TxlsImage::Zoom, &TxlsImage::SetZoom))

DEFINE_CLASS(TxlsImages, TOwnedCollection)

namespace {

// Width of "0" in a font, as the screen draws it.
int digitWidth(const TxlsFont& font) {
  TFont screen;
  screen.Assign(const_cast<TxlsFont*>(&font));
  return std::max(1, TFontMetrics(screen).TextWidth(u"0"));
}

std::uint16_t cell(long value) { return static_cast<std::uint16_t>(std::clamp<long>(value, 0, 0xFFFF)); }

}  // namespace

TxlsImage::TxlsImage(TCollection* Collection) : TxlsCustomItem(Collection) {
  for (int i = 0;; ++i) {
    const WideString title = AnsiToWide(Format("Image_%d", {i}));
    bool taken = false;
    for (int k = 0; Collection != nullptr && k < Collection->Count() && !taken; ++k) {
      auto* other = static_cast<const TxlsImage*>(Collection->Items(k));
      taken = other != this && WideSameText(other->title_, title);
    }
    if (!taken) {
      title_ = title;
      break;
    }
  }
}

void TxlsImage::Assign(TPersistent* Source) {
  if (auto* image = dynamic_cast<TxlsImage*>(Source)) {
    col_ = image->col_;
    pictureName_ = image->pictureName_;
    row_ = image->row_;
    title_ = image->title_;
    return;
  }
  inherited::Assign(Source);
}

AnsiString TxlsImage::DisplayName() const { return title_.empty() ? inherited::DisplayName() : WideToAnsi(title_); }

TxlsPicture* TxlsImage::Picture() const {
  TPersistent* exporter = Exporter();
  if (exporter == nullptr || GetPropInfo(exporter, "Pictures") == nullptr) return nullptr;
  auto* pictures = dynamic_cast<TxlsPictures*>(GetObjectProp(exporter, "Pictures"));
  int index = -1;
  if (pictures == nullptr || !pictures->Find(pictureName_, index)) return nullptr;
  return pictures->Items(index);
}

int TxlsImage::PictureNumber() const {
  const TxlsPicture* picture = Picture();
  return picture == nullptr ? -1 : picture->Index() + 1;
}

TxlsAnchor TxlsImage::Anchor(const TxlsImageLayout& Layout) const {
  TxlsAnchor anchor;
  const TxlsPicture* picture = Picture();
  if (Sheet() == nullptr || picture == nullptr || !picture->HasPicture()) return anchor;
  int width = 0, height = 0;
  picture->PictureSize(width, height);
  const long pictureWidth = std::lround(width * zoom_ / 100.0);
  const long pictureHeight = std::lround(height * zoom_ / 100.0);

  // Columns, in pixels: (characters + 1) digits and one pixel each.
  int zero = Layout.DigitWidth;
  if (zero <= 0) zero = digitWidth(TxlsFont());
  long remaining = pictureWidth;
  long col = col_;
  long columnWidth = 1;
  for (;; ++col) {
    const long exported = col - Layout.StartDataCol;
    const int chars = exported >= 0 && exported < Layout.ColumnCount && Layout.ColumnWidth
                          ? Layout.ColumnWidth(static_cast<int>(exported))
                          : Layout.DefColWidth;
    columnWidth = static_cast<long>(chars + 1) * zero + 1;
    remaining -= columnWidth;
    if (remaining < 0 || col >= 255) break;
  }
  anchor.Col2 = cell(col);
  // A picture that runs past the last column or row ends there.
  anchor.Dx2 = cell(std::min(1024L, std::lround(static_cast<double>(remaining + columnWidth) * 1024 / columnWidth)));

  // Rows, in twips: the frame ends in the row where the picture's height runs out.
  const long rowHeight = std::max(1L, std::lround(Layout.DefRowHeight * 20));
  long remainingTwips = pictureHeight * 15;
  long row = row_;
  for (;; ++row) {
    remainingTwips -= rowHeight;
    if (remainingTwips < 0 || row >= 65535) break;
  }
  anchor.Row2 = cell(row);
  anchor.Dy2 = cell(std::min(256L, std::lround(static_cast<double>(remainingTwips + rowHeight) * 256 / rowHeight)));
  anchor.Col1 = col_;
  anchor.Row1 = row_;
  return anchor;
}

TxlsImages::TxlsImages(TPersistent* AOwner) : TOwnedCollection(AOwner, CollectionItemClass<TxlsImage>()) {}

TxlsImage* TxlsImages::Add() { return static_cast<TxlsImage*>(TCollection::Add()); }

TxlsImage* TxlsImages::Items(int Index) const { return static_cast<TxlsImage*>(TCollection::Items(Index)); }

TxlsImage* TxlsImages::Find(const WideString& Title) const {
  TxlsImage* found = nullptr;
  for (int i = 0; i < Count(); ++i)
    if (WideSameText(Items(i)->Title(), Title)) found = Items(i);
  return found;
}
