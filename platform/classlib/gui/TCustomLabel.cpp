#include "TCustomLabel.h"

#include <QLabel>

#include "QtConvert_p.h"
#include "TControl_p.h"

DEFINE_CLASS(TCustomLabel, TGraphicControl)

namespace {

// The label's text as rich text: "&x" underlines x, "&&" is "&".
QString accelText(const QString& text) {
  QString out;
  for (qsizetype i = 0; i < text.size(); ++i) {
    const QChar c = text[i];
    if (c == u'&' && i + 1 < text.size()) {
      ++i;
      if (text[i] == u'&')
        out += QStringLiteral("&amp;");
      else
        out += QStringLiteral("<u>") + QString(text[i]).toHtmlEscaped() + QStringLiteral("</u>");
    } else {
      out += QString(c).toHtmlEscaped();
    }
  }
  return out;
}

}  // namespace

class TLabelPrivate : public TControlPrivate {
public:
  TLabelPrivate() : TControlPrivate(new QLabel) {}
  QLabel* label() const { return static_cast<QLabel*>(widget.data()); }

  TAlignment alignment = taLeftJustify;
  bool autoSize = true;
  TTextLayout layout = tlTop;
  bool showAccelChar = true;
  bool transparent = false;
  bool wordWrap = false;
};

namespace {
TLabelPrivate* dOf(const TCustomLabel* l) { return static_cast<TLabelPrivate*>(l->ControlPrivate()); }
}  // namespace

TCustomLabel::TCustomLabel(TComponent* AOwner) : TGraphicControl(AOwner, std::make_unique<TLabelPrivate>()) {
  TLabelPrivate* d = dOf(this);
  d->parentColor = true;
  d->fillBackground = true;
  d->clickOnMouseUp = true;
  d->consumeMouse = true;
  d->label()->setTextFormat(Qt::RichText);
  d->label()->setAlignment(Qt::AlignLeft | Qt::AlignTop);
  SetBounds(0, 0, 65, 17);
  applyText();
}

void TCustomLabel::applyText() {
  TLabelPrivate* d = dOf(this);
  if (!d->widget) return;
  const QString text = ToQString(Caption());
  d->label()->setText(d->showAccelChar ? accelText(text) : text.toHtmlEscaped());
  adjustBounds();
}

void TCustomLabel::adjustBounds() {
  TLabelPrivate* d = dOf(this);
  if (!d->autoSize || !d->widget) return;
  QLabel* l = d->label();
  if (d->wordWrap) {
    SetBounds(Left(), Top(), Width(), std::max(1, l->heightForWidth(Width())));
    return;
  }
  const QSize hint = l->sizeHint();
  // A right-aligned label grows to the left, a centred one both ways.
  int left = Left();
  if (d->alignment == taRightJustify) left += Width() - hint.width();
  if (d->alignment == taCenter) left += (Width() - hint.width()) / 2;
  SetBounds(left, Top(), hint.width(), hint.height());
}

void TCustomLabel::TextChanged() { applyText(); }

void TCustomLabel::FontChanged() {
  inherited::FontChanged();
  adjustBounds();
}

void TCustomLabel::ColorChanged() {
  TLabelPrivate* d = dOf(this);
  d->fillBackground = !d->transparent;
  inherited::ColorChanged();
  if (d->widget) d->widget->setAutoFillBackground(!d->transparent);
}

TAlignment TCustomLabel::Alignment() const { return dOf(this)->alignment; }
void TCustomLabel::SetAlignment(TAlignment Value) {
  TLabelPrivate* d = dOf(this);
  d->alignment = Value;
  const Qt::Alignment v = d->layout == tlBottom ? Qt::AlignBottom : d->layout == tlCenter ? Qt::AlignVCenter : Qt::AlignTop;
  d->label()->setAlignment(ToQAlignment(Value) | v);
}

bool TCustomLabel::AutoSize() const { return dOf(this)->autoSize; }
void TCustomLabel::SetAutoSize(bool Value) {
  dOf(this)->autoSize = Value;
  adjustBounds();
}

TTextLayout TCustomLabel::Layout() const { return dOf(this)->layout; }
void TCustomLabel::SetLayout(TTextLayout Value) {
  dOf(this)->layout = Value;
  SetAlignment(dOf(this)->alignment);
}

bool TCustomLabel::ShowAccelChar() const { return dOf(this)->showAccelChar; }
void TCustomLabel::SetShowAccelChar(bool Value) {
  dOf(this)->showAccelChar = Value;
  applyText();
}

bool TCustomLabel::Transparent() const { return dOf(this)->transparent; }
void TCustomLabel::SetTransparent(bool Value) {
  dOf(this)->transparent = Value;
  ColorChanged();
}

bool TCustomLabel::WordWrap() const { return dOf(this)->wordWrap; }
void TCustomLabel::SetWordWrap(bool Value) {
  dOf(this)->wordWrap = Value;
  dOf(this)->label()->setWordWrap(Value);
  adjustBounds();
}
