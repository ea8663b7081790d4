// TPanel: the panel control of forms (see TCustomPanel).
#pragma once

#include "TCustomPanel.h"

class TPanel : public TCustomPanel {
  DECLARE_CLASS(TPanel, TCustomPanel)

  explicit TPanel(TComponent* AOwner);
};
