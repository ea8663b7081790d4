#include "TCustomPanel.h"

#include <QPainter>
#include <QWidget>

#include "QtConvert_p.h"
#include "TWinControl_p.h"
#include "TPaintWidget_p.h"

DEFINE_CLASS(TCustomPanel, TWinControl)


class TPanelPrivate : public TWinControlPrivate {
public:
  TPanelPrivate() : TWinControlPrivate(new TPaintWidget) {}

  // Draws one raised or lowered edge of width w inside r and returns what is left inside it.
  QRect drawBevel(QPainter& p, QRect r, TBevelCut cut) const {
    if (cut == bvNone) return r;
    const QColor light = ToQColor(clBtnHighlight);
    const QColor dark = ToQColor(clBtnShadow);
    for (int i = 0; i < bevelWidth; ++i) {
      if (cut != bvSpace) {
        const QColor topLeft = cut == bvRaised ? light : dark;
        const QColor bottomRight = cut == bvRaised ? dark : light;
        p.setPen(topLeft);
        p.drawLine(r.left(), r.top(), r.right(), r.top());
        p.drawLine(r.left(), r.top(), r.left(), r.bottom());
        p.setPen(bottomRight);
        p.drawLine(r.left(), r.bottom(), r.right(), r.bottom());
        p.drawLine(r.right(), r.top(), r.right(), r.bottom());
      }
      r.adjust(1, 1, -1, -1);
    }
    return r;
  }

  void paint(QPainter& p, const AnsiString& caption) const {
    QRect r = widget->rect();
    r = drawBevel(p, r, bevelOuter);
    r.adjust(borderWidth, borderWidth, -borderWidth, -borderWidth);
    r = drawBevel(p, r, bevelInner);
    if (caption.empty()) return;
    p.setFont(widget->font());
    p.setPen(widget->palette().color(QPalette::WindowText));
    p.drawText(r, static_cast<int>(ToQAlignment(alignment) | Qt::AlignVCenter) | Qt::TextSingleLine, ToQString(caption));
  }

  TAlignment alignment = taCenter;
  TBevelCut bevelInner = bvNone;
  TBevelCut bevelOuter = bvRaised;
  int bevelWidth = 1;
  int borderWidth = 0;
};

TCustomPanel::TCustomPanel(TComponent* AOwner) : TWinControl(AOwner, std::make_unique<TPanelPrivate>()) {
  TPanelPrivate* d = PanelPrivate();
  d->fillBackground = true;
  d->clickOnMouseUp = true;
  d->consumeMouse = true;
  d->applyColor();
  static_cast<TPaintWidget*>(d->widget.data())->paint = [this](QPainter& p) { PanelPrivate()->paint(p, Caption()); };
  SetBounds(0, 0, 185, 41);
}

TPanelPrivate* TCustomPanel::PanelPrivate() const { return static_cast<TPanelPrivate*>(d_ptr.get()); }

void TCustomPanel::AdjustClientRect(TRect& Rect) const {
  const TPanelPrivate* d = PanelPrivate();
  int inset = d->borderWidth;
  if (d->bevelOuter != bvNone) inset += d->bevelWidth;
  if (d->bevelInner != bvNone) inset += d->bevelWidth;
  Rect.Left += inset;
  Rect.Top += inset;
  Rect.Right -= inset;
  Rect.Bottom -= inset;
}

void TCustomPanel::TextChanged() { Invalidate(); }

TAlignment TCustomPanel::Alignment() const { return PanelPrivate()->alignment; }
void TCustomPanel::SetAlignment(TAlignment Value) {
  PanelPrivate()->alignment = Value;
  Invalidate();
}

TBevelCut TCustomPanel::BevelInner() const { return PanelPrivate()->bevelInner; }
void TCustomPanel::SetBevelInner(TBevelCut Value) {
  PanelPrivate()->bevelInner = Value;
  Realign();
  Invalidate();
}

TBevelCut TCustomPanel::BevelOuter() const { return PanelPrivate()->bevelOuter; }
void TCustomPanel::SetBevelOuter(TBevelCut Value) {
  PanelPrivate()->bevelOuter = Value;
  Realign();
  Invalidate();
}

int TCustomPanel::BevelWidth() const { return PanelPrivate()->bevelWidth; }
void TCustomPanel::SetBevelWidth(int Value) {
  if (Value < 1) return;
  PanelPrivate()->bevelWidth = Value;
  Realign();
  Invalidate();
}

int TCustomPanel::BorderWidth() const { return PanelPrivate()->borderWidth; }
void TCustomPanel::SetBorderWidth(int Value) {
  if (Value < 0) return;
  PanelPrivate()->borderWidth = Value;
  Realign();
  Invalidate();
}
