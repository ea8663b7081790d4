// TListView: the list view control of forms (see TCustomListView).
#pragma once

#include "TCustomListView.h"

class TListView : public TCustomListView {
  DECLARE_CLASS(TListView, TCustomListView)

  explicit TListView(TComponent* AOwner);
};
