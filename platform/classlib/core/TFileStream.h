// TFileStream: a stream over an open file. The file name is 8-bit text in the ANSI code page.
//
// Mode is fmCreate (create or truncate, read-write) or one of fmOpenRead, fmOpenWrite,
// fmOpenReadWrite combined with a sharing flag. The sharing flags are accepted for the
// callers' sake but not enforced: this platform has no mandatory file sharing modes.
// A file that cannot be opened raises EFOpenError 'Cannot open file "name". reason', one that
// cannot be created EFCreateError 'Cannot create file "name". reason'; a folder is never
// opened as a file. The file is closed when the stream is deleted.
#pragma once

#include <cstdint>

#include "TStream.h"

constexpr std::uint16_t fmCreate = 0xFFFF;
constexpr std::uint16_t fmOpenRead = 0x0000;
constexpr std::uint16_t fmOpenWrite = 0x0001;
constexpr std::uint16_t fmOpenReadWrite = 0x0002;
constexpr std::uint16_t fmShareCompat = 0x0000;
constexpr std::uint16_t fmShareExclusive = 0x0010;
constexpr std::uint16_t fmShareDenyWrite = 0x0020;
constexpr std::uint16_t fmShareDenyRead = 0x0030;
constexpr std::uint16_t fmShareDenyNone = 0x0040;

class TFileStream : public TStream {
  DECLARE_CLASS(TFileStream, TStream)

  TFileStream(const AnsiString& FileName, std::uint16_t Mode);
  ~TFileStream() override;

  std::int64_t Read(void* Buffer, std::int64_t Count) override;
  std::int64_t Write(const void* Buffer, std::int64_t Count) override;
  std::int64_t Seek(std::int64_t Offset, TSeekOrigin Origin) override;
  void SetSize(std::int64_t NewSize) override;

  const AnsiString& FileName() const { return fileName_; }

protected:
  // A stream over a file its subclass opened itself; the stream owns Handle from now on.
  TFileStream(int Handle, const AnsiString& FileName) : fileName_(FileName), fd_(Handle) {}
  int Handle() const { return fd_; }
  // Hands the descriptor back to the subclass, which closes it; the stream then moves nothing.
  int ReleaseHandle();

private:
  AnsiString fileName_;
  int fd_ = -1;
};
