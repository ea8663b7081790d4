// Private to the kernel stand-in: the references that requests in flight hold on a file
// object, as the I/O manager counts them. It sends the close request only once the last of them
// is gone.
#pragma once

#include "wdm.h"

void WdmReferenceFile(PFILE_OBJECT File);
void WdmDereferenceFile(PFILE_OBJECT File);
