// The background picture of a sheet (BITMAP), written after the sheet's page setup.
#include <vector>

#include "Biff8Records.h"
#include "Exception.h"
#include "FileRoutines.h"
#include "TBitmap.h"
#include "TMemoryStream.h"
#include "TPicture.h"
#include "TbiffRecord.h"
#include "TxlsGraphic.h"
#include "TxlsWorkbookWriter.h"

namespace {

// The BITMAP record holds this much of its data itself; the rest goes on in CONTINUE records of
// at most the second size each.
constexpr std::size_t kFirstPiece = 8220;
constexpr std::size_t kContinuePiece = 8212;
constexpr std::size_t kCoreHeader = 12;
constexpr std::size_t kPixelOffsetField = 10;  // of the BMP file header

struct TPixels {
  std::vector<std::uint8_t> Bytes;
  int Width = 0;
  int Height = 0;
};

// A picture file drawn onto a 24-bit bitmap of its size: the bitmap's pixel rows (bottom row
// first, each padded to 4 bytes). Nothing for a file that is no picture the platform reads.
bool pixelsOfFile(const AnsiString& fileName, TPixels& out) {
  TMemoryStream bmp;
  try {
    TPicture picture;
    picture.LoadFromFile(fileName);
    if (picture.Graphic() == nullptr || picture.Width() <= 0 || picture.Height() <= 0) return false;
    TBitmap bitmap;
    bitmap.SetPixelFormat(pf24bit);
    bitmap.SetSize(picture.Width(), picture.Height());
    bitmap.Draw(0, 0, *picture.Graphic());
    bitmap.SaveToStream(&bmp);
    out.Width = picture.Width();
    out.Height = picture.Height();
  } catch (const Exception&) {
    return false;
  }
  const auto* p = reinterpret_cast<const std::uint8_t*>(bmp.Memory());
  const auto size = static_cast<std::size_t>(bmp.Size());
  if (size < kPixelOffsetField + 4) return false;
  const std::size_t offset = p[10] | (p[11] << 8) | (p[12] << 16) | (static_cast<std::size_t>(p[13]) << 24);
  if (offset >= size) return false;
  out.Bytes.assign(p + offset, p + size);
  return true;
}

}  // namespace

void TxlsWorkbookWriter::WriteSheetBackground(const TxlsSheetFrame& Frame) {
  TxlsGraphic* background = Frame.Background;
  if (background == nullptr) return;
  TPixels pixels;
  if (background->Data().Size() > 0) {
    // Pixels given in memory are taken as they are, with the size stored beside them.
    const auto* p = reinterpret_cast<const std::uint8_t*>(background->Data().Memory());
    pixels.Bytes.assign(p, p + background->Data().Size());
    pixels.Width = background->PictureWidth();
    pixels.Height = background->PictureHeight();
  } else if (background->FileName().empty() || !FileExists(background->FileName()) ||
             !pixelsOfFile(background->FileName(), pixels)) {
    return;
  }
  // The record's header keeps the size in 16 bits.
  if (pixels.Width <= 0 || pixels.Height <= 0 || pixels.Width > 0xFFFF || pixels.Height > 0xFFFF) return;

  TbiffBuffer data;
  data.U16(9).U16(1).U32(static_cast<std::uint32_t>(pixels.Bytes.size() + kCoreHeader));
  data.U32(kCoreHeader).U16(static_cast<std::uint16_t>(pixels.Width)).U16(static_cast<std::uint16_t>(pixels.Height));
  data.U16(1).U16(24);  // one plane, 24 bits per pixel
  data.Append(pixels.Bytes.data(), pixels.Bytes.size());
  std::size_t piece = std::min(kFirstPiece, data.Size());
  WriteSingleBiffRecord(stream(), biff8::BITMAP, data.Data(), piece);
  for (std::size_t at = piece; at < data.Size(); at += piece) {
    piece = std::min(kContinuePiece, data.Size() - at);
    WriteSingleBiffRecord(stream(), biff8::CONTINUE, data.Data() + at, piece);
  }
}
