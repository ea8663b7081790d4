#include "TDataModule.h"

#include "Forms.h"
#include "TControl_p.h"
#include "TypInfo.h"

DEFINE_CLASS(TDataModule, TComponent,
             Published::Event("OnCreate", &TDataModule::OnCreate),
             Published::Event("OnDestroy", &TDataModule::OnDestroy))

struct TDataModule::Data {
  bool created = false;    // OnCreate has run
  bool destroyed = false;  // OnDestroy has run
};

TDataModule::TDataModule(TComponent* AOwner) : TComponent(AOwner), d_(std::make_unique<Data>()) {
  if (Screen != nullptr) Screen->AddDataModule(this);
}

TDataModule::~TDataModule() {
  if (Screen != nullptr) Screen->RemoveDataModule(this);
}

void TDataModule::AfterConstruction() {
  if (d_->created) return;
  d_->created = true;
  if (OnCreate) FireEvent(this, [this] { OnCreate(this); });
}

void TDataModule::Free() {
  beforeDestruction();
  delete this;
}

void TDataModule::beforeDestruction() {
  if (d_->destroyed) return;
  d_->destroyed = true;
  if (OnDestroy) FireEvent(this, [this] { OnDestroy(this); });
}

void TDataModule::Notification(TComponent* AComponent, TOperation Operation) {
  inherited::Notification(AComponent, Operation);
  if (AComponent == this && Operation == TOperation::opRemove && Owner() != nullptr &&
      Owner()->ComponentState().Contains(TComponentStateFlag::csDestroying))
    beforeDestruction();
}
