#include "TStringField.h"

#include "CodePage.h"
#include "DateTimeText.h"
#include "Exception.h"
#include "FloatText.h"
#include "IntegerText.h"
#include "TypInfo.h"

DEFINE_CLASS(TStringField, TField)
DEFINE_CLASS(TWideStringField, TStringField)
DEFINE_CLASS(TGuidField, TStringField)

namespace {

constexpr int DefaultStringSize = 20;
constexpr int GuidSize = 38;

}  // namespace

TStringField::TStringField(TComponent* AOwner) : TField(AOwner) {
  SetDataType(ftString);
  SetSize(DefaultStringSize);
}

Variant TStringField::GetAsVariant() const {
  return ValueOfKind(HeldValueKind(), [this] { return GetAsString(); });
}

AnsiString TStringField::GetAsString() const { return VarToStr(Data()); }

// A null text field reads as the type's zero, as every other field does, rather than as a
// parse of the empty text.
int TStringField::GetAsInteger() const { return IsNull() ? 0 : StrToInt(GetAsString()); }

std::int64_t TStringField::GetAsLargeInt() const { return IsNull() ? 0 : StrToInt64(GetAsString()); }

double TStringField::GetAsFloat() const { return IsNull() ? 0 : StrToFloat(GetAsString()); }

Currency TStringField::GetAsCurrency() const { return IsNull() ? Currency{} : StrToCurr(GetAsString()); }

TDateTime TStringField::GetAsDateTime() const { return IsNull() ? 0 : StrToDateTime(GetAsString()); }

bool TStringField::GetAsBoolean() const {
  AnsiString text = GetAsString();
  if (text.empty()) return false;
  switch (text[0]) {
    case 'T': case 't': case 'Y': case 'y': return true;
    case 'F': case 'f': case 'N': case 'n': return false;
    default: throw EConvertError("'" + text + "' is not a valid boolean value");
  }
}

TWideStringField::TWideStringField(TComponent* AOwner) : TStringField(AOwner) { SetDataType(ftWideString); }

Variant TWideStringField::GetAsVariant() const {
  return ValueOfKind(HeldValueKind(), [this] { return GetAsWideString(); });
}

AnsiString TWideStringField::GetAsString() const { return WideToAnsi(GetAsWideString()); }

WideString TWideStringField::GetAsWideString() const { return VarToWideStr(Data()); }

TGuidField::TGuidField(TComponent* AOwner) : TStringField(AOwner) {
  SetDataType(ftGuid);
  SetSize(GuidSize);
}
