#include "TDataSet.h"

#include <algorithm>

#include "DBConsts.h"
#include "TBlobField.h"
#include "TDataSource.h"
#include "TMemoryStream.h"
#include "TNumericField.h"
#include "TypInfo.h"

DEFINE_CLASS(TDataSet, TComponent)

TDataSet::TDataSet(TComponent* AOwner)
    : TComponent(AOwner), fields_(std::make_unique<TFields>(this)), fieldDefs_(std::make_unique<TFieldDefs>()) {}

TDataSet::~TDataSet() {
  // The descendant has closed its data; only the links are left to drop.
  while (!dataSources_.empty()) dataSources_.back()->SetDataSet(nullptr);
}

void TDataSet::DatabaseError(const AnsiString& Message) const {
  throw EDatabaseError(Name().empty() ? Message : Name() + ": " + Message);
}

void TDataSet::CheckActive() const {
  if (!active_) DatabaseError(SDataSetClosed);
}

void TDataSet::CheckInactive() const {
  if (active_) DatabaseError(SDataSetOpen);
}

void TDataSet::SetActive(bool Value) {
  if (Value == active_) return;
  if (Value) {
    openCursor();
  } else {
    closeCursor();
  }
  DataEvent(deUpdateState);
}

void TDataSet::openCursor() {
  retiredFields_.clear();
  InternalOpen();
  try {
    createFields();
    ++opening_;
    active_ = true;
    hasRecord_ = InternalFirst(row_);
  } catch (...) {
    active_ = false;
    retireFields();
    InternalClose();
    throw;
  }
  recIndex_ = hasRecord_ ? 0 : -1;
  bof_ = true;
  eof_ = !hasRecord_;
  DataEvent(deDataSetChange);
}

void TDataSet::closeCursor() {
  active_ = false;
  hasRecord_ = false;
  recIndex_ = -1;
  bof_ = eof_ = true;
  row_.clear();
  fetch_.clear();
  retireFields();
  InternalClose();
}

void TDataSet::createFields() {
  for (const TFieldDef& def : fieldDefs_->Defs()) {
    std::unique_ptr<TField> field = CreateField(def.Name, def.DataType);
    if (def.Size > 0) field->SetSize(def.Size);
    if (auto* bcd = dynamic_cast<TBCDField*>(field.get()); bcd != nullptr && def.Precision > 0) {
      bcd->SetPrecision(def.Precision);
      bcd->SetSize(def.Scale);
    }
    field->SetRequired(def.Required);
    field->dataSet_ = this;
    field->fieldNo_ = fields_->Count() + 1;
    fields_->Add(std::move(field));
  }
}

void TDataSet::retireFields() {
  retiredFields_ = fields_->Release();
  // A retired field has no column: reading it reports the closed data set.
  for (auto& field : retiredFields_) field->fieldNo_ = 0;
}

const Variant& TDataSet::fieldData(const TField* Field) const {
  if (!active_ || Field->fieldNo_ == 0) DatabaseError(SDataSetClosed);
  static const Variant null = Variant::Null();
  const auto index = static_cast<std::size_t>(Field->fieldNo_ - 1);
  if (!hasRecord_ || index >= row_.size()) return null;
  return row_[index];
}

void TDataSet::First() {
  CheckActive();
  hasRecord_ = InternalFirst(row_);
  recIndex_ = hasRecord_ ? 0 : -1;
  bof_ = true;
  eof_ = !hasRecord_;
  DataEvent(deDataSetScroll);
}

void TDataSet::Next() {
  CheckActive();
  if (eof_) return;
  bof_ = false;
  if (InternalNext(fetch_)) {
    row_.swap(fetch_);
    ++recIndex_;
    DataEvent(deDataSetScroll);
  } else {
    eof_ = true;
  }
}

bool TDataSet::IsEmpty() const { return !active_ || !hasRecord_; }

int TDataSet::RecordCount() const {
  if (!active_) return 0;
  // Counting may read a streaming source through; it comes back to the current record.
  return static_cast<int>(const_cast<TDataSet*>(this)->InternalRecordCount());
}

int TDataSet::RecNo() const { return active_ && hasRecord_ ? static_cast<int>(recIndex_ + 1) : 0; }

TBookmark TDataSet::GetBookmark() const {
  CheckActive();
  if (!hasRecord_) return {};
  return TBookmark{this, opening_, recIndex_};
}

void TDataSet::GotoBookmark(const TBookmark& Bookmark) {
  if (Bookmark.Empty()) return;
  CheckActive();
  if (Bookmark.DataSet != this || Bookmark.Opening != opening_ || Bookmark.Record < 0) DatabaseError(SInvalidBookmark);
  if (!InternalGoto(Bookmark.Record, fetch_)) DatabaseError(SRecordNotFound);
  row_.swap(fetch_);
  hasRecord_ = true;
  recIndex_ = Bookmark.Record;
  bof_ = eof_ = false;
  DataEvent(deDataSetScroll);
}

void TDataSet::DisableControls() { ++disableCount_; }

void TDataSet::EnableControls() {
  if (disableCount_ == 0) return;
  if (--disableCount_ == 0 && changedWhileDisabled_) {
    changedWhileDisabled_ = false;
    DataEvent(deDataSetChange);
  }
}

void TDataSet::DataEvent(TDataEvent Event) {
  if (disableCount_ > 0) {
    changedWhileDisabled_ = true;
    return;
  }
  // A control's reaction may link or unlink sources; walk a copy.
  std::vector<TDataSource*> sources = dataSources_;
  for (TDataSource* source : sources)
    if (std::find(dataSources_.begin(), dataSources_.end(), source) != dataSources_.end()) source->DataEvent(Event);
}

void TDataSet::addDataSource(TDataSource* Source) { dataSources_.push_back(Source); }

void TDataSet::removeDataSource(TDataSource* Source) { std::erase(dataSources_, Source); }

std::unique_ptr<TStream> TDataSet::CreateBlobStream(TField* Field) const {
  CheckActive();
  auto stream = std::make_unique<TMemoryStream>();
  if (auto* blob = dynamic_cast<TBlobField*>(Field)) {
    blob->SaveToStream(stream.get());
  } else {
    AnsiString bytes = Field->AsString();
    stream->WriteBuffer(bytes.data(), static_cast<std::int64_t>(bytes.size()));
  }
  stream->SetPosition(0);
  return stream;
}
