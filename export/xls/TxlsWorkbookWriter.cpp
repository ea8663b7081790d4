// The writer's state and its record primitives.
#include "TxlsWorkbookWriter.h"

#include "Biff8Records.h"
#include "TFontMetrics.h"
#include "TStream.h"
#include "TbiffRecord.h"
#include "TxlsPictureStore.h"
#include "XlsColors.h"

namespace {
// BOF: the build and year of the application that wrote the file, the oldest version that
// reads it.
constexpr std::uint16_t kBuild = 0x0DBB;
constexpr std::uint16_t kBuildYear = 0x07CC;
constexpr std::uint32_t kLowestVersion = 0x00000206;
}  // namespace

TxlsWorkbookWriter::TxlsWorkbookWriter(TStream& Stream, bool AllowTruncate)
    : stream_(Stream),
      cells_(std::make_unique_for_overwrite<std::uint8_t[]>(kCellBlock + kLargestCell)),
      sst_(AllowTruncate),
      chartColors_(XlsDefaultChartColors()) {}

TxlsWorkbookWriter::~TxlsWorkbookWriter() = default;

void TxlsWorkbookWriter::WriteRecord(std::uint16_t Id) { WriteBiffRecord(stream(), Id, record_.Data(), record_.Size()); }

void TxlsWorkbookWriter::WriteWordRecord(std::uint16_t Id, std::uint16_t Value) {
  record_.Clear();
  record_.U16(Value);
  WriteRecord(Id);
}

void TxlsWorkbookWriter::WriteBOF(std::uint16_t Type) {
  record_.Clear();
  record_.U16(biff8::BiffVersion8).U16(Type).U16(kBuild).U16(kBuildYear).U32(0).U32(kLowestVersion);
  WriteRecord(biff8::BOF);
}

