// TDataSetProvider: hands the whole of a data set to a client data set.
//
//   provider->SetDataSet(table);
//   clientDataSet->SetData(provider->Data());
//
// Data reads every record of DataSet from the first, with its controls disabled, into a data
// packet; a closed data set is opened for it and closed again, an open one is left on the
// record it was on. Published properties: DataSet (default none; cleared when that component
// is destroyed).
//
// Errors: EDatabaseError "Missing DataSet property" without a data set, and whatever opening
// or reading the data set raises.
#pragma once

#include "TComponent.h"
#include "TDataPacket.h"

class TDataSet;

class TDataSetProvider : public TComponent {
  DECLARE_CLASS(TDataSetProvider, TComponent)

  explicit TDataSetProvider(TComponent* AOwner);

  TDataSet* DataSet() const { return dataSet_; }
  void SetDataSet(TDataSet* Value);
  TDataPacket Data() const;

protected:
  void Notification(TComponent* AComponent, TOperation Operation) override;

private:
  TDataSet* dataSet_ = nullptr;
};
