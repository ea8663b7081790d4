// TTreeView: the tree view control of forms (see TCustomTreeView).
#pragma once

#include "TCustomTreeView.h"

class TTreeView : public TCustomTreeView {
  DECLARE_CLASS(TTreeView, TCustomTreeView)

  explicit TTreeView(TComponent* AOwner);
};
