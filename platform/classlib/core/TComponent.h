// TComponent: the unit of ownership of the component model.
//
// A component is created with an owner (or none) and is freed by deleting it. The owner keeps
// its components in creation order and deletes them, last first, when it is itself deleted.
// Whenever a component is inserted into or removed from an owner, the owner and every
// component it owns receive Notification; a component that holds a reference to another one
// outside its owner asks for FreeNotification and is told with opRemove when that one goes.
// The links made by FreeNotification run both ways and are dropped when either side goes.
//
// Published properties: Name (string), Tag (integer).
#pragma once

#include <vector>

#include "TPersistent.h"

enum class TOperation { opInsert, opRemove };

enum class TComponentStateFlag {
  csLoading,     // being built from its definition; Loaded ends it
  csReading,
  csWriting,
  csDestroying,  // its destructor has begun
  csDesigning,   // a design-time instance; never set in the running program
  csFreeNotification,
};
using TComponentState = SetOf<TComponentStateFlag>;

class TComponent : public TPersistent {
  DECLARE_CLASS(TComponent, TPersistent)

  explicit TComponent(TComponent* AOwner);
  ~TComponent() override;

  TComponent* Owner() const { return owner_; }

  // The name is empty or an identifier unique (without regard to case) among the owner's
  // components; anything else raises EComponentError and keeps the old name.
  const AnsiString& Name() const { return name_; }
  void SetName(const AnsiString& NewName);

  int Tag() const { return tag_; }
  void SetTag(int Value) { tag_ = Value; }

  int ComponentCount() const { return static_cast<int>(components_.size()); }
  // Raises EListError for an index outside 0 .. ComponentCount-1.
  TComponent* Components(int Index) const;
  // Position in the owner's list, -1 without owner.
  int ComponentIndex() const;
  // An owned component by name (without regard to case), or nullptr.
  TComponent* FindComponent(const AnsiString& AName) const;

  void InsertComponent(TComponent* AComponent);
  void RemoveComponent(TComponent* AComponent);
  // Deletes every owned component, last first.
  void DestroyComponents();

  void FreeNotification(TComponent* AComponent);
  void RemoveFreeNotification(TComponent* AComponent);

  TComponentState ComponentState() const { return state_; }

protected:
  // Told of components inserted into or removed from this component's owner, of this
  // component's own components, and of components it asked FreeNotification from. Overrides
  // must call the inherited one.
  virtual void Notification(TComponent* AComponent, TOperation Operation);
  // Called when a component built from a definition has all its properties set.
  virtual void Loaded();
  // Marks the component as being built from its definition (csLoading) and ends that with
  // Loaded; form builders use these.
  void BeginLoading();
  void EndLoading();

private:
  void insert(TComponent* AComponent);
  void remove(TComponent* AComponent);
  void validateRename(TComponent* AComponent, const AnsiString& NewName) const;

  TComponent* owner_ = nullptr;
  AnsiString name_;
  int tag_ = 0;
  std::vector<TComponent*> components_;
  std::vector<TComponent*> freeNotifies_;
  TComponentState state_;
};

// True when the text is a valid identifier: a letter or "_" followed by letters, digits and "_".
bool IsValidIdent(const AnsiString& Ident);
