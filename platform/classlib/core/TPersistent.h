// TPersistent: an object whose state can be copied from another with Assign.
#pragma once

#include "TObject.h"

class TPersistent : public TObject {
  DECLARE_CLASS(TPersistent, TObject)

  // Copies Source's state into this object. The default asks Source to AssignTo this object;
  // when neither side knows the other's class, EConvertError "Cannot assign a X to a Y" is
  // raised (X is "nil" for a null Source).
  virtual void Assign(TPersistent* Source);

protected:
  virtual void AssignTo(TPersistent* Dest);
  [[noreturn]] void AssignError(TPersistent* Source);
};
