// A small writer of dBASE III tables (.dbf without memo file), the format in which the terminal
// keeps its meter-reading data. Text fields hold bytes of the ANSI code page as they are.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "System.h"

struct TDbfField {
  std::string Name;   // at most 10 ASCII characters
  char Type = 'C';    // C character, N number, D date (YYYYMMDD), L logical (T/F)
  int Length = 1;     // bytes in the record; 8 for D and 1 for L
  int Decimals = 0;   // digits after the point of an N field
};

class TDbfWriter {
public:
  // Limits of the dBASE III format.
  static constexpr std::size_t FieldNameMax = 10;
  static constexpr int CharLengthMax = 254;
  static constexpr int NumberLengthMax = 19;

  // year, month and day stamp the header's date of last update. Raises EConvertError for a
  // field the format cannot hold.
  TDbfWriter(std::vector<TDbfField> fields, int year, int month, int day);

  // One record; values in field order, as text: a C value is padded with blanks (and cut at a
  // character boundary when too long), an N value is right-aligned, a D value is "YYYYMMDD",
  // an L value "T" or "F". Raises EConvertError when the count or a number does not fit.
  void AddRecord(const std::vector<AnsiString>& values);

  // The whole file: header, field descriptors, records and the end-of-file mark.
  std::string Bytes() const;

private:
  void writeHeader(std::string& out) const;
  void writeFieldDescriptor(std::string& out, const TDbfField& field) const;
  std::vector<TDbfField> fields_;
  int year_, month_, day_;
  std::vector<std::string> records_;
};
