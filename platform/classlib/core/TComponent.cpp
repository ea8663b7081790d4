#include "TComponent.h"

#include <algorithm>

#include "Exception.h"
#include "RTLConsts.h"
#include "StringRoutines.h"
#include "TList.h"
#include "TypInfo.h"

DEFINE_CLASS(TComponent, TPersistent,
             Published::String("Name", &TComponent::Name, &TComponent::SetName),
             Published::Integer("Tag", &TComponent::Tag, &TComponent::SetTag))

namespace {

bool isAlpha(char c) { return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || c == '_'; }

}  // namespace

bool IsValidIdent(const AnsiString& Ident) {
  if (Ident.empty() || !isAlpha(Ident[0])) return false;
  return std::all_of(Ident.begin() + 1, Ident.end(), [](char c) { return isAlpha(c) || (c >= '0' && c <= '9'); });
}

TComponent::TComponent(TComponent* AOwner) {
  if (AOwner != nullptr) AOwner->InsertComponent(this);
}

TComponent::~TComponent() {
  state_.Include(TComponentStateFlag::csDestroying);
  // Each Notification drops the link both ways, so take one link at a time.
  while (!freeNotifies_.empty()) {
    TComponent* other = freeNotifies_.back();
    freeNotifies_.pop_back();
    other->Notification(this, TOperation::opRemove);
    other->RemoveFreeNotification(this);
  }
  DestroyComponents();
  if (owner_ != nullptr) owner_->RemoveComponent(this);
}

void TComponent::SetName(const AnsiString& NewName) {
  if (NewName == name_) return;
  if (!NewName.empty() && !IsValidIdent(NewName))
    throw EComponentError("'" + NewName + "' is not a valid component name");
  if (owner_ != nullptr)
    owner_->validateRename(this, NewName);
  name_ = NewName;
}

void TComponent::validateRename(TComponent* AComponent, const AnsiString& NewName) const {
  if (NewName.empty()) return;
  for (TComponent* c : components_)
    if (c != AComponent && SameText(c->name_, NewName))
      throw EComponentError("A component named " + NewName + " already exists");
}

TComponent* TComponent::Components(int Index) const {
  if (Index < 0 || Index >= ComponentCount()) TList::Error(SListIndexError, Index);
  return components_[static_cast<std::size_t>(Index)];
}

int TComponent::ComponentIndex() const {
  if (owner_ == nullptr) return -1;
  auto& list = owner_->components_;
  return static_cast<int>(std::find(list.begin(), list.end(), this) - list.begin());
}

TComponent* TComponent::FindComponent(const AnsiString& AName) const {
  if (AName.empty()) return nullptr;
  for (TComponent* c : components_)
    if (SameText(c->name_, AName)) return c;
  return nullptr;
}

void TComponent::InsertComponent(TComponent* AComponent) {
  if (AComponent->owner_ != nullptr) AComponent->owner_->remove(AComponent);
  validateRename(AComponent, AComponent->name_);
  insert(AComponent);
  Notification(AComponent, TOperation::opInsert);
}

void TComponent::RemoveComponent(TComponent* AComponent) {
  Notification(AComponent, TOperation::opRemove);
  remove(AComponent);
}

void TComponent::DestroyComponents() {
  while (!components_.empty()) {
    TComponent* last = components_.back();
    RemoveComponent(last);
    delete last;
  }
}

void TComponent::insert(TComponent* AComponent) {
  components_.push_back(AComponent);
  AComponent->owner_ = this;
}

void TComponent::remove(TComponent* AComponent) {
  auto it = std::find(components_.begin(), components_.end(), AComponent);
  if (it != components_.end()) components_.erase(it);
  AComponent->owner_ = nullptr;
}

void TComponent::Notification(TComponent* AComponent, TOperation Operation) {
  if (Operation == TOperation::opRemove && AComponent != nullptr) RemoveFreeNotification(AComponent);
  // Pass the news on to every owned component, last first; a handler may free components, so
  // the index is checked against the current count each time.
  for (std::size_t i = components_.size(); i-- > 0;)
    if (i < components_.size()) components_[i]->Notification(AComponent, Operation);
}

void TComponent::FreeNotification(TComponent* AComponent) {
  if (AComponent == nullptr || AComponent == this) return;
  state_.Include(TComponentStateFlag::csFreeNotification);
  if (std::find(freeNotifies_.begin(), freeNotifies_.end(), AComponent) != freeNotifies_.end()) return;
  freeNotifies_.push_back(AComponent);
  AComponent->FreeNotification(this);
}

void TComponent::RemoveFreeNotification(TComponent* AComponent) {
  auto it = std::find(freeNotifies_.begin(), freeNotifies_.end(), AComponent);
  if (it == freeNotifies_.end()) return;
  freeNotifies_.erase(it);
  AComponent->RemoveFreeNotification(this);
}

void TComponent::Loaded() { state_.Exclude(TComponentStateFlag::csLoading); }

void TComponent::BeginLoading() { state_.Include(TComponentStateFlag::csLoading); }

void TComponent::EndLoading() { Loaded(); }
