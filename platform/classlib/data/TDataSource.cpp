#include "TDataSource.h"

#include <algorithm>

#include "TDataLink.h"
#include "TypInfo.h"

DEFINE_CLASS(TDataSource, TComponent,
             Published::Class("DataSet", &TDataSource::DataSet, &TDataSource::SetDataSet))

TDataSource::TDataSource(TComponent* AOwner) : TComponent(AOwner) {}

TDataSource::~TDataSource() {
  SetDataSet(nullptr);
  while (!links_.empty()) links_.back()->SetDataSource(nullptr);
}

void TDataSource::SetDataSet(TDataSet* Value) {
  if (Value == dataSet_) return;
  if (dataSet_ != nullptr) dataSet_->removeDataSource(this);
  dataSet_ = Value;
  if (dataSet_ != nullptr) dataSet_->addDataSource(this);
  DataEvent(deDataSetChange);
}

void TDataSource::DataEvent(TDataEvent Event) {
  // A control's reaction may link or unlink controls; walk a copy.
  std::vector<TDataLink*> links = links_;
  for (TDataLink* link : links)
    if (std::find(links_.begin(), links_.end(), link) != links_.end()) link->DataEvent(Event);
}

void TDataSource::removeLink(TDataLink* Link) { std::erase(links_, Link); }
