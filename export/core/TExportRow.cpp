#include "TExportRow.h"

#include "Exception.h"
#include "Format.h"
#include "RTLConsts.h"
#include "TExportCol.h"
#include "TStringList.h"
#include "TypInfo.h"

DEFINE_CLASS(TExportRow, TObject)

TExportRow::TExportRow(TExportColumns* Columns, TExportFormats* Formats)
    : columns_(Columns), formats_(Formats), index_(std::make_unique<TStringList>()) {
  index_->SetSorted(true);
  index_->SetDuplicates(TDuplicates::dupAccept);
}

TExportRow::~TExportRow() { Clear(); }

TExportCol* TExportRow::AddCol(const AnsiString& Name, int Position) {
  cols_.push_back(std::make_unique<TExportCol>(this, Name));
  TExportCol* col = cols_.back().get();
  col->SetColumnIndex(Position);
  index_->AddObject(col->Name(), col);
  return col;
}

void TExportRow::Clear() {
  index_->Clear();
  while (!cols_.empty()) cols_.pop_back();
}

TExportCol* TExportRow::Find(const AnsiString& Name) const {
  int i;
  return index_->Find(Name, i) ? static_cast<TExportCol*>(index_->Objects(i)) : nullptr;
}

void TExportRow::SetValue(const AnsiString& Name, const WideString& Text, const Variant& Value) {
  if (TExportCol* col = Find(Name)) {
    col->SetData(Text);
    col->SetValue(Value);
  }
}

TExportCol* TExportRow::Items(int Index) const {
  if (Index < 0 || Index >= Count()) throw EListError(Format(SListIndexError, {Index}));
  return cols_[static_cast<std::size_t>(Index)].get();
}
