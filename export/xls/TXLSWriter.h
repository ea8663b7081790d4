// TXLSWriter: the output writer class of the Excel exporter. The exporter writes its workbook
// through the workbook writer (TxlsWorkbookWriter) and gives this class only as its writer
// class; it adds nothing to TExportWriter.
#pragma once

#include "TExportWriter.h"

class TXLSWriter : public TExportWriter {
  DECLARE_CLASS(TXLSWriter, TExportWriter)

  using TExportWriter::TExportWriter;
};
