#include "TXLSWriter.h"

#include "TypInfo.h"

DEFINE_CLASS(TXLSWriter, TExportWriter)
