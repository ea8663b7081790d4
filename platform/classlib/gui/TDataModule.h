// TDataModule: a container of non-visual components (the conversion service's data module).
// It is listed in Screen.DataModules from its construction to its destruction. OnCreate runs
// when AfterConstruction is called by its creator (NewDataModule<T> does both); OnDestroy runs
// before it is freed by Free or by its owner.
//
// Published: OnCreate, OnDestroy.
#pragma once

#include <memory>

#include "TComponent.h"

class TDataModule : public TComponent {
  DECLARE_CLASS(TDataModule, TComponent)

  explicit TDataModule(TComponent* AOwner);
  ~TDataModule() override;

  void AfterConstruction();
  void Free();

  TNotifyEvent OnCreate;
  TNotifyEvent OnDestroy;

protected:
  void Notification(TComponent* AComponent, TOperation Operation) override;

private:
  void beforeDestruction();
  struct Data;
  std::unique_ptr<Data> d_;
};

// Creates a data module of class T owned by Owner and raises its OnCreate.
template <class T>
T* NewDataModule(TComponent* Owner) {
  auto* module = new T(Owner);
  module->AfterConstruction();
  return module;
}
