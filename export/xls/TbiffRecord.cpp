#include "TbiffRecord.h"

#include <algorithm>

#include "Biff8Records.h"
#include "ExlsFileError.h"
#include "TStream.h"

namespace {

void writeExactly(TStream& stream, const void* data, std::size_t size) {
  if (size > 0 && stream.Write(data, static_cast<std::int64_t>(size)) != static_cast<std::int64_t>(size))
    throw ExlsFileError(xlsmsg::WriteError);
}

void writeHeader(TStream& stream, std::uint16_t id, std::size_t length) {
  const std::uint8_t header[4] = {static_cast<std::uint8_t>(id), static_cast<std::uint8_t>(id >> 8),
                                  static_cast<std::uint8_t>(length), static_cast<std::uint8_t>(length >> 8)};
  writeExactly(stream, header, 4);
}

}  // namespace

void WriteBiffRecord(TStream& Stream, std::uint16_t Id, const std::uint8_t* Data, std::size_t Size) {
  std::size_t piece = std::min(Size, BiffPieceSize);
  writeHeader(Stream, Id, piece);
  writeExactly(Stream, Data, piece);
  for (std::size_t done = piece; done < Size; done += piece) {
    piece = std::min(Size - done, BiffPieceSize);
    writeHeader(Stream, biff8::CONTINUE, piece);
    writeExactly(Stream, Data + done, piece);
  }
}

void WriteSingleBiffRecord(TStream& Stream, std::uint16_t Id, const std::uint8_t* Data, std::size_t Size) {
  if (Size > static_cast<std::size_t>(biff8::MaxRecordData)) throw ExlsFileError(xlsmsg::WriteError);
  writeHeader(Stream, Id, Size);
  writeExactly(Stream, Data, Size);
}

std::size_t BiffRecordSize(std::size_t Size) {
  const std::size_t pieces = Size == 0 ? 1 : (Size + BiffPieceSize - 1) / BiffPieceSize;
  return Size + 4 * pieces;
}

TbiffRecord::TbiffRecord(std::uint16_t Id, std::size_t Length) : id_(Id), data_(Length, 0) {}
TbiffRecord::~TbiffRecord() = default;

std::size_t TbiffRecord::TotalSize() const {
  return BiffRecordSize(DataLength()) + (child_ != nullptr ? child_->TotalSize() : 0);
}

void TbiffRecord::SaveToStream(TStream& Stream) const {
  WriteBiffRecord(Stream, id_, data_.data(), DataLength());
  if (child_ != nullptr) child_->SaveToStream(Stream);
}

void TbiffRecord::ClearData() { std::fill(data_.begin(), data_.end(), std::uint8_t{0}); }

void TbiffRecord::SetU8(std::size_t Offset, std::uint8_t Value) { data_.at(Offset) = Value; }

void TbiffRecord::SetU16(std::size_t Offset, std::uint16_t Value) {
  SetU8(Offset + 1, static_cast<std::uint8_t>(Value >> 8));
  data_[Offset] = static_cast<std::uint8_t>(Value);
}

void TbiffRecord::SetU32(std::size_t Offset, std::uint32_t Value) {
  SetU16(Offset + 2, static_cast<std::uint16_t>(Value >> 16));
  SetU16(Offset, static_cast<std::uint16_t>(Value));
}
