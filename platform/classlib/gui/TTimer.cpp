#include "TTimer.h"

#include <QTimer>

#include "TControl_p.h"
#include "TypInfo.h"

DEFINE_CLASS(TTimer, TComponent, Published::Boolean("Enabled", &TTimer::Enabled, &TTimer::SetEnabled),
             Published::Integer("Interval", &TTimer::Interval, &TTimer::SetInterval),
             Published::Event("OnTimer", &TTimer::OnTimer))

struct TTimer::Data {
  QTimer timer;
  bool enabled = true;
  unsigned interval = 1000;
};

TTimer::TTimer(TComponent* AOwner) : TComponent(AOwner), d_(std::make_unique<Data>()) {
  QObject::connect(&d_->timer, &QTimer::timeout, &d_->timer, [this] {
    if (OnTimer) FireEvent(this, [this] { OnTimer(this); });
  });
  update();
}

TTimer::~TTimer() { d_->timer.stop(); }

bool TTimer::Enabled() const { return d_->enabled; }
void TTimer::SetEnabled(bool Value) {
  if (Value == d_->enabled) return;
  d_->enabled = Value;
  update();
}

unsigned TTimer::Interval() const { return d_->interval; }
void TTimer::SetInterval(unsigned Value) {
  if (Value == d_->interval) return;
  d_->interval = Value;
  update();
}

void TTimer::update() {
  d_->timer.stop();
  if (d_->enabled && d_->interval > 0) d_->timer.start(static_cast<int>(std::min(d_->interval, 0x7FFFFFFFu)));
}
