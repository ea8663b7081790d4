// TExportFormats: how an exporter writes numbers, dates, booleans and nulls.
//
// Defaults: the four separators are the process's when the object is made; IntegerFormat
// "#,###,##0", FloatFormat "#,###,##0.00", the date, time, date-time and currency formats the
// library's defaults (ExportDefaultFormats.h), BooleanTrue "true", BooleanFalse "false",
// NULLString "", KeepOriginalFormat False. Assigning "" to IntegerFormat or to one of the
// date, time, date-time and currency formats gives its default back, to BooleanTrue or
// BooleanFalse "true" or "false"; FloatFormat keeps "". NULLString is stored without the
// characters below code 33 at its ends.
//
// The formats never change the process's settings: an export writes its values with its own
// TFormatSettings, the process's with these separators in them (ApplySeparators).
//
// Published, in this order: DecimalSeparator, ThousandSeparator, DateSeparator,
// TimeSeparator (character codes), IntegerFormat, FloatFormat, DateFormat, TimeFormat,
// DateTimeFormat, CurrencyFormat, BooleanTrue, BooleanFalse, NULLString.
#pragma once

#include "TPersistent.h"

struct TFormatSettings;

class TExportFormats : public TPersistent {
  DECLARE_CLASS(TExportFormats, TPersistent)

  TExportFormats();

  // Copies every format, the separators and KeepOriginalFormat of another TExportFormats.
  void Assign(TPersistent* Source) override;
  // Puts the four separators into Settings.
  void ApplySeparators(TFormatSettings& Settings) const;

  char DecimalSeparator() const { return decimalSeparator_; }
  void SetDecimalSeparator(char Value) { decimalSeparator_ = Value; }
  char ThousandSeparator() const { return thousandSeparator_; }
  void SetThousandSeparator(char Value) { thousandSeparator_ = Value; }
  char DateSeparator() const { return dateSeparator_; }
  void SetDateSeparator(char Value) { dateSeparator_ = Value; }
  char TimeSeparator() const { return timeSeparator_; }
  void SetTimeSeparator(char Value) { timeSeparator_ = Value; }

  const AnsiString& IntegerFormat() const { return integerFormat_; }
  void SetIntegerFormat(const AnsiString& Value);
  const AnsiString& FloatFormat() const { return floatFormat_; }
  void SetFloatFormat(const AnsiString& Value) { floatFormat_ = Value; }
  const AnsiString& DateFormat() const { return dateFormat_; }
  void SetDateFormat(const AnsiString& Value);
  const AnsiString& TimeFormat() const { return timeFormat_; }
  void SetTimeFormat(const AnsiString& Value);
  const AnsiString& DateTimeFormat() const { return dateTimeFormat_; }
  void SetDateTimeFormat(const AnsiString& Value);
  const AnsiString& CurrencyFormat() const { return currencyFormat_; }
  void SetCurrencyFormat(const AnsiString& Value);

  const WideString& BooleanTrue() const { return booleanTrue_; }
  void SetBooleanTrue(const WideString& Value);
  const WideString& BooleanFalse() const { return booleanFalse_; }
  void SetBooleanFalse(const WideString& Value);
  const WideString& NULLString() const { return nullString_; }
  void SetNULLString(const WideString& Value);

  // Write the source's own text of each value instead of formatting it.
  bool KeepOriginalFormat() const { return keepOriginalFormat_; }
  void SetKeepOriginalFormat(bool Value) { keepOriginalFormat_ = Value; }

private:
  char decimalSeparator_;
  char thousandSeparator_;
  char dateSeparator_;
  char timeSeparator_;
  AnsiString integerFormat_;
  AnsiString floatFormat_;
  AnsiString dateFormat_;
  AnsiString timeFormat_;
  AnsiString dateTimeFormat_;
  AnsiString currencyFormat_;
  WideString booleanTrue_;
  WideString booleanFalse_;
  WideString nullString_;
  bool keepOriginalFormat_ = false;
};

inline constexpr const char* DefaultIntegerFormat = "#,###,##0";
inline constexpr const char* DefaultFloatFormat = "#,###,##0.00";
inline constexpr const char16_t* DefaultBooleanTrue = u"true";
inline constexpr const char16_t* DefaultBooleanFalse = u"false";
