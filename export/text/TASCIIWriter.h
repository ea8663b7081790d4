// TASCIIWriter: the writer of TDataExportASCII. CSV and SYLK text is written in the ANSI code
// page and DIF text in the OEM code page, whatever the exporter's Encoding; fixed-width text
// in the Encoding (TExportWriter). An empty text writes nothing; no byte-order mark is written
// by the writer itself.
#pragma once

#include <string>

#include "TExportWriter.h"

class TASCIIWriter : public TExportWriter {
  DECLARE_CLASS(TASCIIWriter, TExportWriter)

  TASCIIWriter(TDataExport* Owner, TStream* Stream);

  void Write(const WideString& Text) override;

private:
  std::string bytes_;  // the last Write's bytes, kept to reuse their storage
};
