// Text fields: TStringField (8-bit text in the ANSI code page; ftString, ftFixedChar),
// TWideStringField (UTF-16 text; ftWideString, ftFixedWideChar) and TGuidField (a GUID as its
// 38-character text "{XXXXXXXX-XXXX-XXXX-XXXX-XXXXXXXXXXXX}").
//
// Size is the most characters a value holds (20 by default). Reading a text field as a number
// or date parses its text (StrToInt, StrToFloat, StrToDateTime ...) and raises EConvertError
// for text that is none; as a boolean, text starting with T, t, Y or y is True, with F, f, N
// or n (or empty text) False.
#pragma once

#include "TField.h"

class TStringField : public TField {
  DECLARE_CLASS(TStringField, TField)

  explicit TStringField(TComponent* AOwner);
  int DataSize() const override { return Size() + 1; }

protected:
  TVarType HeldValueKind() const override { return varString; }
  Variant GetAsVariant() const override;
  AnsiString GetAsString() const override;
  int GetAsInteger() const override;
  std::int64_t GetAsLargeInt() const override;
  double GetAsFloat() const override;
  Currency GetAsCurrency() const override;
  TDateTime GetAsDateTime() const override;
  bool GetAsBoolean() const override;
  int GetDefaultWidth() const override { return Size(); }
};

class TWideStringField : public TStringField {
  DECLARE_CLASS(TWideStringField, TStringField)

  explicit TWideStringField(TComponent* AOwner);
  int DataSize() const override { return (Size() + 1) * 2; }

protected:
  TVarType HeldValueKind() const override { return varOleStr; }
  Variant GetAsVariant() const override;
  AnsiString GetAsString() const override;
  WideString GetAsWideString() const override;
};

class TGuidField : public TStringField {
  DECLARE_CLASS(TGuidField, TStringField)

  explicit TGuidField(TComponent* AOwner);
};
