// TDataPacket: a whole table in memory: its column descriptions and its records, packed.
//
// This is what a provider hands to a client data set (TDataSetProvider::Data,
// TClientDataSet::SetData) and what an XML data packet is read into. Each record takes one
// block of bytes: a null flag per column, the fixed-size values (4 bytes for the 32-bit
// integer types, 8 for large integers, floats, amounts and dates, 1 for booleans) and its
// texts and blobs at their own length, so a table takes about the room of its data; records
// are appended to large shared blocks, never moved once written.
//
// AppendRecord takes one Variant per column and converts each to the column's type (text to a
// number, a wide text to an 8-bit text column ...); ReadRecord gives them back as the field
// classes hold them: Null, int32 (small integer, integer, word, counter), int64 (large
// integer), double (float), Currency (currency, BCD), a date (date, time, date-time, time
// stamp), bool, AnsiString (string, GUID, memo, blob and the other binary types) or WideString
// (wide string, wide memo).
//
// Errors: EDatabaseError for a column of a type no field class reads, for a record whose value
// count differs from the column count, and for a value that does not convert to its column's
// type ("Invalid value for field 'NAME': reason").
#pragma once

#include <cstdint>
#include <memory>
#include <vector>

#include "DbTypes.h"

class TDataPacket {
public:
  TDataPacket();
  explicit TDataPacket(std::vector<TDbColumn> Columns);
  ~TDataPacket();
  TDataPacket(TDataPacket&& Other) noexcept;
  TDataPacket& operator=(TDataPacket&& Other) noexcept;

  const std::vector<TDbColumn>& Columns() const;
  std::int64_t RecordCount() const;
  void AppendRecord(const std::vector<Variant>& Values);
  // Index from 0; raises EDatabaseError "Record not found" outside 0 .. RecordCount-1.
  void ReadRecord(std::int64_t Index, std::vector<Variant>& Values) const;
  // The bytes of memory the records and their index take.
  std::size_t MemorySize() const;

private:
  struct Impl;
  std::unique_ptr<Impl> d_;
};
