#include "TCustomImageList.h"

#include <QApplication>
#include <QPainter>
#include <QPainterPath>
#include <QStyle>

#include "Exception.h"
#include "TBitmap.h"
#include "TCustomImageList_p.h"
#include "TGraphic_p.h"
#include "TypInfo.h"

DEFINE_CLASS(TCustomImageList, TComponent)

namespace {

// A header sort arrow: a small filled triangle pointing up (ascending) or down.
QPixmap sortArrow(int w, int h, bool up) {
  QPixmap pm(w, h);
  pm.fill(Qt::transparent);
  QPainter p(&pm);
  p.setRenderHint(QPainter::Antialiasing);
  const qreal cx = w / 2.0;
  const qreal half = std::min(w, h) * 0.3;
  const qreal top = h / 2.0 - half / 1.5;
  const qreal bottom = h / 2.0 + half / 1.5;
  QPainterPath path;
  if (up) {
    path.moveTo(cx, top);
    path.lineTo(cx + half, bottom);
    path.lineTo(cx - half, bottom);
  } else {
    path.moveTo(cx - half, top);
    path.lineTo(cx + half, top);
    path.lineTo(cx, bottom);
  }
  path.closeSubpath();
  p.fillPath(path, QColor(96, 96, 96));
  return pm;
}

QPixmap stockPixmap(TStockImage image, int w, int h) {
  QStyle* style = QApplication::style();
  auto fromStyle = [&](QStyle::StandardPixmap sp) { return style->standardIcon(sp).pixmap(w, h); };
  switch (image) {
    case siSortAscending: return sortArrow(w, h, true);
    case siSortDescending: return sortArrow(w, h, false);
    case siComputer: return fromStyle(QStyle::SP_ComputerIcon);
    case siDrive: return fromStyle(QStyle::SP_DriveHDIcon);
    case siNetwork: return fromStyle(QStyle::SP_DriveNetIcon);
    case siParentFolder: return fromStyle(QStyle::SP_FileDialogToParent);
    case siFolder: return fromStyle(QStyle::SP_DirIcon);
    case siFolderOpen: return fromStyle(QStyle::SP_DirOpenIcon);
    case siFile: return fromStyle(QStyle::SP_FileIcon);
    case siRefresh: return fromStyle(QStyle::SP_BrowserReload);
  }
  return {};
}

}  // namespace

QPixmap ImageListPixmap(const TCustomImageList* list, int index) {
  if (list == nullptr) return {};
  const auto& images = list->ImageListData()->images;
  if (index < 0 || index >= static_cast<int>(images.size())) return {};
  return images[static_cast<std::size_t>(index)];
}

TCustomImageList::TCustomImageList(TComponent* AOwner) : TComponent(AOwner), d_(std::make_unique<Data>()) {}
TCustomImageList::~TCustomImageList() = default;

int TCustomImageList::Width() const { return d_->width; }
int TCustomImageList::Height() const { return d_->height; }

void TCustomImageList::SetWidth(int Value) {
  if (Value <= 0 || Value == d_->width) return;
  d_->width = Value;
  Clear();
}

void TCustomImageList::SetHeight(int Value) {
  if (Value <= 0 || Value == d_->height) return;
  d_->height = Value;
  Clear();
}

int TCustomImageList::Count() const { return static_cast<int>(d_->images.size()); }

int TCustomImageList::Add(TGraphic* Image) {
  QPixmap pm;
  if (Image != nullptr && !Image->Empty())
    pm = QPixmap::fromImage(Image->GraphicPrivate()->image.scaled(d_->width, d_->height, Qt::IgnoreAspectRatio,
                                                                  Qt::SmoothTransformation));
  else {
    pm = QPixmap(d_->width, d_->height);
    pm.fill(Qt::transparent);
  }
  d_->images.push_back(pm);
  changed();
  return Count() - 1;
}

int TCustomImageList::AddStock(TStockImage Image) {
  d_->images.push_back(stockPixmap(Image, d_->width, d_->height));
  changed();
  return Count() - 1;
}

void TCustomImageList::AddStandardImages() {
  for (TStockImage image : {siSortAscending, siSortDescending, siComputer, siDrive, siNetwork, siParentFolder, siFolder,
                            siFolderOpen, siFile})
    d_->images.push_back(stockPixmap(image, d_->width, d_->height));
  changed();
}

void TCustomImageList::Delete(int Index) {
  if (Index < 0 || Index >= Count()) throw EListError("Image index out of bounds (" + std::to_string(Index) + ")");
  d_->images.erase(d_->images.begin() + Index);
  changed();
}

void TCustomImageList::Clear() {
  if (d_->images.empty()) return;
  d_->images.clear();
  changed();
}

void TCustomImageList::GetBitmap(int Index, TGraphic* Image) const {
  if (Index < 0 || Index >= Count()) throw EListError("Image index out of bounds (" + std::to_string(Index) + ")");
  TBitmap bitmap;
  bitmap.GraphicPrivate()->image = d_->images[static_cast<std::size_t>(Index)].toImage();
  Image->Assign(&bitmap);
}

void TCustomImageList::changed() {
  if (OnChange) OnChange(this);
}
