// Internal to the text reader: the forward cursor over one text file. Opening it reads the file
// once to find the columns and guess their types from every row; then it reads record by
// record.
#pragma once

#include <memory>
#include <optional>

#include "DbTypes.h"
#include "TextRecordReader_p.h"

class TTextCursor : public TDbCursor {
public:
  TTextCursor(std::unique_ptr<TStream> Input, TTextSchema Schema, AnsiString FileName);

  const std::vector<TDbColumn>& Columns() const override { return columns_; }
  bool Next(std::vector<Variant>& Row) override;
  void Rewind() override;

private:
  std::int64_t readByteOrderMark(bool& BigEndian);
  void scanColumns();
  AnsiString ansiName(std::string_view Text) const;
  WideString wideText(std::string_view Text) const;
  // Sets Value, kept from the record before so that texts reuse its storage.
  void cellValue(std::size_t Column, const TTextCell& Cell, Variant& Value) const;

  std::unique_ptr<TStream> input_;
  TTextSchema schema_;
  AnsiString fileName_;
  bool unicode_ = false;  // the reader hands out UTF-8 (lengths count characters)
  std::optional<TTextRecordReader> reader_;
  std::vector<TDbColumn> columns_;
  std::vector<TTextCell> cells_;
  bool headerPending_ = false;
};
