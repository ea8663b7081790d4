// TLabel: the label control of forms (see TCustomLabel).
#pragma once

#include "TCustomLabel.h"

class TLabel : public TCustomLabel {
  DECLARE_CLASS(TLabel, TCustomLabel)

  explicit TLabel(TComponent* AOwner);
};
