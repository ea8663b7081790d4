// Internal to the dBASE reader: the forward cursor over one table.
#pragma once

#include <memory>
#include <optional>

#include "DbTypes.h"
#include "DbaseLayout_p.h"
#include "DbaseMemo_p.h"

class TDbaseCursor : public TDbCursor {
public:
  // Memo may be null; a memo field that names a block then raises EDatabaseError. MemoFileName
  // names the memo file in error messages.
  TDbaseCursor(std::unique_ptr<TStream> Table, std::unique_ptr<TStream> Memo, AnsiString FileName,
               AnsiString MemoFileName);

  const std::vector<TDbColumn>& Columns() const override { return columns_; }
  bool Next(std::vector<Variant>& Row) override;
  void Rewind() override;

private:
  const char* nextRecord();
  void widenFractionalColumns();
  // These set Value, kept from the record before so that texts reuse its storage.
  void fieldValue(std::size_t Index, const char* Record, Variant& Value);
  void memoValue(std::size_t Index, std::string_view Raw, Variant& Value);
  void text(std::string_view Bytes, Variant& Value) const;
  [[noreturn]] void badValue(std::size_t Index, std::string_view Raw, const char* Kind) const;

  std::unique_ptr<TStream> table_;
  std::optional<TDbaseMemoFile> memo_;
  AnsiString fileName_;
  TDbaseLayout layout_;
  std::vector<TDbColumn> columns_;
  std::vector<char> buffer_;  // a run of whole records
  std::size_t bufferUsed_ = 0;
  std::size_t bufferAt_ = 0;
  std::uint32_t recordsRead_ = 0;  // counting deleted records: the last one's number from 1
};
