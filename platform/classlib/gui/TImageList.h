// TImageList: the image list component of forms (see TCustomImageList).
#pragma once

#include "TCustomImageList.h"

class TImageList : public TCustomImageList {
  DECLARE_CLASS(TImageList, TCustomImageList)

  explicit TImageList(TComponent* AOwner);
};
