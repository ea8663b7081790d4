// TDateTimePicker: a date (Kind dtkDate, with a drop-down calendar) or a time (dtkTime) the
// user picks. Date is the whole-day part of DateTime, Time its fraction; setting one keeps
// the other. The texts follow the user's short date format (DateFormat dfShort) or long date
// format (dfLong), and the long time format. OnChange runs after the user changed the value
// (not after the program set it).
//
// Published: Align, Color, Date, DateFormat, Enabled, Font, Hint, Kind, MaxDate, MinDate,
// ParentColor, ParentFont, ParentShowHint, PopupMenu, ShowHint, TabOrder, TabStop, Time,
// Visible, OnChange, OnClick, OnEnter, OnExit, OnKeyDown, OnKeyPress, OnKeyUp.
#pragma once

#include "TWinControl.h"

enum class TDateTimeKind { dtkDate, dtkTime };
using enum TDateTimeKind;
enum class TDTDateFormat { dfShort, dfLong };
using enum TDTDateFormat;

class TDateTimePicker : public TWinControl {
  DECLARE_CLASS(TDateTimePicker, TWinControl)

  explicit TDateTimePicker(TComponent* AOwner);

  TDateTime DateTime() const;
  void SetDateTime(TDateTime Value);
  TDateTime Date() const;
  void SetDate(TDateTime Value);
  TDateTime Time() const;
  void SetTime(TDateTime Value);
  // 0: no limit.
  TDateTime MinDate() const;
  void SetMinDate(TDateTime Value);
  TDateTime MaxDate() const;
  void SetMaxDate(TDateTime Value);
  TDateTimeKind Kind() const;
  void SetKind(TDateTimeKind Value);
  TDTDateFormat DateFormat() const;
  void SetDateFormat(TDTDateFormat Value);

  TNotifyEvent OnChange;

private:
  void applyFormat();
};
