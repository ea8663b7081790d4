// Internal to the dBASE reader: the forward cursor over one table.
#pragma once

#include <memory>
#include <optional>

#include "DbTypes.h"
#include "DbaseLayout_p.h"
#include "DbaseMemo_p.h"

class TDbaseCursor : public TDbCursor {
public:
  // Memo may be null; a memo field that names a block then raises EDatabaseError.
  TDbaseCursor(std::unique_ptr<TStream> Table, std::unique_ptr<TStream> Memo, AnsiString FileName);

  const std::vector<TDbColumn>& Columns() const override { return columns_; }
  bool Next(std::vector<Variant>& Row) override;
  void Rewind() override;

private:
  const char* nextRecord();
  // These set Value, kept from the record before so that texts reuse its storage.
  void fieldValue(std::size_t Index, const char* Record, Variant& Value);
  void memoValue(std::string_view Raw, Variant& Value);
  void text(std::string_view Bytes, Variant& Value) const;

  std::unique_ptr<TStream> table_;
  std::optional<TDbaseMemoFile> memo_;
  AnsiString fileName_;
  TDbaseLayout layout_;
  std::vector<TDbColumn> columns_;
  std::vector<char> buffer_;  // a run of whole records
  std::size_t bufferUsed_ = 0;
  std::size_t bufferAt_ = 0;
  std::uint32_t recordsRead_ = 0;
};
