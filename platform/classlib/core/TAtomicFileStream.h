// TAtomicFileStream: a file written whole or not at all.
//
// The stream writes into a part file beside the target, made as FileReplace.h describes (an
// existing target must be a file the user may write; through a symbolic link the file it
// points to is replaced; part files that ended processes left are swept); Commit renames it
// over the target in one step, so the target holds either its old contents or the complete
// new ones, never a part. Deleting the stream without Commit (an export that failed) removes
// the part file and leaves the target as it was. A replaced target keeps its permissions.
//
// Writes are gathered in a buffer and reach the file in large blocks; seeking, reading and
// resizing first write out what is buffered, so the stream behaves as a plain file stream.
//
// Errors: the constructor raises EFCreateError 'Cannot create file "target". reason' when the
// target is a folder or no file, an existing target may not be written, or the part file
// cannot be made; Commit raises it when the data cannot be written out or the rename fails
// (the part file is then removed). Read and write failures are those of TStream.
#pragma once

#include <cstdint>
#include <filesystem>
#include <vector>

#include "TFileStream.h"

class TAtomicFileStream : public TFileStream {
  DECLARE_CLASS(TAtomicFileStream, TFileStream)

  explicit TAtomicFileStream(const AnsiString& FileName);
  ~TAtomicFileStream() override;

  std::int64_t Read(void* Buffer, std::int64_t Count) override;
  std::int64_t Write(const void* Buffer, std::int64_t Count) override;
  std::int64_t Seek(std::int64_t Offset, TSeekOrigin Origin) override;
  void SetSize(std::int64_t NewSize) override;

  void Commit();
  bool Committed() const { return committed_; }

  const AnsiString& TempFileName() const { return tempName_; }

private:
  struct TPart {
    int Fd;
    std::filesystem::path Target;
    std::filesystem::path Path;
  };
  TAtomicFileStream(const AnsiString& FileName, TPart Part);
  static TPart openPart(const AnsiString& FileName);
  [[noreturn]] static void createError(const AnsiString& FileName, int Error);
  // Writes the buffer out; false (errno set) when the file takes fewer bytes.
  bool flush();
  void flushOrRaise();

  std::filesystem::path target_;
  std::filesystem::path part_;
  AnsiString tempName_;
  bool committed_ = false;
  std::vector<char> buffer_;
};
