// TBooleanField (ftBoolean): values read as Variant booleans; AsString gives "True" or
// "False", AsInteger -1 or 0. DataSize 2, default display width 5.
#pragma once

#include "TField.h"

class TBooleanField : public TField {
  DECLARE_CLASS(TBooleanField, TField)

  explicit TBooleanField(TComponent* AOwner);
  int DataSize() const override { return 2; }

protected:
  Variant GetAsVariant() const override;
  AnsiString GetAsString() const override;
  bool GetAsBoolean() const override;
  int GetDefaultWidth() const override { return 5; }
};
