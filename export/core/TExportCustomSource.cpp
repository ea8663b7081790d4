#include "TExportCustomSource.h"

#include "TExportCustomColumn.h"
#include "TExportCustomColumns.h"
#include "TypInfo.h"

DEFINE_CLASS(TExportCustomSource, TComponent,
             Published::Class("Columns", &TExportCustomSource::Columns, &TExportCustomSource::SetColumns),
             Published::Event("OnGetNextRecord", &TExportCustomSource::OnGetNextRecord),
             Published::Event("OnGetColumnValue", &TExportCustomSource::OnGetColumnValue))

TExportCustomSource::TExportCustomSource(TComponent* AOwner)
    : TComponent(AOwner), columns_(std::make_unique<TExportCustomColumns>(this)) {}

TExportCustomSource::~TExportCustomSource() = default;

void TExportCustomSource::SetColumns(TExportCustomColumns* Value) { columns_->Assign(Value); }

int TExportCustomSource::ColumnCount() const { return columns_->Count(); }

TExportCustomColumn* TExportCustomSource::ColumnByName(const AnsiString& Name) const {
  int i = columns_->IndexOf(Name);
  return i < 0 ? nullptr : columns_->Items(i);
}

void TExportCustomSource::First() {
  recNo_ = 1;
  eof_ = false;
}

void TExportCustomSource::Next() {
  if (eof_) return;
  bool eof = false;
  if (OnGetNextRecord) OnGetNextRecord(this, recNo_, eof);
  if (eof)
    eof_ = true;
  else
    ++recNo_;
}
