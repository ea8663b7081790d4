#include "DbaseMemo_p.h"

#include <algorithm>

#include "DbError.h"
#include "DbaseFormat.h"
#include "Format.h"

namespace {

// A dBASE IV memo block starts with this signature and the memo's length, both little-endian;
// the length counts the 8 bytes of this prefix.
constexpr std::uint8_t Dbase4MemoSignature[4] = {0xFF, 0xFF, 0x08, 0x00};
constexpr int Dbase4MemoPrefix = 8;
// The dBASE IV memo header keeps its block size at this offset.
constexpr int Dbase4BlockSizeOffset = 20;

std::uint32_t le32(const std::uint8_t* p) {
  return p[0] | (p[1] << 8) | (p[2] << 16) | (std::uint32_t{p[3]} << 24);
}

}  // namespace

TDbaseMemoFile::TDbaseMemoFile(std::unique_ptr<TStream> Stream, bool Dbase4, AnsiString FileName)
    : stream_(std::move(Stream)), fileName_(std::move(FileName)) {
  size_ = stream_->Size();
  if (Dbase4) {
    std::uint8_t header[Dbase4BlockSizeOffset + 2] = {};
    stream_->SetPosition(0);
    if (stream_->Read(header, sizeof header) == sizeof header) {
      const int size = header[Dbase4BlockSizeOffset] | (header[Dbase4BlockSizeOffset + 1] << 8);
      if (size > 0) blockSize_ = size;
    }
  }
}

AnsiString TDbaseMemoFile::Read(std::uint32_t Block) {
  const std::int64_t offset = std::int64_t{Block} * blockSize_;
  if (offset >= size_) RaiseDbError(fileName_, Format("memo block %u is past the end of the memo file", {Block}));
  // Some writers put dBASE IV memos into tables marked dBASE III: the signature decides.
  std::uint8_t prefix[Dbase4MemoPrefix] = {};
  stream_->SetPosition(offset);
  if (stream_->Read(prefix, sizeof prefix) == sizeof prefix && std::equal(prefix, prefix + 4, Dbase4MemoSignature)) {
    const std::uint32_t length = le32(prefix + 4);
    if (length < Dbase4MemoPrefix || offset + length > size_)
      RaiseDbError(fileName_, Format("memo block %u has a length past the end of the memo file", {Block}));
    AnsiString text(length - Dbase4MemoPrefix, '\0');
    stream_->ReadBuffer(text.data(), std::int64_t(text.size()));
    return text;
  }
  return readUntilTerminator(offset);
}

// dBASE III memos have no length: the text runs to the first 0x1A (or the end of the file).
AnsiString TDbaseMemoFile::readUntilTerminator(std::int64_t Offset) {
  AnsiString text;
  char chunk[dbase::MemoBlockSize];
  stream_->SetPosition(Offset);
  for (;;) {
    const std::int64_t got = stream_->Read(chunk, sizeof chunk);
    if (got <= 0) break;
    const char* end = std::find(chunk, chunk + got, static_cast<char>(dbase::EndOfFile));
    text.append(chunk, std::size_t(end - chunk));
    if (end != chunk + got) break;
  }
  return text;
}
