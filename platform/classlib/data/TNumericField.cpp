#include "TNumericField.h"

#include <algorithm>

#include "FloatText.h"
#include "IntegerText.h"
#include "TypInfo.h"

DEFINE_CLASS(TNumericField, TField)
DEFINE_CLASS(TIntegerField, TNumericField)
DEFINE_CLASS(TSmallintField, TIntegerField)
DEFINE_CLASS(TWordField, TIntegerField)
DEFINE_CLASS(TAutoIncField, TIntegerField)
DEFINE_CLASS(TLargeintField, TNumericField)
DEFINE_CLASS(TFloatField, TNumericField,
             Published::Integer("Precision", &TFloatField::Precision, &TFloatField::SetPrecision))
DEFINE_CLASS(TCurrencyField, TFloatField)
DEFINE_CLASS(TBCDField, TNumericField,
             Published::Integer("Precision", &TBCDField::Precision, &TBCDField::SetPrecision))

TNumericField::TNumericField(TComponent* AOwner) : TField(AOwner) {}

TIntegerField::TIntegerField(TComponent* AOwner) : TNumericField(AOwner) { SetDataType(ftInteger); }

Variant TIntegerField::GetAsVariant() const {
  return ValueOfKind(varInteger, [this] { return GetAsInteger(); });
}

AnsiString TIntegerField::GetAsString() const { return IsNull() ? AnsiString() : IntToStr(GetAsInteger()); }

int TIntegerField::GetAsInteger() const {
  return ReadValue<int>(Data(), "Integer", [](const Variant& v) { return v.AsInteger(); });
}

std::int64_t TIntegerField::GetAsLargeInt() const { return GetAsInteger(); }

double TIntegerField::GetAsFloat() const { return GetAsInteger(); }

TSmallintField::TSmallintField(TComponent* AOwner) : TIntegerField(AOwner) { SetDataType(ftSmallint); }

TWordField::TWordField(TComponent* AOwner) : TIntegerField(AOwner) { SetDataType(ftWord); }

TAutoIncField::TAutoIncField(TComponent* AOwner) : TIntegerField(AOwner) { SetDataType(ftAutoInc); }

TLargeintField::TLargeintField(TComponent* AOwner) : TNumericField(AOwner) { SetDataType(ftLargeint); }

Variant TLargeintField::GetAsVariant() const {
  return ValueOfKind(varInt64, [this] { return static_cast<long long>(GetAsLargeInt()); });
}

AnsiString TLargeintField::GetAsString() const { return IsNull() ? AnsiString() : IntToStr(GetAsLargeInt()); }

std::int64_t TLargeintField::GetAsLargeInt() const {
  return ReadValue<std::int64_t>(Data(), "LargeInt", [](const Variant& v) { return v.AsInt64(); });
}

double TLargeintField::GetAsFloat() const { return static_cast<double>(GetAsLargeInt()); }

TFloatField::TFloatField(TComponent* AOwner) : TNumericField(AOwner) { SetDataType(ftFloat); }

void TFloatField::SetPrecision(int Value) { precision_ = std::clamp(Value, 2, 15); }

Variant TFloatField::GetAsVariant() const {
  return ValueOfKind(varDouble, [this] { return GetAsFloat(); });
}

AnsiString TFloatField::GetAsString() const {
  return IsNull() ? AnsiString() : FloatToStrF(GetAsFloat(), TFloatFormat::ffGeneral, precision_, 0);
}

double TFloatField::GetAsFloat() const {
  return ReadValue<double>(Data(), "Float", [](const Variant& v) { return v.AsFloat(); });
}

TCurrencyField::TCurrencyField(TComponent* AOwner) : TFloatField(AOwner) { SetDataType(ftCurrency); }

Variant TCurrencyField::GetAsVariant() const {
  return ValueOfKind(varCurrency, [this] { return GetAsCurrency(); });
}

AnsiString TCurrencyField::GetAsString() const { return IsNull() ? AnsiString() : CurrToStr(GetAsCurrency()); }

double TCurrencyField::GetAsFloat() const { return GetAsCurrency().ToDouble(); }

Currency TCurrencyField::GetAsCurrency() const {
  return ReadValue<Currency>(Data(), "Currency", [](const Variant& v) { return v.AsCurrency(); });
}

TBCDField::TBCDField(TComponent* AOwner) : TNumericField(AOwner) {
  SetDataType(ftBCD);
  SetSize(4);
}

Variant TBCDField::GetAsVariant() const {
  return ValueOfKind(varCurrency, [this] { return GetAsCurrency(); });
}

AnsiString TBCDField::GetAsString() const { return IsNull() ? AnsiString() : CurrToStr(GetAsCurrency()); }

double TBCDField::GetAsFloat() const { return GetAsCurrency().ToDouble(); }

Currency TBCDField::GetAsCurrency() const {
  return ReadValue<Currency>(Data(), "BCD", [](const Variant& v) { return v.AsCurrency(); });
}
