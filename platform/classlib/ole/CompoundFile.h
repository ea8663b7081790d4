// Compound documents (OLE structured storage), the container of Excel 97-2003 workbooks.
//
// TCompoundFileWriter makes a compound document of named streams at its top level:
//
//   TCompoundFileWriter file("out.xls");        // the target can be created, or EOleStorageError
//   file.WriteStream(u"Workbook", data, size);  // each stream once, in full (or in pieces)
//   file.Commit();                              // the document appears under its name
//
// The document is written into a temporary file beside the target as the streams come, and
// Commit completes it and renames it over the target, so a failed or abandoned write never
// leaves a damaged file under the target's name: a writer deleted without Commit removes its
// temporary file and leaves an earlier file of that name as it was. The constructor already
// creates the temporary file, so a target that cannot be created is reported before any work
// is done.
//
// TCompoundFileReader reads the top-level streams of a compound document, from a file or from
// bytes in memory; ReadCompoundStream reads one stream of a file in one call.
//
// Errors: EOleStorageError, whose message names the file and gives the reason (the system's
// error text or the container library's).
#pragma once

#include <cstddef>
#include <initializer_list>
#include <memory>
#include <string>
#include <string_view>

#include "Exception.h"
#include "System.h"

class EOleStorageError : public Exception {
public:
  EOleStorageError(AnsiString message, AnsiString reason) : Exception(std::move(message)), reason_(std::move(reason)) {}
  // The reason alone, without the file name.
  const AnsiString& Reason() const { return reason_; }

private:
  AnsiString reason_;
};

class TCompoundFileWriter {
public:
  explicit TCompoundFileWriter(const AnsiString& FileName);
  ~TCompoundFileWriter();
  TCompoundFileWriter(const TCompoundFileWriter&) = delete;
  TCompoundFileWriter& operator=(const TCompoundFileWriter&) = delete;

  // A part of a stream's bytes.
  struct TPiece {
    const void* Data;
    std::size_t Size;
  };

  // Adds a stream of that name holding Size bytes. Not after Commit.
  void WriteStream(const WideString& Name, const void* Data, std::size_t Size);
  // Adds a stream of that name holding the pieces one after the other.
  void WriteStream(const WideString& Name, std::initializer_list<TPiece> Pieces);
  // Writes the document and puts it under the target's name.
  void Commit();

  const AnsiString& FileName() const { return fileName_; }

private:
  struct Data;
  AnsiString fileName_;
  std::unique_ptr<Data> d_;
};

class TCompoundFileReader {
public:
  // Raises EOleStorageError "Cannot open file ..." when the file cannot be read or is no
  // compound document.
  explicit TCompoundFileReader(const AnsiString& FileName);
  // The same over a document in memory; Bytes must outlive the reader. FileName only names
  // the document in messages.
  TCompoundFileReader(std::string_view Bytes, const AnsiString& FileName);
  ~TCompoundFileReader();
  TCompoundFileReader(const TCompoundFileReader&) = delete;
  TCompoundFileReader& operator=(const TCompoundFileReader&) = delete;

  bool HasStream(const WideString& Name) const;
  // The bytes of the top-level stream Name. EOleStorageError "Cannot open file ..." when there
  // is no such stream, "Cannot read file ..." when the document's directory gives it more
  // bytes than the document holds or its chain of sectors breaks off.
  std::string ReadStream(const WideString& Name) const;

private:
  struct Data;
  AnsiString fileName_;
  std::unique_ptr<Data> d_;
};

// True when Bytes start with the compound document signature.
bool IsCompoundDocument(std::string_view Bytes);

// The bytes of the top-level stream Name of the compound document FileName; EOleStorageError
// when the file is not a compound document or has no such stream.
std::string ReadCompoundStream(const AnsiString& FileName, const WideString& Name);
