// TStream: a sequence of bytes with a position, read and written in blocks. Files and memory
// blocks are streams (TFileStream, TMemoryStream), so a loader written against TStream reads
// either.
//
// Read and Write move at most Count bytes and return how many they moved; ReadBuffer and
// WriteBuffer move exactly Count bytes or raise EReadError "Stream read error" /
// EWriteError "Stream write error". Positions and sizes are 64-bit.
#pragma once

#include <cstdint>

#include "TObject.h"

enum class TSeekOrigin { soBeginning, soCurrent, soEnd };

class TStream : public TObject {
  DECLARE_CLASS(TStream, TObject)

  virtual std::int64_t Read(void* Buffer, std::int64_t Count) = 0;
  virtual std::int64_t Write(const void* Buffer, std::int64_t Count) = 0;
  // Moves the position and returns the new one.
  virtual std::int64_t Seek(std::int64_t Offset, TSeekOrigin Origin) = 0;
  // Changes the size; raises EStreamError when the stream cannot be resized.
  virtual void SetSize(std::int64_t NewSize);

  void ReadBuffer(void* Buffer, std::int64_t Count);
  void WriteBuffer(const void* Buffer, std::int64_t Count);

  std::int64_t Position();
  void SetPosition(std::int64_t Pos);
  std::int64_t Size();

  // Copies Count bytes from Source's position, or all of Source from its start when Count is 0.
  std::int64_t CopyFrom(TStream* Source, std::int64_t Count);
};
