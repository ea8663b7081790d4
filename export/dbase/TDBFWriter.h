// TDBFWriter: the writer of TDataExportDBF. It lays out the dBASE III table in the output
// stream: the header, the field descriptors, the terminator byte, one record per row and the
// end-of-file byte; with memo fields, when the output is a file, it writes the memo file
// beside it (the table's FileName with the extension ".dbt").
//
// Use, in file order: AddField for every field, WriteHeader, then per record StartRecord,
// WriteFieldValue (or WriteMemoField) for every field in order and EndRecord, and at the end
// WriteEndOfFile and CloseMemo. The record count in the header is brought up to date by
// WriteEndOfFile. The memo file is written whole or not at all: it replaces an existing one
// only when the export has run to its end (Finish); an export that raised leaves the old one.
//
// Errors: WriteHeader refuses, before it writes anything, a table whose header or record
// would be longer than the 65535 bytes their lengths can say (Exception naming the limit); a
// memo file that cannot be created raises EFCreateError (from WriteHeader); write failures
// are those of the streams.
#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "DbfFieldDescriptor.h"
#include "DbfHeader.h"
#include "TExportWriter.h"

class TAtomicFileStream;

class TDBFWriter : public TExportWriter {
  DECLARE_CLASS(TDBFWriter, TExportWriter)

  TDBFWriter(TDataExport* Owner, TStream* Stream);
  ~TDBFWriter() override;

  void AddField(const TDBFFieldDescriptor& Descriptor);
  int FieldCount() const { return static_cast<int>(fields_.size()); }
  const TDBFFieldDescriptor& Field(int Index) const { return fields_.at(static_cast<std::size_t>(Index)); }
  // The table's header, descriptors and terminator; creates the memo file when a field is a
  // memo and the output stream is a file.
  void WriteHeader();
  const TDBFHeader& Header() const { return header_; }
  bool HasMemoFile() const { return memo_ != nullptr; }

  void StartRecord();
  // Value in the exporter's Encoding, by the field's type: 'C' the text; 'N' a number text,
  // right-aligned ("*" when longer than the field); 'D' "yyyymmdd"; 'L' its first byte; an
  // empty Value, and any other type, blanks.
  void WriteFieldValue(int Index, std::string_view Value);
  // Field Index holds the memo of its source field (a data set's blob or memo field of 1 to
  // 65536 bytes) when there is a memo file; blanks otherwise.
  void WriteMemoField(int Index);
  void EndRecord();
  // The memo of field Index written into the memo file: its first block, -1 when none is
  // written (no memo file, a source without fields, an empty or too large value).
  std::int64_t WriteMemo(int Index);

  void WriteEndOfFile();
  // Writes the next free block into the memo file's first block.
  void CloseMemo();
  void Finish() override;

private:
  std::int64_t writeMemoBytes(std::string_view Memo);

  TDBFHeader header_;
  std::vector<TDBFFieldDescriptor> fields_;
  std::unique_ptr<TAtomicFileStream> memo_;
  std::uint32_t nextBlock_ = 1;
  bool memoClosed_ = false;
  std::string record_;
  std::string memoBlocks_;
};
