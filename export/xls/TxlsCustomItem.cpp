#include "TxlsCustomItem.h"

#include "TypInfo.h"

DEFINE_CLASS(TxlsCustomItem, TCollectionItem)
