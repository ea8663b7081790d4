#include "TDataSetProvider.h"

#include "DBConsts.h"
#include "TDataSet.h"
#include "TypInfo.h"

DEFINE_CLASS(TDataSetProvider, TComponent,
             Published::Class("DataSet", &TDataSetProvider::DataSet, &TDataSetProvider::SetDataSet))

TDataSetProvider::TDataSetProvider(TComponent* AOwner) : TComponent(AOwner) {}

void TDataSetProvider::SetDataSet(TDataSet* Value) {
  if (Value == dataSet_) return;
  if (dataSet_ != nullptr) RemoveFreeNotification(dataSet_);
  dataSet_ = Value;
  if (dataSet_ != nullptr) FreeNotification(dataSet_);
}

void TDataSetProvider::Notification(TComponent* AComponent, TOperation Operation) {
  TComponent::Notification(AComponent, Operation);
  if (Operation == TOperation::opRemove && AComponent == dataSet_) dataSet_ = nullptr;
}

namespace {

// Puts the data set back as the provider found it, also when reading it raised.
class TSourceState {
public:
  explicit TSourceState(TDataSet* DataSet) : dataSet_(DataSet), wasActive_(DataSet->Active()) {
    dataSet_->DisableControls();
    try {
      dataSet_->Open();
    } catch (...) {
      dataSet_->EnableControls();
      throw;
    }
    bookmark_ = dataSet_->GetBookmark();
  }
  ~TSourceState() {
    try {
      if (wasActive_) {
        dataSet_->GotoBookmark(bookmark_);
      } else {
        dataSet_->Close();
      }
    } catch (const Exception&) {
      // The copy is made (or its own error is on its way); a source that cannot go back to
      // its record stays where the copy left it.
    }
    dataSet_->EnableControls();
  }
  TSourceState(const TSourceState&) = delete;
  TSourceState& operator=(const TSourceState&) = delete;

private:
  TDataSet* dataSet_;
  bool wasActive_;
  TBookmark bookmark_;
};

}  // namespace

TDataPacket TDataSetProvider::Data() const {
  if (dataSet_ == nullptr) {
    AnsiString message = SMissingDataSet;
    throw EDatabaseError(Name().empty() ? message : Name() + ": " + message);
  }
  TSourceState state(dataSet_);
  TDataPacket packet(dataSet_->FieldDefs()->Defs());
  for (dataSet_->First(); !dataSet_->Eof(); dataSet_->Next()) packet.AppendRecord(dataSet_->ActiveRecord());
  return packet;
}
