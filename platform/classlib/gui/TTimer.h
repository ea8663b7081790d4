// TTimer: runs OnTimer every Interval milliseconds (1000 by default) on the main thread while
// Enabled (the default) and Interval is above 0. Changing Interval or Enabled starts the
// count again.
//
// Published: Enabled, Interval, OnTimer.
#pragma once

#include <memory>

#include "TComponent.h"

class TTimer : public TComponent {
  DECLARE_CLASS(TTimer, TComponent)

  explicit TTimer(TComponent* AOwner);
  ~TTimer() override;

  bool Enabled() const;
  void SetEnabled(bool Value);
  unsigned Interval() const;
  void SetInterval(unsigned Value);

  TNotifyEvent OnTimer;

private:
  struct Data;
  void update();
  std::unique_ptr<Data> d_;
};
