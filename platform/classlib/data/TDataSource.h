// TDataSource: the link between a data set and the controls that show it (TDBGrid). It passes
// every change the data set reports on to the controls linked to it (see TDataLink).
//
// Published properties: DataSet (default none). A data set that is destroyed leaves its data
// sources with none.
#pragma once

#include <vector>

#include "TComponent.h"
#include "TDataSet.h"

class TDataLink;

class TDataSource : public TComponent {
  DECLARE_CLASS(TDataSource, TComponent)

  explicit TDataSource(TComponent* AOwner);
  ~TDataSource() override;

  TDataSet* DataSet() const { return dataSet_; }
  void SetDataSet(TDataSet* Value);

private:
  friend class TDataSet;
  friend class TDataLink;
  void DataEvent(TDataEvent Event);
  void addLink(TDataLink* Link) { links_.push_back(Link); }
  void removeLink(TDataLink* Link);

  TDataSet* dataSet_ = nullptr;
  std::vector<TDataLink*> links_;
};
