#include "TxlsFieldFormat.h"

#include "LocaleText.h"
#include "TCustomIniFile.h"
#include "TStrings.h"
#include "TypInfo.h"
#include "Updating.h"

DEFINE_CLASS(TxlsFieldFormat, TxlsFormat,
             Published::Integer("Width", &TxlsFieldFormat::Width, &TxlsFieldFormat::SetWidth),
             Published::Enum("Aggregate", TxlsAggregateNames, &TxlsFieldFormat::Aggregate,
                             &TxlsFieldFormat::SetAggregate))

DEFINE_CLASS(TxlsFieldFormats, TOwnedCollection)

void TxlsFieldFormat::Assign(TPersistent* Source) {
  if (auto* format = dynamic_cast<TxlsFieldFormat*>(Source)) {
    SetFieldName(format->FieldName());
    aggregate_ = format->aggregate_;
    width_ = format->width_;
  }
  inherited::Assign(Source);
}

AnsiString TxlsFieldFormat::DisplayName() const {
  return FieldName().empty() ? inherited::DisplayName() : FieldName();
}

void TxlsFieldFormat::Reset() {
  inherited::Reset();
  width_ = 0;
  aggregate_ = aggNone;
  SetFieldName("");
}

void TxlsFieldFormat::SaveToIni(TCustomIniFile* Ini, const AnsiString& Section) const {
  inherited::SaveToIni(Ini, Section);
  Ini->WriteInteger(Section, "Aggregate", static_cast<int>(aggregate_));
}

void TxlsFieldFormat::LoadFromIni(TCustomIniFile* Ini, const AnsiString& Section) {
  inherited::LoadFromIni(Ini, Section);
  const int value = Ini->ReadInteger(Section, "Aggregate", 0);
  aggregate_ = value >= 0 && value <= static_cast<int>(aggMax) ? static_cast<TxlsAggregate>(value) : aggNone;
}

TxlsFieldFormats::TxlsFieldFormats(TPersistent* AOwner)
    : TOwnedCollection(AOwner, CollectionItemClass<TxlsFieldFormat>()) {}

TxlsFieldFormat* TxlsFieldFormats::Add() { return static_cast<TxlsFieldFormat*>(TCollection::Add()); }

TxlsFieldFormat* TxlsFieldFormats::Items(int Index) const {
  return static_cast<TxlsFieldFormat*>(TCollection::Items(Index));
}

int TxlsFieldFormats::IndexOf(const AnsiString& FieldName) const {
  for (int i = 0; i < Count(); ++i)
    if (AnsiSameText(Items(i)->FieldName(), FieldName)) return i;
  return -1;
}

void TxlsFieldFormats::Assign(TPersistent* Source) {
  if (auto* lines = dynamic_cast<TStrings*>(Source)) {
    Updating(*this, [&] {
      Clear();
      for (int i = 0; i < lines->Count(); ++i) Add()->SetFieldName(lines->Strings(i));
    });
    return;
  }
  inherited::Assign(Source);
}
