#include "TextRecordReader_p.h"

#include "CodePage.h"
#include "DbError.h"
#include "DbNumbers_p.h"
#include "Format.h"

namespace {

constexpr std::size_t BufferSize = 64 * 1024;

// Byte classes of appendRun.
constexpr std::uint8_t Plain = 0;
constexpr std::uint8_t Lead = 1;
constexpr std::uint8_t Stop = 2;

}  // namespace

TTextRecordReader::TTextRecordReader(TStream& Input, std::int64_t Start, const TTextSchema& Schema, AnsiString FileName)
    : input_(Input), start_(Start), schema_(Schema), fileName_(std::move(FileName)), buffer_(BufferSize) {
  utf8_ = Schema.CodePage == CP_UTF8 || Schema.CodePage == CodePageUtf16 || (Schema.CodePage == 0 && GetACP() == CP_UTF8);
  if (!utf8_) {
    const int codePage = Schema.CodePage == 0 ? CP_ACP : Schema.CodePage;
    for (int b = 0x80; b < 0x100; ++b) leadByte_[b] = IsDBCSLeadByte(std::uint8_t(b), codePage);
  }
  delimiter_ = static_cast<unsigned char>(Schema.Delimiter);
  if (Schema.Layout == TTextLayout::Delimited && firstLineIsTabDelimited()) delimiter_ = '\t';
  for (int b = 0; b < 0x100; ++b) unquotedClasses_[b] = quotedClasses_[b] = leadByte_[b] ? Lead : Plain;
  for (int b : {'\r', '\n'}) unquotedClasses_[b] = quotedClasses_[b] = Stop;
  unquotedClasses_[delimiter_] = Stop;
  if (Schema.Quote >= 0) quotedClasses_[Schema.Quote & 0xFF] = Stop;
  Rewind();
}

// Text saved from a spreadsheet is tab-delimited whatever the reader was told: a first line
// (within the first read block) that holds tabs but no delimiter outside quoted cells says so.
bool TTextRecordReader::firstLineIsTabDelimited() {
  Rewind();
  if (!skipEmptyLines()) return false;
  const int quote = schema_.Quote;
  bool cellStart = true;
  bool tabs = false;
  for (std::size_t i = at_; i < used_; ++i) {
    const int c = static_cast<unsigned char>(buffer_[i]);
    if (cellStart && c == quote) {
      // To the closing quote; a doubled quote stays inside.
      for (++i; i < used_; ++i) {
        const int q = static_cast<unsigned char>(buffer_[i]);
        if (q == quote && (i + 1 >= used_ || static_cast<unsigned char>(buffer_[i + 1]) != quote)) break;
        if (q == quote || leadByte_[q]) ++i;
      }
      cellStart = false;
      continue;
    }
    if (c == delimiter_) return false;
    if (c == '\r' || c == '\n') break;
    if (c == '\t') tabs = true;
    if (leadByte_[c]) ++i;
    cellStart = c == '\t';
  }
  return tabs;
}

void TTextRecordReader::Rewind() {
  input_.SetPosition(start_);
  at_ = used_ = 0;
  line_ = 1;
  recordLine_ = 0;
}

// Reads the next block; the first byte of it, or -1 at the end.
int TTextRecordReader::refill() {
  const std::int64_t got = input_.Read(buffer_.data(), std::int64_t(buffer_.size()));
  at_ = 0;
  used_ = got > 0 ? std::size_t(got) : 0;
  return used_ == 0 ? -1 : static_cast<unsigned char>(buffer_[0]);
}

// A trail byte of a double-byte character may equal a delimiter or the quote: it is taken with
// its lead byte.
void TTextRecordReader::appendCharacter(std::string& Text, int First) {
  Text += static_cast<char>(First);
  if (leadByte_[First]) {
    const int next = peek();
    if (next >= 0x40) Text += static_cast<char>(get());
  }
}

