// TParameter, TParameters: the parameters of a command, one per ":NAME" of its text in order
// of appearance (see TADOCommand). A parameter's DataType is the type its value is converted to
// when the command runs (ftUnknown: the value's own); its Value is Unassigned until set, and an
// Unassigned or Null value stores NULL.
//
// Published: TParameter Name, DataType.
#pragma once

#include "DbTypes.h"
#include "TCollection.h"

class TParameter : public TCollectionItem {
  DECLARE_CLASS(TParameter, TCollectionItem)

  explicit TParameter(TCollection* Collection);
  void Assign(TPersistent* Source) override;
  AnsiString DisplayName() const override { return name_; }

  const AnsiString& Name() const { return name_; }
  void SetName(const AnsiString& Value) { name_ = Value; }
  TFieldType DataType() const { return dataType_; }
  void SetDataType(TFieldType Value) { dataType_ = Value; }
  const Variant& Value() const { return value_; }
  void SetValue(Variant Value) { value_ = std::move(Value); }

private:
  AnsiString name_;
  TFieldType dataType_ = ftUnknown;
  Variant value_;
};

class TParameters : public TCollection {
  DECLARE_CLASS(TParameters, TCollection)

  TParameters();

  TParameter* Add() { return static_cast<TParameter*>(TCollection::Add()); }
  // Raises EListError for an index out of range.
  TParameter* Items(int Index) const { return static_cast<TParameter*>(TCollection::Items(Index)); }
  TParameter* operator[](int Index) const { return Items(Index); }
  // The first parameter of that name (without regard to case), or nullptr; ParamByName raises
  // EDatabaseError "Parameter 'NAME' not found".
  TParameter* FindParam(const AnsiString& Name) const;
  TParameter* ParamByName(const AnsiString& Name) const;
};
