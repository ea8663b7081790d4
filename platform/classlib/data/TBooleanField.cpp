#include "TBooleanField.h"

#include "TypInfo.h"

DEFINE_CLASS(TBooleanField, TField)

TBooleanField::TBooleanField(TComponent* AOwner) : TField(AOwner) { SetDataType(ftBoolean); }

Variant TBooleanField::GetAsVariant() const {
  return ValueOfKind(varBoolean, [this] { return GetAsBoolean(); });
}

AnsiString TBooleanField::GetAsString() const {
  if (IsNull()) return {};
  return GetAsBoolean() ? "True" : "False";
}

bool TBooleanField::GetAsBoolean() const {
  return ReadValue<bool>(Data(), "Boolean", [](const Variant& v) { return v.AsBoolean(); });
}
