// TxlsWorkbookFile: an Excel 97-2003 workbook file: a compound document with the one stream
// "Workbook".
//
// The stream is assembled in a temporary file beside the target (Stream), because the writer
// goes back into it to patch records and a workbook of many sheets would be large to hold in
// memory; Commit copies it into the document, and can also put the workbook globals in before
// the sheets without moving them: those are built apart, in Globals (another temporary file), or
// in any stream the caller gives.
// The file is created at construction, so a target that cannot be created fails at once; until
// Commit an earlier file of that name stays as it was, and a workbook deleted without Commit
// leaves nothing behind (the temporary files go with it in any case).
//
// Errors: ExlsFileError "Cannot create file %s" (with the file name) followed by the reason,
// from the constructor and from Commit.
#pragma once

#include <memory>

#include "System.h"
#include "TStream.h"

class TCompoundFileWriter;
class TAtomicFileStream;

class TxlsWorkbookFile {
public:
  explicit TxlsWorkbookFile(const AnsiString& FileName);
  ~TxlsWorkbookFile();
  TxlsWorkbookFile(const TxlsWorkbookFile&) = delete;
  TxlsWorkbookFile& operator=(const TxlsWorkbookFile&) = delete;

  // The "Workbook" stream.
  TStream& Stream();
  // A stream apart for the workbook globals.
  TStream& Globals();
  // Writes the stream into the file and completes it. Once only.
  void Commit();
  // The same with Globals (all of it) put in at position InsertAt of the stream, which stays
  // as it is.
  void Commit(TStream& Globals, std::int64_t InsertAt);

  const AnsiString& FileName() const { return fileName_; }

private:
  AnsiString fileName_;
  std::unique_ptr<TCompoundFileWriter> file_;
  // Temporary files beside the target that are never committed: deleting them removes them.
  std::unique_ptr<TAtomicFileStream> stream_;
  std::unique_ptr<TAtomicFileStream> globals_;
};
