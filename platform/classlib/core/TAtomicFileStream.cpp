#include "TAtomicFileStream.h"

#include <cerrno>
#include <cstring>
#include <utility>

#include "CodePage.h"
#include "Exception.h"
#include "FileReplace.h"
#include "SysPath.h"
#include "TypInfo.h"

DEFINE_CLASS(TAtomicFileStream, TFileStream)

namespace {

// Writes reach the file in blocks of this size.
constexpr std::size_t BufferSize = 64 * 1024;

AnsiString reason(int error) { return Utf8ToAnsi(std::strerror(error)); }

}  // namespace

TAtomicFileStream::TAtomicFileStream(const AnsiString& FileName) : TAtomicFileStream(FileName, openPart(FileName)) {}

TAtomicFileStream::TAtomicFileStream(const AnsiString& FileName, TPart Part)
    : TFileStream(Part.Fd, FileName),
      target_(std::move(Part.Target)),
      part_(std::move(Part.Path)),
      tempName_(FromSysPath(part_)) {
  buffer_.reserve(BufferSize);
}

TAtomicFileStream::TPart TAtomicFileStream::openPart(const AnsiString& FileName) {
  TPart part{};
  part.Fd = OpenReplacingPart(FileName.empty() ? std::filesystem::path() : ToSysPath(FileName), part.Target, part.Path);
  if (part.Fd < 0) createError(FileName, errno);
  return part;
}

TAtomicFileStream::~TAtomicFileStream() {
  if (!committed_) DiscardReplacingPart(ReleaseHandle(), part_);
}

void TAtomicFileStream::createError(const AnsiString& FileName, int Error) {
  throw EFCreateError("Cannot create file \"" + FileName + "\". " + reason(Error));
}

bool TAtomicFileStream::flush() {
  if (buffer_.empty()) return true;
  const auto size = static_cast<std::int64_t>(buffer_.size());
  const bool ok = TFileStream::Write(buffer_.data(), size) == size;
  buffer_.clear();
  return ok;
}

void TAtomicFileStream::flushOrRaise() {
  if (!flush()) throw EWriteError("Stream write error: " + reason(errno));
}

std::int64_t TAtomicFileStream::Read(void* Buffer, std::int64_t Count) {
  flushOrRaise();
  return TFileStream::Read(Buffer, Count);
}

std::int64_t TAtomicFileStream::Write(const void* Buffer, std::int64_t Count) {
  if (Handle() < 0 || Count <= 0) return 0;
  const char* data = static_cast<const char*>(Buffer);
  const auto size = static_cast<std::size_t>(Count);
  if (buffer_.size() + size > BufferSize) {
    if (!flush()) return 0;
    if (size >= BufferSize) return TFileStream::Write(Buffer, Count);
  }
  buffer_.insert(buffer_.end(), data, data + size);
  return Count;
}

std::int64_t TAtomicFileStream::Seek(std::int64_t Offset, TSeekOrigin Origin) {
  flushOrRaise();
  return TFileStream::Seek(Offset, Origin);
}

void TAtomicFileStream::SetSize(std::int64_t NewSize) {
  flushOrRaise();
  TFileStream::SetSize(NewSize);
}

void TAtomicFileStream::Commit() {
  if (committed_) return;
  if (Handle() < 0) createError(FileName(), EBADF);
  if (!flush()) {
    const int error = errno;
    DiscardReplacingPart(ReleaseHandle(), part_);
    createError(FileName(), error);
  }
  if (!CommitReplacingPart(ReleaseHandle(), part_, target_)) createError(FileName(), errno);
  committed_ = true;
}
