#include "TDataModule.h"

#include "Forms.h"
#include "TControl_p.h"
#include "TypInfo.h"

DEFINE_CLASS(TDataModule, TComponent,
             Published::Event("OnCreate", &TDataModule::OnCreate),
             Published::Event("OnDestroy", &TDataModule::OnDestroy))

TDataModule::TDataModule(TComponent* AOwner) : TComponent(AOwner) {
  if (Screen != nullptr) Screen->AddDataModule(this);
}

TDataModule::~TDataModule() {
  if (Screen != nullptr) Screen->RemoveDataModule(this);
}

void TDataModule::AfterConstruction() {
  if (created_) return;
  created_ = true;
  if (OnCreate) FireEvent(this, [this] { OnCreate(this); });
}

void TDataModule::Free() {
  beforeDestruction();
  delete this;
}

void TDataModule::beforeDestruction() {
  if (destroyed_) return;
  destroyed_ = true;
  if (OnDestroy) FireEvent(this, [this] { OnDestroy(this); });
}

void TDataModule::Notification(TComponent* AComponent, TOperation Operation) {
  inherited::Notification(AComponent, Operation);
  if (AComponent == this && Operation == TOperation::opRemove && Owner() != nullptr &&
      Owner()->ComponentState().Contains(TComponentStateFlag::csDestroying))
    beforeDestruction();
}
