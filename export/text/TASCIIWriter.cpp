#include "TASCIIWriter.h"

#include "ExportTextHelpers.h"
#include "TDataExportASCII.h"
#include "TypInfo.h"

DEFINE_CLASS(TASCIIWriter, TExportWriter)

TASCIIWriter::TASCIIWriter(TDataExport* Owner, TStream* Stream) : TExportWriter(Owner, Stream) {}

void TASCIIWriter::Write(const WideString& Text) {
  const auto* owner = dynamic_cast<const TDataExportASCII*>(Owner());
  if (owner == nullptr || Text.empty()) {
    TExportWriter::Write(Text);
    return;
  }
  int encoding;
  switch (owner->ExportType()) {
    case etCSV:
    case etSYLK: encoding = ExportAnsiCodePage; break;
    case etDIF: encoding = ExportOemCodePage; break;
    default: TExportWriter::Write(Text); return;
  }
  bytes_.clear();
  EncodeExportText(Text, encoding, bytes_);
  WriteBytes(bytes_.data(), bytes_.size());
}
