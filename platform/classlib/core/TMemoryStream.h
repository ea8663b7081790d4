// TMemoryStream: a stream over a growable block of memory that it owns. Writing past the end
// grows the block; seeking past the end is allowed and a later write fills the gap with zeros.
#pragma once

#include <vector>

#include "TStream.h"

class TMemoryStream : public TStream {
  DECLARE_CLASS(TMemoryStream, TStream)

  std::int64_t Read(void* Buffer, std::int64_t Count) override;
  std::int64_t Write(const void* Buffer, std::int64_t Count) override;
  std::int64_t Seek(std::int64_t Offset, TSeekOrigin Origin) override;
  void SetSize(std::int64_t NewSize) override;

  // The bytes held; valid until the next write or resize.
  const char* Memory() const { return data_.data(); }
  void Clear();

  // Replace the contents by a whole stream or file and rewind; save all of them.
  void LoadFromStream(TStream* Stream);
  void LoadFromFile(const AnsiString& FileName);
  void SaveToStream(TStream* Stream);
  void SaveToFile(const AnsiString& FileName);

private:
  std::vector<char> data_;
  std::int64_t position_ = 0;
};