// Appends the run of bytes from the current position that the cell loops would append one by
// one: plain bytes, and double-byte characters whose trail byte is in the buffer, taken as
// appendCharacter takes them. Stops before a byte of class Stop and at the end of the buffer.
void TTextRecordReader::appendRun(std::string& Text, const std::array<std::uint8_t, 256>& Classes) {
  const std::size_t from = at_;
  while (at_ < used_) {
    const std::uint8_t kind = Classes[static_cast<unsigned char>(buffer_[at_])];
    if (kind == Plain) {
      ++at_;
    } else if (kind == Lead && at_ + 1 < used_) {
      at_ += static_cast<unsigned char>(buffer_[at_ + 1]) >= 0x40 ? 2 : 1;
    } else {
      break;
    }
  }
  Text.append(buffer_.data() + from, at_ - from);
}

bool TTextRecordReader::skipEmptyLines() {
  for (;;) {
    const int c = peek();
    if (c < 0) return false;
    if (c != '\r' && c != '\n') return true;
    endLine();
  }
}

// Takes one line break: CR LF, LF or CR.
void TTextRecordReader::endLine() {
  const int c = get();
  if (c == '\r' && peek() == '\n') get();
  if (c >= 0) ++line_;
}

TTextCell& TTextRecordReader::cell(std::vector<TTextCell>& Cells, std::size_t& Count) {
  if (Count == std::size_t(MaxTextColumns))
    RaiseDbError(fileName_, Format("line %d has more than %d columns", {recordLine_, MaxTextColumns}));
  if (Count == Cells.size()) Cells.emplace_back();
  TTextCell& c = Cells[Count++];
  c.Text.clear();
  c.Quoted = false;
  return c;
}

bool TTextRecordReader::Next(std::vector<TTextCell>& Cells, std::size_t& Count) {
  Count = 0;
  if (!skipEmptyLines()) return false;
  recordLine_ = line_;
  return schema_.Layout == TTextLayout::FixedLength ? nextFixed(Cells, Count) : nextDelimited(Cells, Count);
}

bool TTextRecordReader::nextDelimited(std::vector<TTextCell>& Cells, std::size_t& Count) {
  const int quote = schema_.Quote;
  const int delimiter = delimiter_;
  for (;;) {
    TTextCell& current = cell(Cells, Count);
    if (quote >= 0 && peek() == quote) {
      get();
      current.Quoted = true;
      for (;;) {
        appendRun(current.Text, quotedClasses_);
        const int c = get();
        if (c < 0) RaiseDbError(fileName_, Format("the quoted field that starts on line %d is not closed", {recordLine_}));
        if (c == quote) {
          if (peek() != quote) break;
          get();
        } else if (c == '\n' || (c == '\r' && peek() != '\n')) {
          ++line_;
        }
        appendCharacter(current.Text, c);
      }
    }
    // An unquoted cell, or what follows a closing quote up to the delimiter.
    for (;;) {
      appendRun(current.Text, unquotedClasses_);
      const int c = peek();
      if (c < 0) return true;
      if (c == '\r' || c == '\n') {
        endLine();
        return true;
      }
      get();
      if (c == delimiter) break;
      appendCharacter(current.Text, c);
    }
  }
}

bool TTextRecordReader::nextFixed(std::vector<TTextCell>& Cells, std::size_t& Count) {
  lineText_.clear();
  for (int c = peek(); c >= 0 && c != '\r' && c != '\n'; c = peek()) lineText_ += static_cast<char>(get());
  endLine();
  // Widths count characters: whole UTF-8 sequences, single bytes in the other code pages.
  std::size_t at = 0;
  for (const TTextColumnSpec& spec : schema_.Columns) {
    const std::size_t start = at;
    for (int n = 0; n < spec.Width && at < lineText_.size(); ++n) {
      ++at;
      if (utf8_)
        while (at < lineText_.size() && (static_cast<unsigned char>(lineText_[at]) & 0xC0) == 0x80) ++at;
    }
    cell(Cells, Count).Text.assign(TrimField(std::string_view(lineText_).substr(start, at - start)));
  }
  return true;
}
