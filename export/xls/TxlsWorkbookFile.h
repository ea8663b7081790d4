// TxlsWorkbookFile: an Excel 97-2003 workbook file: a compound document with the one stream
// "Workbook".
//
// The stream is assembled in memory (Stream), because the writer goes back into it to patch
// records, and reaches the file in Commit, which can also put the workbook globals in before
// the sheets without moving them.
// The file is created at construction, so a target that cannot be created fails at once; until
// Commit an earlier file of that name stays as it was, and a workbook deleted without Commit
// leaves nothing behind.
//
// Errors: ExlsFileError "Cannot create file %s" (with the file name) followed by the reason,
// from the constructor and from Commit.
#pragma once

#include <memory>

#include "System.h"
#include "TMemoryStream.h"

class TCompoundFileWriter;

class TxlsWorkbookFile {
public:
  explicit TxlsWorkbookFile(const AnsiString& FileName);
  ~TxlsWorkbookFile();
  TxlsWorkbookFile(const TxlsWorkbookFile&) = delete;
  TxlsWorkbookFile& operator=(const TxlsWorkbookFile&) = delete;

  // The "Workbook" stream.
  TMemoryStream& Stream() { return stream_; }
  // Writes the stream into the file and completes it. Once only.
  void Commit();
  // The same with Globals (all of it) put in at position InsertAt of the stream, which stays
  // as it is.
  void Commit(TMemoryStream& Globals, std::int64_t InsertAt);

  const AnsiString& FileName() const { return fileName_; }

private:
  AnsiString fileName_;
  std::unique_ptr<TCompoundFileWriter> file_;
  TMemoryStream stream_;
};
