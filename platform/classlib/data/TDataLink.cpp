#include "TDataLink.h"

#include "TDataSource.h"

TDataLink::~TDataLink() { SetDataSource(nullptr); }

void TDataLink::SetDataSource(TDataSource* Value) {
  if (Value == dataSource_) return;
  if (dataSource_ != nullptr) dataSource_->removeLink(this);
  dataSource_ = Value;
  if (dataSource_ != nullptr) dataSource_->addLink(this);
  DataEvent(deDataSetChange);
}

TDataSet* TDataLink::DataSet() const { return dataSource_ != nullptr ? dataSource_->DataSet() : nullptr; }

bool TDataLink::Active() const {
  TDataSet* dataSet = DataSet();
  return dataSet != nullptr && dataSet->Active();
}

void TDataLink::DataEvent(TDataEvent) {}
