// A failed operation of the simulated terminal, carrying the result code the library returns.
// It never leaves the library: the exported functions turn it into their result.
#pragma once

#include <cstdint>

#include "Exception.h"
#include "VxResult.h"

class EVxError : public Exception {
public:
  explicit EVxError(std::int32_t result) : Exception(VxResultText(result)), Result(result) {}
  std::int32_t Result;
};
