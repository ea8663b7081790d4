// Internal to the dBASE reader: the table header and field descriptors, checked against the
// file they came from.
#pragma once

#include <cstdint>
#include <vector>

#include "DbTypes.h"
#include "TStream.h"

struct TDbaseField {
  AnsiString Name;
  char Type = 'C';
  int Offset = 0;  // from the start of the record, the deletion flag being byte 0
  int Length = 0;
  int Decimals = 0;
};

struct TDbaseLayout {
  std::uint8_t Version = 0;
  std::uint32_t RecordCount = 0;
  int HeaderLength = 0;
  int RecordLength = 0;
  int CodePage = 0;  // the code page the text is in; 0 when it is the ANSI code page
  std::vector<TDbaseField> Fields;

  bool HasMemoFields() const;
};

// Reads and checks the header of Table (from its start). Raises EDatabaseError naming FileName.
TDbaseLayout ReadDbaseLayout(TStream& Table, const AnsiString& FileName);

// The column a dBASE field is read as.
TDbColumn DbaseColumn(const TDbaseField& Field);
