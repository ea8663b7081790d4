#include "TOwnedCollection.h"

#include "TypInfo.h"

DEFINE_CLASS(TOwnedCollection, TCollection)
