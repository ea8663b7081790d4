// Date and time fields: TDateTimeField (ftDateTime), TDateField (ftDate), TTimeField (ftTime)
// and TSQLTimeStampField (ftTimeStamp, read as a date-time).
//
// Values read as Variant dates (TDateTime: days since 30 December 1899, the fraction the time
// of day). AsString writes them as DateTimeToStr (a midnight date-time shows the date alone),
// DateToStr and TimeToStr write them, with the process's format settings.
//
// DataSize: date and time 4, date-time and time stamp 8. Default display widths: date 10,
// time 10, date-time and time stamp 18.
#pragma once

#include "TField.h"

class TDateTimeField : public TField {
  DECLARE_CLASS(TDateTimeField, TField)

  explicit TDateTimeField(TComponent* AOwner);
  int DataSize() const override { return 8; }

protected:
  Variant GetAsVariant() const override;
  AnsiString GetAsString() const override;
  double GetAsFloat() const override;
  TDateTime GetAsDateTime() const override;
  int GetDefaultWidth() const override { return 18; }
};

class TDateField : public TDateTimeField {
  DECLARE_CLASS(TDateField, TDateTimeField)

  explicit TDateField(TComponent* AOwner);
  int DataSize() const override { return 4; }

protected:
  AnsiString GetAsString() const override;
  int GetDefaultWidth() const override { return 10; }
};

class TTimeField : public TDateTimeField {
  DECLARE_CLASS(TTimeField, TDateTimeField)

  explicit TTimeField(TComponent* AOwner);
  int DataSize() const override { return 4; }

protected:
  AnsiString GetAsString() const override;
  int GetDefaultWidth() const override { return 10; }
};

class TSQLTimeStampField : public TDateTimeField {
  DECLARE_CLASS(TSQLTimeStampField, TDateTimeField)

  explicit TSQLTimeStampField(TComponent* AOwner);
};
