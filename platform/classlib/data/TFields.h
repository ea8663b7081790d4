// TFields: the fields of one data set, in column order; the data set owns them.
//
// Fields(i) and [i] raise EListError for an index outside 0 .. Count-1. FieldByName raises
// EDatabaseError "Field 'NAME' not found" (prefixed with the data set's name and ": " when it
// has one) where FindField gives nullptr; both compare names without regard to the case of
// ASCII letters and give the first field of that name.
#pragma once

#include <memory>
#include <vector>

#include "TField.h"

class TFields {
public:
  explicit TFields(TDataSet* ADataSet) : dataSet_(ADataSet) {}
  TFields(const TFields&) = delete;
  TFields& operator=(const TFields&) = delete;

  TDataSet* DataSet() const { return dataSet_; }
  int Count() const { return static_cast<int>(fields_.size()); }
  TField* Fields(int Index) const;
  TField* operator[](int Index) const { return Fields(Index); }
  TField* FindField(const AnsiString& FieldName) const;
  TField* FieldByName(const AnsiString& FieldName) const;
  // Position of the field, -1 when it is not one of these.
  int IndexOf(const TField* Field) const;

  void Add(std::unique_ptr<TField> Field);
  // Hands every field over to the caller and leaves the list empty.
  std::vector<std::unique_ptr<TField>> Release();

private:
  TDataSet* dataSet_;
  std::vector<std::unique_ptr<TField>> fields_;
};

// A new field of the class that reads values of the type (TStringField for ftString and
// ftFixedChar, TBlobField for ftBlob and the other binary types ...), with its DataType set.
// Raises EDatabaseError "Field 'NAME' is of an unsupported type" for types no field class
// reads (ftUnknown, ftADT, ftArray, ftReference, ftDataSet, ftCursor, ftVariant and the
// interface types).
std::unique_ptr<TField> CreateField(const AnsiString& FieldName, TFieldType DataType);
