#include "TExportFormats.h"

#include "ExportDefaultFormats.h"
#include "FormatSettings.h"
#include "StringRoutines.h"
#include "TypInfo.h"

DEFINE_CLASS(TExportFormats, TPersistent,
             Published::Integer("DecimalSeparator", &TExportFormats::DecimalSeparator,
                                &TExportFormats::SetDecimalSeparator),
             Published::Integer("ThousandSeparator", &TExportFormats::ThousandSeparator,
                                &TExportFormats::SetThousandSeparator),
             Published::Integer("DateSeparator", &TExportFormats::DateSeparator, &TExportFormats::SetDateSeparator),
             Published::Integer("TimeSeparator", &TExportFormats::TimeSeparator, &TExportFormats::SetTimeSeparator),
             Published::String("IntegerFormat", &TExportFormats::IntegerFormat, &TExportFormats::SetIntegerFormat),
             Published::String("FloatFormat", &TExportFormats::FloatFormat, &TExportFormats::SetFloatFormat),
             Published::String("DateFormat", &TExportFormats::DateFormat, &TExportFormats::SetDateFormat),
             Published::String("TimeFormat", &TExportFormats::TimeFormat, &TExportFormats::SetTimeFormat),
             Published::String("DateTimeFormat", &TExportFormats::DateTimeFormat,
                               &TExportFormats::SetDateTimeFormat),
             Published::String("CurrencyFormat", &TExportFormats::CurrencyFormat,
                               &TExportFormats::SetCurrencyFormat),
             Published::WideString("BooleanTrue", &TExportFormats::BooleanTrue, &TExportFormats::SetBooleanTrue),
             Published::WideString("BooleanFalse", &TExportFormats::BooleanFalse, &TExportFormats::SetBooleanFalse),
             Published::WideString("NULLString", &TExportFormats::NULLString, &TExportFormats::SetNULLString))

TExportFormats::TExportFormats() {
  const auto process = FormatSettingsSnapshot();
  decimalSeparator_ = process->DecimalSeparator;
  thousandSeparator_ = process->ThousandSeparator;
  dateSeparator_ = process->DateSeparator;
  timeSeparator_ = process->TimeSeparator;
  const TExportDefaultFormats& defaults = ExportDefaultFormats();
  integerFormat_ = DefaultIntegerFormat;
  floatFormat_ = DefaultFloatFormat;
  dateFormat_ = defaults.DateFormat;
  timeFormat_ = defaults.TimeFormat;
  dateTimeFormat_ = defaults.DateTimeFormat;
  currencyFormat_ = defaults.CurrencyFormat;
  booleanTrue_ = DefaultBooleanTrue;
  booleanFalse_ = DefaultBooleanFalse;
}

void TExportFormats::Assign(TPersistent* Source) {
  auto* other = dynamic_cast<TExportFormats*>(Source);
  if (other == nullptr) {
    inherited::Assign(Source);
    return;
  }
  decimalSeparator_ = other->decimalSeparator_;
  thousandSeparator_ = other->thousandSeparator_;
  dateSeparator_ = other->dateSeparator_;
  timeSeparator_ = other->timeSeparator_;
  integerFormat_ = other->integerFormat_;
  floatFormat_ = other->floatFormat_;
  dateFormat_ = other->dateFormat_;
  timeFormat_ = other->timeFormat_;
  dateTimeFormat_ = other->dateTimeFormat_;
  currencyFormat_ = other->currencyFormat_;
  booleanTrue_ = other->booleanTrue_;
  booleanFalse_ = other->booleanFalse_;
  nullString_ = other->nullString_;
  keepOriginalFormat_ = other->keepOriginalFormat_;
}

void TExportFormats::ApplySeparators(TFormatSettings& Settings) const {
  Settings.DecimalSeparator = decimalSeparator_;
  Settings.ThousandSeparator = thousandSeparator_;
  Settings.DateSeparator = dateSeparator_;
  Settings.TimeSeparator = timeSeparator_;
}

void TExportFormats::SetIntegerFormat(const AnsiString& Value) {
  integerFormat_ = Value.empty() ? AnsiString(DefaultIntegerFormat) : Value;
}

void TExportFormats::SetDateFormat(const AnsiString& Value) {
  dateFormat_ = Value.empty() ? ExportDefaultFormats().DateFormat : Value;
}

void TExportFormats::SetTimeFormat(const AnsiString& Value) {
  timeFormat_ = Value.empty() ? ExportDefaultFormats().TimeFormat : Value;
}

void TExportFormats::SetDateTimeFormat(const AnsiString& Value) {
  dateTimeFormat_ = Value.empty() ? ExportDefaultFormats().DateTimeFormat : Value;
}

void TExportFormats::SetCurrencyFormat(const AnsiString& Value) {
  currencyFormat_ = Value.empty() ? ExportDefaultFormats().CurrencyFormat : Value;
}

void TExportFormats::SetBooleanTrue(const WideString& Value) {
  booleanTrue_ = Value.empty() ? WideString(DefaultBooleanTrue) : Value;
}

void TExportFormats::SetBooleanFalse(const WideString& Value) {
  booleanFalse_ = Value.empty() ? WideString(DefaultBooleanFalse) : Value;
}

void TExportFormats::SetNULLString(const WideString& Value) { nullString_ = Trim(std::u16string_view(Value)); }
