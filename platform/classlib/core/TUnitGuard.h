// TUnitGuard: the nesting guard of one module's initialisation and finalisation.
//
// A module that keeps process-wide state (a registry, a default, a connection to a library)
// offers two plain functions, Initialize and Finalize, and guards their bodies with one
// TUnitGuard, so that they may be called more than once, from the program's unit list and
// from modules that use it:
//
//   namespace { TUnitGuard unitGuard; }
//   void LmLangMgrInitialize() { unitGuard.Initialize([] { createRegistries(); }); }
//   void LmLangMgrFinalize() { unitGuard.Finalize([] { freeRegistries(); }); }
//
// The first Initialize runs its body; later ones only count. Each Finalize undoes one count and
// the one that brings the count back to zero runs its body, so the body runs once per
// initialisation however the calls nest; a Finalize without an Initialize does nothing.
#pragma once

#include <functional>
#include <mutex>

class TUnitGuard {
public:
  // Runs Body when this is the outermost initialisation. If Body raises, the module counts as
  // not initialised and the exception passes on.
  void Initialize(const std::function<void()>& Body);
  // Runs Body when this undoes the outermost initialisation.
  void Finalize(const std::function<void()>& Body);
  bool Initialized() const;

private:
  // Recursive: a body that reaches its own module's Initialize again, through a module that
  // uses it, only counts instead of dead-locking.
  mutable std::recursive_mutex lock_;
  int count_ = 0;
};
