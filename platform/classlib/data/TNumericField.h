// Number fields.
//
//   TIntegerField     ftInteger, 32-bit           TSmallintField  ftSmallint, 16-bit
//   TWordField        ftWord, 0 .. 65535           TAutoIncField   ftAutoInc, 32-bit counter
//   TLargeintField    ftLargeint, 64-bit           TFloatField     ftFloat, double
//   TCurrencyField    ftCurrency, a money amount   TBCDField       ftBCD, exact decimal
//
// Integers read as Variant int32 (int64 for TLargeintField), floats as double, currency and
// BCD values as Currency (four decimals, exact). AsString writes integers with IntToStr,
// floats with FloatToStrF(ffGeneral, Precision) and amounts with CurrToStr; a value too large
// for the type asked for raises the field access error (see TField.h).
//
// DataSize: small integer and word 2, integer and counter 4, large integer, float, currency
// and BCD 8. Default display widths: small integer 6, word 5, integer 11, large integer 15,
// float 10, BCD Precision + 2.
#pragma once

#include "TField.h"

class TNumericField : public TField {
  DECLARE_CLASS(TNumericField, TField)

  explicit TNumericField(TComponent* AOwner);
};

class TIntegerField : public TNumericField {
  DECLARE_CLASS(TIntegerField, TNumericField)

  explicit TIntegerField(TComponent* AOwner);
  int DataSize() const override { return 4; }

protected:
  Variant GetAsVariant() const override;
  AnsiString GetAsString() const override;
  int GetAsInteger() const override;
  std::int64_t GetAsLargeInt() const override;
  double GetAsFloat() const override;
  int GetDefaultWidth() const override { return 11; }
};

class TSmallintField : public TIntegerField {
  DECLARE_CLASS(TSmallintField, TIntegerField)

  explicit TSmallintField(TComponent* AOwner);
  int DataSize() const override { return 2; }

protected:
  int GetDefaultWidth() const override { return 6; }
};

class TWordField : public TIntegerField {
  DECLARE_CLASS(TWordField, TIntegerField)

  explicit TWordField(TComponent* AOwner);
  int DataSize() const override { return 2; }

protected:
  int GetDefaultWidth() const override { return 5; }
};

class TAutoIncField : public TIntegerField {
  DECLARE_CLASS(TAutoIncField, TIntegerField)

  explicit TAutoIncField(TComponent* AOwner);
};

class TLargeintField : public TNumericField {
  DECLARE_CLASS(TLargeintField, TNumericField)

  explicit TLargeintField(TComponent* AOwner);
  int DataSize() const override { return 8; }

protected:
  Variant GetAsVariant() const override;
  AnsiString GetAsString() const override;
  std::int64_t GetAsLargeInt() const override;
  double GetAsFloat() const override;
  int GetDefaultWidth() const override { return 15; }
};

class TFloatField : public TNumericField {
  DECLARE_CLASS(TFloatField, TNumericField)

  explicit TFloatField(TComponent* AOwner);
  int DataSize() const override { return 8; }
  // Significant digits of AsString (2 .. 15, default 15).
  int Precision() const { return precision_; }
  void SetPrecision(int Value);

protected:
  Variant GetAsVariant() const override;
  AnsiString GetAsString() const override;
  double GetAsFloat() const override;

private:
  int precision_ = 15;
};

class TCurrencyField : public TFloatField {
  DECLARE_CLASS(TCurrencyField, TFloatField)

  explicit TCurrencyField(TComponent* AOwner);

protected:
  Variant GetAsVariant() const override;
  AnsiString GetAsString() const override;
  double GetAsFloat() const override;
  Currency GetAsCurrency() const override;
};

// Size is the number of digits after the decimal point (default 4); Precision the total digits
// (default 19, the most an amount of four decimals holds).
class TBCDField : public TNumericField {
  DECLARE_CLASS(TBCDField, TNumericField)

  explicit TBCDField(TComponent* AOwner);
  int DataSize() const override { return 8; }
  int Precision() const { return precision_; }
  void SetPrecision(int Value) { precision_ = Value; }

protected:
  Variant GetAsVariant() const override;
  AnsiString GetAsString() const override;
  double GetAsFloat() const override;
  Currency GetAsCurrency() const override;
  int GetDefaultWidth() const override { return precision_ + 2; }

private:
  int precision_ = 19;
};
