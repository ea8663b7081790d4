#include "TImageList.h"

#include "TypInfo.h"

DEFINE_CLASS(TImageList, TCustomImageList,
             Published::Integer("Height", &TCustomImageList::Height, &TCustomImageList::SetHeight),
             Published::Integer("Width", &TCustomImageList::Width, &TCustomImageList::SetWidth),
             Published::Event("OnChange", &TCustomImageList::OnChange))

TImageList::TImageList(TComponent* AOwner) : TCustomImageList(AOwner) {}
