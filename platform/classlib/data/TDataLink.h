// TDataLink: how a control follows a data set: it links to a data source and is told through
// DataEvent of every change the data set reports (see TDataEvent). A control owns its link;
// destroying the link leaves its source.
#pragma once

#include "TDataSet.h"

class TDataSource;

class TDataLink {
public:
  TDataLink() = default;
  virtual ~TDataLink();
  TDataLink(const TDataLink&) = delete;
  TDataLink& operator=(const TDataLink&) = delete;

  TDataSource* DataSource() const { return dataSource_; }
  // Leaves the old source and joins the new one (nullptr: none); the link is then told
  // deDataSetChange.
  void SetDataSource(TDataSource* Value);
  // The data source's data set, or nullptr.
  TDataSet* DataSet() const;
  // True when there is a data set and it is open.
  bool Active() const;

protected:
  virtual void DataEvent(TDataEvent Event);

private:
  friend class TDataSource;
  TDataSource* dataSource_ = nullptr;
};
