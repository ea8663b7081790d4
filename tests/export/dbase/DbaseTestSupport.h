// Helpers of the dBASE exporter's tests: the parts of a written table, and its header date
// masked so that whole files compare with fixed expected bytes.
#pragma once

#include <string>
#include <vector>

// The date bytes (1-3) of the table in Bytes, checked to be the day of the export, replaced by
// 8 December 2026 (1A 0C 08); Bytes unchanged and a test failure when they are another day.
std::string MaskHeaderDate(std::string Bytes);

struct TWrittenField {
  std::string Name;
  char Type = 0;
  unsigned Position = 0;
  int Length = 0;
  int Decimals = 0;
};
// The field descriptors of a table's bytes.
std::vector<TWrittenField> WrittenFields(const std::string& Table);
// Record Index (from 0) of a table's bytes, its deletion flag included.
std::string WrittenRecord(const std::string& Table, int Index);
// The bytes of field Name in record Index.
std::string WrittenValue(const std::string& Table, int Index, const std::string& Name);
