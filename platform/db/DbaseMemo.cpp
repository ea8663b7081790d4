#include "DbaseMemo_p.h"

#include <algorithm>
#include <cstring>

#include "DbError.h"
#include "DbaseFormat.h"
#include "FileNames.h"
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

TDbaseMemoFile::TDbaseMemoFile(std::unique_ptr<TStream> Stream, bool Dbase4, AnsiString FileName, AnsiString TableName)
    : stream_(std::move(Stream)), fileName_(std::move(FileName)), tableName_(std::move(TableName)), dbase4_(Dbase4) {}

void TDbaseMemoFile::load() {
  loaded_ = true;
  bytes_.resize(std::size_t(std::max<std::int64_t>(0, stream_->Size())));
  stream_->SetPosition(0);
  bytes_.resize(std::size_t(std::max<std::int64_t>(0, stream_->Read(bytes_.data(), std::int64_t(bytes_.size())))));
  stream_.reset();
  if (dbase4_ && bytes_.size() >= Dbase4BlockSizeOffset + 2) {
    const auto* header = reinterpret_cast<const std::uint8_t*>(bytes_.data());
    const int size = header[Dbase4BlockSizeOffset] | (header[Dbase4BlockSizeOffset + 1] << 8);
    if (size > 0) blockSize_ = size;
  }
}

std::string_view TDbaseMemoFile::Read(std::uint32_t Block) {
  if (!loaded_) load();
  const auto known = memos_.find(Block);
  if (known != memos_.end()) return known->second;
  const std::string_view memo = readAt(Block);
  memos_.emplace(Block, memo);
  return memo;
}

std::string_view TDbaseMemoFile::readAt(std::uint32_t Block) {
  const std::int64_t size = std::int64_t(bytes_.size());
  const std::int64_t offset = std::int64_t{Block} * blockSize_;
  if (offset >= size) RaiseDbError(fileName_, Format("memo block %u is past the end of the memo file", {Block}));
  const std::string_view rest = std::string_view(bytes_).substr(std::size_t(offset));
  // Some writers put dBASE IV memos into tables marked dBASE III: the signature decides.
  if (rest.size() >= Dbase4MemoPrefix && std::memcmp(rest.data(), Dbase4MemoSignature, 4) == 0) {
    const std::uint32_t length = le32(reinterpret_cast<const std::uint8_t*>(rest.data()) + 4);
    if (length < Dbase4MemoPrefix || length > rest.size())
      RaiseDbError(fileName_, Format("memo block %u has a length past the end of the memo file", {Block}));
    return rest.substr(Dbase4MemoPrefix, length - Dbase4MemoPrefix);
  }
  // dBASE III memos have no length: the text runs to the first 0x1A. One that runs to the end
  // of the file has lost its end, and maybe its blocks.
  const std::size_t end = rest.find(static_cast<char>(dbase::EndOfFile));
  if (end == std::string_view::npos)
    RaiseDbError(tableName_, Format("the memo in block %u runs to the end of %s without its end mark: the memo file "
                                    "is damaged",
                                    {Block, ExtractFileName(fileName_)}));
  return rest.substr(0, end);
}
