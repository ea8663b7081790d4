#include "TGroupBox.h"

#include <QFontMetrics>
#include <QGroupBox>

#include "QtConvert_p.h"
#include "TControlProps_p.h"
#include "TWinControl_p.h"

DEFINE_CLASS(TGroupBox, TWinControl, ControlProps::Align(), ControlProps::Caption(), ControlProps::Color(),
             ControlProps::Enabled(), ControlProps::Font(), ControlProps::Hint(), ControlProps::ParentColor(),
             ControlProps::ParentFont(), ControlProps::ParentShowHint(), ControlProps::PopupMenu(),
             ControlProps::ShowHint(), ControlProps::TabOrder(), ControlProps::TabStop(), ControlProps::Visible(),
             ControlProps::OnClick(), ControlProps::OnDblClick(), ControlProps::OnEnter(), ControlProps::OnExit(),
             ControlProps::OnMouseDown(), ControlProps::OnMouseUp())

TGroupBox::TGroupBox(TComponent* AOwner) : TWinControl(AOwner, std::make_unique<TWinControlPrivate>(new QGroupBox)) {
  TWinControlPrivate* d = WinControlPrivate();
  d->parentColor = true;
  d->tabStop = false;
  d->clickOnMouseUp = true;
  d->consumeMouse = true;
  SetBounds(0, 0, 185, 105);
}

void TGroupBox::TextChanged() {
  if (QWidget* w = WinControlPrivate()->widget) static_cast<QGroupBox*>(w)->setTitle(ToQString(Caption()));
}

void TGroupBox::AdjustClientRect(TRect& Rect) const {
  // Below the caption line, inside the frame.
  const QFontMetrics metrics(ToQFont(*Font()));
  Rect.Top += metrics.height();
  Rect.Left += 2;
  Rect.Right -= 2;
  Rect.Bottom -= 2;
}
