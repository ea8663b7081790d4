// TClientDataSet: a data set whose records are held in memory, as a data packet.
//
//   client->SetData(provider->Data());   // copy of a whole data set
//
// SetData replaces the data and opens the data set on it. CreateDataSet opens an empty data
// set with the columns given in FieldDefs. Closing discards the data; opening again needs new
// data (EDatabaseError "Missing data provider or data packet").
//
// Files: LoadFromFile / LoadFromStream read an XML data packet (see DataPacketXml.h) and open
// the data set on it; a file that is no data packet raises EDatabaseError with the file name
// and leaves the data set as it was. SaveToFile / SaveToStream write the data held as an XML
// data packet (the data set must be open).
//
// Published properties: Active (default False).
#pragma once

#include <memory>

#include "TDataPacket.h"
#include "TDataSet.h"

class TStream;

class TClientDataSet : public TDataSet {
  DECLARE_CLASS(TClientDataSet, TDataSet)

  explicit TClientDataSet(TComponent* AOwner);
  ~TClientDataSet() override;

  void SetData(TDataPacket Packet);
  // Raises EDatabaseError "No fields defined; cannot create dataset" when FieldDefs is empty.
  void CreateDataSet();
  // The data held; raises the closed-data-set error when closed.
  const TDataPacket& Data() const;

  void LoadFromFile(const AnsiString& FileName);
  void LoadFromStream(TStream* Stream);
  void SaveToFile(const AnsiString& FileName) const;
  void SaveToStream(TStream* Stream) const;

protected:
  void InternalOpen() override;
  void InternalClose() override;
  bool InternalFirst(std::vector<Variant>& Row) override;
  bool InternalNext(std::vector<Variant>& Row) override;
  bool InternalGoto(std::int64_t Index, std::vector<Variant>& Row) override;
  std::int64_t InternalRecordCount() override;

private:
  std::unique_ptr<TDataPacket> packet_;
  std::int64_t cursor_ = -1;
};
