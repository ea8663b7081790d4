#include "TProgressBar.h"

#include <QProgressBar>

#include "TControlProps_p.h"
#include "TWinControl_p.h"

DEFINE_CLASS(TProgressBar, TWinControl, ControlProps::Align(), ControlProps::Enabled(), ControlProps::Hint(),
             Published::Integer("Max", &TProgressBar::Max, &TProgressBar::SetMax),
             Published::Integer("Min", &TProgressBar::Min, &TProgressBar::SetMin), ControlProps::ParentShowHint(),
             ControlProps::PopupMenu(), Published::Integer("Position", &TProgressBar::Position, &TProgressBar::SetPosition),
             ControlProps::ShowHint(), Published::Boolean("Smooth", &TProgressBar::Smooth, &TProgressBar::SetSmooth),
             Published::Integer("Step", &TProgressBar::Step, &TProgressBar::SetStep), ControlProps::Visible())

class TProgressBarPrivate : public TWinControlPrivate {
public:
  TProgressBarPrivate() : TWinControlPrivate(new QProgressBar) {}
  QProgressBar* bar() const { return static_cast<QProgressBar*>(widget.data()); }
  int min = 0;
  int max = 100;
  int position = 0;
  int step = 10;
  bool smooth = false;
};

namespace {
TProgressBarPrivate* dOf(const TProgressBar* p) { return static_cast<TProgressBarPrivate*>(p->ControlPrivate()); }
}  // namespace

TProgressBar::TProgressBar(TComponent* AOwner) : TWinControl(AOwner, std::make_unique<TProgressBarPrivate>()) {
  TProgressBarPrivate* d = dOf(this);
  d->tabStop = false;
  d->bar()->setTextVisible(false);
  apply();
  SetBounds(0, 0, 150, 16);
}

void TProgressBar::apply() {
  TProgressBarPrivate* d = dOf(this);
  if (d->position < d->min) d->position = d->min;
  if (d->position > d->max && d->max >= d->min) d->position = d->max;
  if (!d->widget) return;
  // An empty range would make the widget show a busy animation; it shows an empty bar instead.
  if (d->max <= d->min) {
    d->bar()->setRange(0, 1);
    d->bar()->setValue(0);
    return;
  }
  d->bar()->setRange(d->min, d->max);
  d->bar()->setValue(d->position);
}

int TProgressBar::Min() const { return dOf(this)->min; }
void TProgressBar::SetMin(int Value) {
  dOf(this)->min = Value;
  apply();
}
int TProgressBar::Max() const { return dOf(this)->max; }
void TProgressBar::SetMax(int Value) {
  dOf(this)->max = Value;
  apply();
}
int TProgressBar::Position() const { return dOf(this)->position; }
void TProgressBar::SetPosition(int Value) {
  dOf(this)->position = Value;
  apply();
}
int TProgressBar::Step() const { return dOf(this)->step; }
void TProgressBar::SetStep(int Value) { dOf(this)->step = Value; }
bool TProgressBar::Smooth() const { return dOf(this)->smooth; }
void TProgressBar::SetSmooth(bool Value) { dOf(this)->smooth = Value; }
void TProgressBar::StepIt() { StepBy(dOf(this)->step); }
void TProgressBar::StepBy(int Delta) { SetPosition(Position() + Delta); }
