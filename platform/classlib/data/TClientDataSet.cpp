#include "TClientDataSet.h"

#include "DBConsts.h"
#include "DataPacketXml.h"
#include "TFileStream.h"
#include "TypInfo.h"

DEFINE_CLASS(TClientDataSet, TDataSet,
             Published::Boolean("Active", &TClientDataSet::Active, &TClientDataSet::SetActive))

TClientDataSet::TClientDataSet(TComponent* AOwner) : TDataSet(AOwner) {}

TClientDataSet::~TClientDataSet() { Close(); }

void TClientDataSet::SetData(TDataPacket Packet) {
  Close();
  packet_ = std::make_unique<TDataPacket>(std::move(Packet));
  Open();
}

void TClientDataSet::CreateDataSet() {
  CheckInactive();
  if (FieldDefs()->Count() == 0) DatabaseError(SNoFieldDefs);
  packet_ = std::make_unique<TDataPacket>(FieldDefs()->Defs());
  Open();
}

const TDataPacket& TClientDataSet::Data() const {
  CheckActive();
  return *packet_;
}

void TClientDataSet::LoadFromFile(const AnsiString& FileName) {
  TFileStream file(FileName, fmOpenRead | fmShareDenyWrite);
  SetData(ReadDataPacketXml(&file, FileName));
}

void TClientDataSet::LoadFromStream(TStream* Stream) { SetData(ReadDataPacketXml(Stream)); }

void TClientDataSet::SaveToFile(const AnsiString& FileName) const {
  CheckActive();
  TFileStream file(FileName, fmCreate);
  SaveToStream(&file);
}

void TClientDataSet::SaveToStream(TStream* Stream) const { WriteDataPacketXml(Data(), Stream); }

void TClientDataSet::InternalOpen() {
  if (packet_ == nullptr) DatabaseError(SMissingDataPacket);
  FieldDefs()->Assign(packet_->Columns());
  cursor_ = -1;
}

void TClientDataSet::InternalClose() {
  packet_.reset();
  cursor_ = -1;
}

bool TClientDataSet::InternalFirst(std::vector<Variant>& Row) { return InternalGoto(0, Row); }

bool TClientDataSet::InternalNext(std::vector<Variant>& Row) { return InternalGoto(cursor_ + 1, Row); }

bool TClientDataSet::InternalGoto(std::int64_t Index, std::vector<Variant>& Row) {
  if (Index < 0 || Index >= packet_->RecordCount()) return false;
  packet_->ReadRecord(Index, Row);
  cursor_ = Index;
  return true;
}

std::int64_t TClientDataSet::InternalRecordCount() { return packet_->RecordCount(); }
