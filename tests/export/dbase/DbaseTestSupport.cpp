#include "DbaseTestSupport.h"

#include <gtest/gtest.h>

#include "DateRoutines.h"

namespace {

unsigned u16(const std::string& b, std::size_t at) {
  return static_cast<unsigned char>(b[at]) | static_cast<unsigned char>(b[at + 1]) << 8;
}

std::string dateBytes(TDateTime day) {
  int y, m, d;
  DecodeDate(day, y, m, d);
  return {static_cast<char>(y - 2000), static_cast<char>(m), static_cast<char>(d)};
}

}  // namespace

std::string MaskHeaderDate(std::string Bytes) {
  if (Bytes.size() < 4) {
    ADD_FAILURE() << "no table header";
    return Bytes;
  }
  const std::string written = Bytes.substr(1, 3);
  // The export may have begun just before midnight.
  if (written != dateBytes(Date()) && written != dateBytes(Date() - 1)) {
    ADD_FAILURE() << "the header is not dated today";
    return Bytes;
  }
  Bytes.replace(1, 3, "\x1A\x0C\x08");
  return Bytes;
}

std::vector<TWrittenField> WrittenFields(const std::string& Table) {
  std::vector<TWrittenField> fields;
  for (std::size_t at = 32; at + 32 <= Table.size() && Table[at] != '\x0D'; at += 32) {
    TWrittenField f;
    f.Name = Table.substr(at, 11);
    f.Name.resize(f.Name.find('\0') == std::string::npos ? 11 : f.Name.find('\0'));
    f.Type = Table[at + 11];
    f.Position = u16(Table, at + 12) | u16(Table, at + 14) << 16;
    f.Length = static_cast<unsigned char>(Table[at + 16]);
    f.Decimals = static_cast<unsigned char>(Table[at + 17]);
    fields.push_back(f);
  }
  return fields;
}

std::string WrittenRecord(const std::string& Table, int Index) {
  const unsigned header = u16(Table, 8), length = u16(Table, 10);
  const std::size_t at = header + static_cast<std::size_t>(Index) * length;
  return at + length <= Table.size() ? Table.substr(at, length) : std::string();
}

std::string WrittenValue(const std::string& Table, int Index, const std::string& Name) {
  const std::string record = WrittenRecord(Table, Index);
  for (const TWrittenField& f : WrittenFields(Table))
    if (f.Name == Name) return record.substr(1 + f.Position, static_cast<std::size_t>(f.Length));
  ADD_FAILURE() << "no field " << Name;
  return {};
}
