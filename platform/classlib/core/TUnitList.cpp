#include "TUnitList.h"

#include <cstdio>
#include <exception>

TUnitList::TUnitList(std::vector<TUnitEntry> Units) : units_(std::move(Units)) {}

TUnitList::~TUnitList() {
  try {
    Finalize();
  } catch (const std::exception& e) {
    std::fprintf(stderr, "Error while finalising modules: %s\n", e.what());
  } catch (...) {
    std::fprintf(stderr, "Error while finalising modules\n");
  }
}

void TUnitList::Initialize() {
  while (initialized_ < units_.size()) {
    const TUnitEntry& unit = units_[initialized_];
    try {
      if (unit.Initialize) unit.Initialize();
    } catch (...) {
      // Leave nothing half started: undo the modules that are up, then report.
      std::exception_ptr error = std::current_exception();
      try {
        Finalize();
      } catch (...) {
        // The failed initialisation is the error to report; a module that also fails to
        // finalise cannot add anything the caller could act on.
      }
      std::rethrow_exception(error);
    }
    ++initialized_;
  }
}

void TUnitList::Finalize() {
  std::exception_ptr first;
  while (initialized_ > 0) {
    const TUnitEntry& unit = units_[--initialized_];
    try {
      if (unit.Finalize) unit.Finalize();
    } catch (...) {
      if (!first) first = std::current_exception();
    }
  }
  if (first) std::rethrow_exception(first);
}
