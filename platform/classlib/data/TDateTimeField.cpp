#include "TDateTimeField.h"

#include "DateTimeText.h"
#include "TypInfo.h"

DEFINE_CLASS(TDateTimeField, TField)
DEFINE_CLASS(TDateField, TDateTimeField)
DEFINE_CLASS(TTimeField, TDateTimeField)
DEFINE_CLASS(TSQLTimeStampField, TDateTimeField)

TDateTimeField::TDateTimeField(TComponent* AOwner) : TField(AOwner) { SetDataType(ftDateTime); }

Variant TDateTimeField::GetAsVariant() const {
  return ValueOfKind(varDate, [this] { return Variant::FromDateTime(GetAsDateTime()); });
}

AnsiString TDateTimeField::GetAsString() const { return IsNull() ? AnsiString() : DateTimeToStr(GetAsDateTime()); }

double TDateTimeField::GetAsFloat() const { return GetAsDateTime(); }

TDateTime TDateTimeField::GetAsDateTime() const {
  return ReadValue<TDateTime>(Data(), "DateTime", [](const Variant& v) { return v.AsDateTime(); });
}

TDateField::TDateField(TComponent* AOwner) : TDateTimeField(AOwner) { SetDataType(ftDate); }

AnsiString TDateField::GetAsString() const { return IsNull() ? AnsiString() : DateToStr(GetAsDateTime()); }

TTimeField::TTimeField(TComponent* AOwner) : TDateTimeField(AOwner) { SetDataType(ftTime); }

AnsiString TTimeField::GetAsString() const { return IsNull() ? AnsiString() : TimeToStr(GetAsDateTime()); }

TSQLTimeStampField::TSQLTimeStampField(TComponent* AOwner) : TDateTimeField(AOwner) { SetDataType(ftTimeStamp); }
