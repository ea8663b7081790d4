// Internal to the text reader: splits a text stream into records of cells, by delimiters with
// quoting (doubled quotes, line breaks inside quotes) or by fixed widths.
#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <vector>

#include "TStream.h"
#include "TextSchema_p.h"

struct TTextCell {
  std::string Text;     // bytes in the file's code page (UTF-8 for Unicode files)
  bool Quoted = false;  // the cell was enclosed in the text delimiter
};

class TTextRecordReader {
public:
  // Input holds the text from Start on in the schema's code page, or in UTF-8 when that is
  // Unicode. FileName names the file in errors.
  TTextRecordReader(TStream& Input, std::int64_t Start, const TTextSchema& Schema, AnsiString FileName);

  void Rewind();
  // Fills Cells[0..Count) with the next record's cells (the vector only grows, so its strings
  // are reused); false at the end. Empty lines are skipped. Raises EDatabaseError for a record
  // of more than MaxTextColumns cells and for a quoted cell that is not closed.
  bool Next(std::vector<TTextCell>& Cells, std::size_t& Count);
  // The line the last record started on, from 1.
  int Line() const { return recordLine_; }

private:
  // Inline: the cell loops ask it for every byte that ends a run.
  int peek() { return at_ < used_ ? static_cast<unsigned char>(buffer_[at_]) : refill(); }
  int refill();
  int get() {
    const int c = peek();
    if (c >= 0) ++at_;
    return c;
  }
  void appendRun(std::string& Text, const std::array<std::uint8_t, 256>& Classes);
  bool skipEmptyLines();
  bool firstLineIsTabDelimited();
  void endLine();
  void appendCharacter(std::string& Text, int First);
  TTextCell& cell(std::vector<TTextCell>& Cells, std::size_t& Count);
  bool nextDelimited(std::vector<TTextCell>& Cells, std::size_t& Count);
  bool nextFixed(std::vector<TTextCell>& Cells, std::size_t& Count);

  TStream& input_;
  std::int64_t start_;
  const TTextSchema& schema_;
  AnsiString fileName_;
  std::array<bool, 256> leadByte_{};  // starts a double-byte character of the file's code page
  // What each byte is inside an unquoted and a quoted cell: plain text, a lead byte, or a byte
  // the cell loops must look at (see appendRun).
  std::array<std::uint8_t, 256> unquotedClasses_{};
  std::array<std::uint8_t, 256> quotedClasses_{};
  bool utf8_ = false;
  int delimiter_ = ',';  // the schema's, or a tab (firstLineIsTabDelimited)
  std::vector<char> buffer_;
  std::size_t at_ = 0;
  std::size_t used_ = 0;
  int line_ = 1;
  int recordLine_ = 0;
  std::string lineText_;
};
