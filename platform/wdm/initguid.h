// Included first by the one unit that defines the identifiers declared with DEFINE_GUID.
#define INITGUID
#include "guiddef.h"
