// TUnitList: the program's modules, initialised in dependency order and finalised in reverse.
//
// The one place that starts the program (ProgramMain) or a test fixture lists the modules it
// needs, each after the modules it uses, and keeps the list alive while they are in use:
//
//   TUnitList units({ClasslibCoreUnit, LmLangMgrUnit, uConstStringsUnit});
//   units.Initialize();
//   ...
//   units.Finalize();  // or leave it to the destructor
//
// Each module guards its own functions with a TUnitGuard, so a module listed here that a
// module before it has already initialised is only counted.
#pragma once

#include <cstddef>
#include <vector>

#include "System.h"

struct TUnitEntry {
  const char* Name;
  void (*Initialize)();
  void (*Finalize)();
};

class TUnitList {
public:
  explicit TUnitList(std::vector<TUnitEntry> Units);
  TUnitList(const TUnitList&) = delete;
  TUnitList& operator=(const TUnitList&) = delete;
  // Finalises what is still initialised; an exception of a module's Finalize is written to
  // the standard error stream, as a destructor cannot pass it on.
  ~TUnitList();

  // Initialises the modules in list order; nothing when already done. When one raises, the
  // modules before it are finalised, last first, and the exception passes on.
  void Initialize();
  // Finalises the initialised modules, last first, each once. When one raises, the others
  // are still finalised and the first exception then passes on.
  void Finalize();
  // How many modules, from the start of the list, are initialised.
  std::size_t InitializedCount() const { return initialized_; }

private:
  std::vector<TUnitEntry> units_;
  std::size_t initialized_ = 0;
};
