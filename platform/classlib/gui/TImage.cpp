#include "TImage.h"

#include <QPainter>
#include <QWidget>

#include "TControlProps_p.h"
#include "TControl_p.h"
#include "TGraphic_p.h"
#include "TPicture.h"
#include "TPaintWidget_p.h"

DEFINE_CLASS(TImage, TGraphicControl, ControlProps::Align(),
             Published::Boolean("AutoSize", &TImage::AutoSize, &TImage::SetAutoSize),
             Published::Boolean("Center", &TImage::Center, &TImage::SetCenter), ControlProps::Enabled(),
             ControlProps::Hint(), ControlProps::ParentShowHint(),
             Published::Class("Picture", &TImage::Picture, &TImage::SetPicture), ControlProps::PopupMenu(),
             Published::Boolean("Proportional", &TImage::Proportional, &TImage::SetProportional),
             ControlProps::ShowHint(), Published::Boolean("Stretch", &TImage::Stretch, &TImage::SetStretch),
             Published::Boolean("Transparent", &TImage::Transparent, &TImage::SetTransparent), ControlProps::Visible(),
             ControlProps::OnClick(), ControlProps::OnDblClick(), ControlProps::OnMouseDown(), ControlProps::OnMouseUp())

class TImagePrivate : public TControlPrivate {
public:
  TImagePrivate() : TControlPrivate(new TPaintWidget) {}

  // Where the picture goes in the control.
  QRect target(const QSize& picture) const {
    const QRect area = widget->rect();
    QSize size = picture;
    if (stretch) size = proportional ? picture.scaled(area.size(), Qt::KeepAspectRatio) : area.size();
    else if (proportional && (picture.width() > area.width() || picture.height() > area.height()))
      size = picture.scaled(area.size(), Qt::KeepAspectRatio);
    QPoint at(0, 0);
    if (center) at = QPoint((area.width() - size.width()) / 2, (area.height() - size.height()) / 2);
    return QRect(at, size);
  }

  // The picture with the colour of its bottom-left pixel made clear, as bitmaps are drawn
  // transparent on the platform the forms were made for. Made again only when the picture's
  // pixels change, not on every paint.
  const QImage& keyed(const QImage& source) {
    if (source.cacheKey() == keyedFrom) return keyedImage;
    keyedFrom = source.cacheKey();
    keyedImage = source.convertToFormat(QImage::Format_ARGB32);
    const QRgb key = source.pixel(0, source.height() - 1) & 0xFFFFFF;
    for (int y = 0; y < keyedImage.height(); ++y) {
      auto* line = reinterpret_cast<QRgb*>(keyedImage.scanLine(y));
      for (int x = 0; x < keyedImage.width(); ++x)
        if ((line[x] & 0xFFFFFF) == key) line[x] = 0;
    }
    return keyedImage;
  }

  TPicture picture;
  QImage keyedImage;
  qint64 keyedFrom = 0;  // the cache key of the picture keyedImage was made from
  bool autoSize = false;
  bool center = false;
  bool proportional = false;
  bool stretch = false;
  bool transparent = false;
};

namespace {
TImagePrivate* dOf(const TImage* i) { return static_cast<TImagePrivate*>(i->ControlPrivate()); }
}  // namespace

TImage::TImage(TComponent* AOwner) : TGraphicControl(AOwner, std::make_unique<TImagePrivate>()) {
  TImagePrivate* d = dOf(this);
  d->clickOnMouseUp = true;
  d->consumeMouse = true;
  d->picture.OnChange = [this](TObject*) { pictureChanged(); };
  static_cast<TPaintWidget*>(d->widget.data())->paint = [d](QPainter& p) {
    const TGraphic* g = d->picture.Graphic();
    if (g == nullptr || g->Empty()) return;
    const QImage& source = g->GraphicPrivate()->image;
    const QImage image = d->transparent && !source.hasAlphaChannel() ? d->keyed(source) : source;
    p.setRenderHint(QPainter::SmoothPixmapTransform);
    p.drawImage(d->target(image.size()), image);
  };
  SetBounds(0, 0, 105, 105);
}

TImage::~TImage() { dOf(this)->picture.OnChange = nullptr; }

void TImage::pictureChanged() {
  TImagePrivate* d = dOf(this);
  if (d->autoSize && d->picture.Width() > 0 && d->picture.Height() > 0)
    SetBounds(Left(), Top(), d->picture.Width(), d->picture.Height());
  Invalidate();
}

TPicture* TImage::Picture() const { return &dOf(this)->picture; }
void TImage::SetPicture(TPicture* Value) { dOf(this)->picture.Assign(Value); }

bool TImage::AutoSize() const { return dOf(this)->autoSize; }
void TImage::SetAutoSize(bool Value) {
  dOf(this)->autoSize = Value;
  pictureChanged();
}
bool TImage::Center() const { return dOf(this)->center; }
void TImage::SetCenter(bool Value) {
  dOf(this)->center = Value;
  Invalidate();
}
bool TImage::Proportional() const { return dOf(this)->proportional; }
void TImage::SetProportional(bool Value) {
  dOf(this)->proportional = Value;
  Invalidate();
}
bool TImage::Stretch() const { return dOf(this)->stretch; }
void TImage::SetStretch(bool Value) {
  dOf(this)->stretch = Value;
  Invalidate();
}
bool TImage::Transparent() const { return dOf(this)->transparent; }
void TImage::SetTransparent(bool Value) {
  dOf(this)->transparent = Value;
  Invalidate();
}
