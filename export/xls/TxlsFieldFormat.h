// TxlsFieldFormat: the look of one exported field (FieldName), with the column's Width and the
// Aggregate written below its data. Published besides TxlsFormat's: Width 0, Aggregate aggNone.
//
// Assign from a TxlsFieldFormat copies FieldName, Aggregate, Width and the look. Reset also
// clears Width, Aggregate and FieldName. The ini form adds the key "Aggregate". The display
// name is FieldName when set.
//
// TxlsFieldFormats: the field formats of an exporter or sheet. IndexOf finds a field name
// ignoring case in the user's locale (-1 when absent). Assign from a string list makes one
// format per line, named by the line.
#pragma once

#include "TxlsFormat.h"

class TxlsFieldFormat : public TxlsFormat {
  DECLARE_CLASS(TxlsFieldFormat, TxlsFormat)

  explicit TxlsFieldFormat(TCollection* Collection = nullptr) : TxlsFormat(Collection) {}

  void Assign(TPersistent* Source) override;
  AnsiString DisplayName() const override;
  int ItemKind() const override { return 1; }
  void Reset() override;
  void SaveToIni(TCustomIniFile* Ini, const AnsiString& Section) const override;
  void LoadFromIni(TCustomIniFile* Ini, const AnsiString& Section) override;

  int Width() const { return width_; }
  void SetWidth(int Value) { width_ = Value; }
  TxlsAggregate Aggregate() const { return aggregate_; }
  void SetAggregate(TxlsAggregate Value) { aggregate_ = Value; }

private:
  int width_ = 0;
  TxlsAggregate aggregate_ = aggNone;
};

class TxlsFieldFormats : public TOwnedCollection {
  DECLARE_CLASS(TxlsFieldFormats, TOwnedCollection)

  explicit TxlsFieldFormats(TPersistent* AOwner);
  TxlsFieldFormat* Add();
  TxlsFieldFormat* Items(int Index) const;
  int IndexOf(const AnsiString& FieldName) const;
  void Assign(TPersistent* Source) override;
};
