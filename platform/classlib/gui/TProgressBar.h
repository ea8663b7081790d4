// TProgressBar: shows how far an operation has come: Position between Min and Max (0 and 100
// by default). Position is kept within Min..Max; when Max is not above Min the bar is empty.
// StepIt adds Step (10) to Position.
//
// Published: Align, Enabled, Hint, Max, Min, ParentShowHint, PopupMenu, Position, ShowHint,
// Smooth, Step, Visible.
#pragma once

#include "TWinControl.h"

class TProgressBar : public TWinControl {
  DECLARE_CLASS(TProgressBar, TWinControl)

  explicit TProgressBar(TComponent* AOwner);

  int Min() const;
  void SetMin(int Value);
  int Max() const;
  void SetMax(int Value);
  int Position() const;
  void SetPosition(int Value);
  int Step() const;
  void SetStep(int Value);
  bool Smooth() const;
  void SetSmooth(bool Value);
  void StepIt();
  void StepBy(int Delta);

private:
  void apply();
};
