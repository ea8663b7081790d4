// TAtomicFileStream: a file written whole or not at all.
//
// The stream writes into a new temporary file in the target's folder (named
// ".<name>.<number>.tmp"); Commit renames it over the target in one step, so the target holds
// either its old contents or the complete new ones, never a part. Deleting the stream without
// Commit (an export that failed) removes the temporary file and leaves the target as it was.
// A replaced target keeps its permissions.
//
// Writes are gathered in a buffer and reach the file in large blocks; seeking, reading and
// resizing first write out what is buffered, so the stream behaves as a plain file stream.
//
// Errors: the constructor raises EFCreateError 'Cannot create file "target". reason' when the
// target is a folder, an existing target may not be written, or the temporary file cannot be
// made; Commit raises it when the data cannot be written out or the rename fails (the
// temporary file is then removed). Read and write failures are those of TStream.
#pragma once

#include <cstdint>
#include <vector>

#include "TStream.h"

class TAtomicFileStream : public TStream {
  DECLARE_CLASS(TAtomicFileStream, TStream)

  explicit TAtomicFileStream(const AnsiString& FileName);
  ~TAtomicFileStream() override;

  std::int64_t Read(void* Buffer, std::int64_t Count) override;
  std::int64_t Write(const void* Buffer, std::int64_t Count) override;
  std::int64_t Seek(std::int64_t Offset, TSeekOrigin Origin) override;
  void SetSize(std::int64_t NewSize) override;

  void Commit();
  bool Committed() const { return committed_; }

  const AnsiString& FileName() const { return fileName_; }
  const AnsiString& TempFileName() const { return tempName_; }

private:
  [[noreturn]] void createError(int Error) const;
  // Writes the buffer out; false (errno set) when the file takes fewer bytes.
  bool flush();
  void flushOrRaise();
  void discard();

  AnsiString fileName_;
  AnsiString tempName_;
  int fd_ = -1;
  bool committed_ = false;
  std::vector<char> buffer_;
};
