#include "TField.h"

#include "CodePage.h"
#include "DBConsts.h"
#include "Format.h"
#include "TDataSet.h"
#include "TFields.h"
#include "TypInfo.h"

DEFINE_CLASS(TField, TComponent,
             Published::String("DisplayLabel", &TField::DisplayLabel, &TField::SetDisplayLabel),
             Published::Integer("DisplayWidth", &TField::DisplayWidth, &TField::SetDisplayWidth),
             Published::String("FieldName", &TField::FieldName, &TField::SetFieldName),
             Published::Boolean("Required", &TField::Required, &TField::SetRequired),
             Published::Integer("Size", &TField::Size, &TField::SetSize),
             Published::Boolean("Visible", &TField::Visible, &TField::SetVisible))

TField::TField(TComponent* AOwner) : TComponent(AOwner) {}

AnsiString TField::DisplayLabel() const { return displayLabel_.empty() ? fieldName_ : displayLabel_; }

int TField::DisplayWidth() const { return displayWidth_ > 0 ? displayWidth_ : GetDefaultWidth(); }

int TField::GetDefaultWidth() const { return 10; }

int TField::DataSize() const { return 0; }

int TField::Index() const { return dataSet_ != nullptr ? dataSet_->Fields()->IndexOf(this) : -1; }

const Variant& TField::Data() const {
  if (dataSet_ == nullptr) throw EDatabaseError(Format("Field '%s' has no dataset", {fieldName_}));
  return dataSet_->fieldData(this);
}

bool TField::IsNull() const {
  const Variant& v = Data();
  return v.IsNull() || v.IsEmpty();
}

void TField::AccessError(const char* TypeName) const {
  throw EDatabaseError(Format(SFieldAccessError, {DisplayLabel(), TypeName}));
}

Variant TField::GetAsVariant() const { return Data(); }

void TField::ValueInto(Variant& Out) const {
  const TVarType kind = HeldValueKind();
  const Variant& held = Data();
  if (kind != varEmpty && held.VarType() == kind)
    Out = held;
  else
    Out = GetAsVariant();
}

AnsiString TField::GetAsString() const {
  return ReadValue<AnsiString>(GetAsVariant(), "String", [](const Variant& v) { return v.AsString(); });
}

WideString TField::GetAsWideString() const { return AnsiToWide(GetAsString()); }

int TField::GetAsInteger() const {
  return ReadValue<int>(GetAsVariant(), "Integer", [](const Variant& v) { return v.AsInteger(); });
}

std::int64_t TField::GetAsLargeInt() const {
  return ReadValue<std::int64_t>(GetAsVariant(), "LargeInt", [](const Variant& v) { return v.AsInt64(); });
}

double TField::GetAsFloat() const {
  return ReadValue<double>(GetAsVariant(), "Float", [](const Variant& v) { return v.AsFloat(); });
}

Currency TField::GetAsCurrency() const {
  return ReadValue<Currency>(GetAsVariant(), "Currency", [](const Variant& v) { return v.AsCurrency(); });
}

TDateTime TField::GetAsDateTime() const {
  return ReadValue<TDateTime>(GetAsVariant(), "DateTime", [](const Variant& v) { return v.AsDateTime(); });
}

bool TField::GetAsBoolean() const {
  return ReadValue<bool>(GetAsVariant(), "Boolean", [](const Variant& v) { return v.AsBoolean(); });
}

AnsiString TField::GetDisplayText() const { return GetAsString(); }
