// TField: one column of a data set, read through the data set's current record.
//
// A data set creates one field per column when it opens, of the class that suits the column's
// type (TIntegerField for ftInteger, TStringField for ftString ... see CreateField in
// TFields.h), and owns it. The typed accessors convert the current record's value:
//
//   Value          the value as a Variant of the field's own kind (Null when null)
//   AsString       its text (numbers as IntToStr/FloatToStr write them, dates as DateToStr ...)
//   AsInteger ...  the value converted to that type
//
// A null field reads as Null through Value and as 0, "", False or day 0 through the typed
// accessors; IsNull tells the two apart. A conversion the value does not allow raises
// EDatabaseError "Cannot access field 'NAME' as type TYPE" (text fields read as numbers or
// dates raise EConvertError for text that is no number or date). Reading any field of a closed
// data set raises EDatabaseError "Cannot perform this operation on a closed dataset"; a field
// keeps its data set's last state until the data set opens again, when new fields replace it.
//
// Defaults: DisplayLabel is FieldName until set; DisplayWidth is the field class's default
// width (the characters its values usually need: Size for text fields) until set; Visible is
// True.
#pragma once

#include <cstdint>
#include <memory>

#include "DbTypes.h"
#include "TComponent.h"

class TDataSet;

class TField : public TComponent {
  DECLARE_CLASS(TField, TComponent)

  explicit TField(TComponent* AOwner);

  // The data set whose current record the field reads; nullptr for a field of no data set.
  TDataSet* DataSet() const { return dataSet_; }
  TFieldType DataType() const { return dataType_; }
  const AnsiString& FieldName() const { return fieldName_; }
  void SetFieldName(const AnsiString& Value) { fieldName_ = Value; }
  AnsiString DisplayLabel() const;
  void SetDisplayLabel(const AnsiString& Value) { displayLabel_ = Value; }
  int DisplayWidth() const;
  // A width below 1 goes back to the default width.
  void SetDisplayWidth(int Value) { displayWidth_ = Value; }
  // Characters of a text field, digits after the decimal point of a BCD field, else 0.
  int Size() const { return size_; }
  void SetSize(int Value) { size_ = Value; }
  // Bytes one value takes in a record buffer, as the data set classes lay it out (integer 4,
  // small integer 2, float 8, a text field Size + 1 ...); 0 for blob and memo fields.
  virtual int DataSize() const;
  bool Visible() const { return visible_; }
  void SetVisible(bool Value) { visible_ = Value; }
  bool Required() const { return required_; }
  void SetRequired(bool Value) { required_ = Value; }
  // Position in the data set's Fields, -1 without a data set; FieldNo counts from 1.
  int Index() const;
  int FieldNo() const { return fieldNo_; }
  // True for blob, memo and wide memo fields.
  virtual bool IsBlob() const { return false; }

  bool IsNull() const;
  Variant Value() const { return GetAsVariant(); }
  // Value into Out; a text the field holds as the kind Value gives goes into Out's own storage
  // (kept from the record before) instead of a new string.
  void ValueInto(Variant& Out) const;
  AnsiString AsString() const { return GetAsString(); }
  WideString AsWideString() const { return GetAsWideString(); }
  int AsInteger() const { return GetAsInteger(); }
  std::int64_t AsLargeInt() const { return GetAsLargeInt(); }
  double AsFloat() const { return GetAsFloat(); }
  Currency AsCurrency() const { return GetAsCurrency(); }
  TDateTime AsDateTime() const { return GetAsDateTime(); }
  bool AsBoolean() const { return GetAsBoolean(); }
  // The text a grid shows: AsString, and for blob and memo fields "(BLOB)", "(MEMO)" ...
  AnsiString DisplayText() const { return GetDisplayText(); }

protected:
  // The current record's value as the data set holds it (any Variant kind; Null when null).
  const Variant& Data() const;
  void SetDataType(TFieldType Value) { dataType_ = Value; }

  // The kind of held value GetAsVariant gives back as it is (varEmpty: none of its own), for
  // ValueInto; a field class that gives back a held text says so here.
  virtual TVarType HeldValueKind() const { return varEmpty; }
  // Each field class converts from the held value to its own kind; the defaults go through
  // the field's Value and raise the access error for conversions the value does not allow.
  virtual Variant GetAsVariant() const;
  virtual AnsiString GetAsString() const;
  virtual WideString GetAsWideString() const;
  virtual int GetAsInteger() const;
  virtual std::int64_t GetAsLargeInt() const;
  virtual double GetAsFloat() const;
  virtual Currency GetAsCurrency() const;
  virtual TDateTime GetAsDateTime() const;
  virtual bool GetAsBoolean() const;
  virtual AnsiString GetDisplayText() const;
  virtual int GetDefaultWidth() const;

  [[noreturn]] void AccessError(const char* TypeName) const;

  // Read(V) for a value that is not null, the type's zero for a null one; a conversion the
  // value does not allow raises the access error naming TypeName.
  template <class R, class F>
  R ReadValue(const Variant& V, const char* TypeName, F Read) const {
    if (V.IsNull() || V.IsEmpty()) return R{};
    try {
      return Read(V);
    } catch (const EVariantError&) {
      AccessError(TypeName);
    }
  }
  // The held value when it already is of the field's Kind, else Make() as a Variant; Null for
  // a null value.
  template <class F>
  Variant ValueOfKind(TVarType Kind, F Make) const {
    const Variant& v = Data();
    if (v.IsNull() || v.IsEmpty()) return Variant::Null();
    return v.VarType() == Kind ? v : Variant(Make());
  }

private:
  friend class TDataSet;
  friend std::unique_ptr<TField> CreateField(const AnsiString& FieldName, TFieldType DataType);

  TDataSet* dataSet_ = nullptr;
  int fieldNo_ = 0;
  TFieldType dataType_ = ftUnknown;
  AnsiString fieldName_;
  AnsiString displayLabel_;
  int displayWidth_ = 0;
  int size_ = 0;
  bool visible_ = true;
  bool required_ = false;
};
