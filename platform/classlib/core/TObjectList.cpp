#include "TObjectList.h"

#include "TypInfo.h"

DEFINE_CLASS(TObjectList, TList)

TObjectList::~TObjectList() {
  // Here, not in ~TList: by then this class's Notify would no longer be called.
  Clear();
}

void TObjectList::Notify(void* Ptr, TListNotification Action) {
  if (ownsObjects_ && Action == TListNotification::lnDeleted) delete static_cast<TObject*>(Ptr);
  TList::Notify(Ptr, Action);
}
