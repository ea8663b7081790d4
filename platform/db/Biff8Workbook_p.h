// Internal to the workbook reader: a BIFF8 workbook stream read into its sheet list, shared
// strings and cell formats, and the cells of one sheet.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "System.h"

enum class TXlsCellKind : std::uint8_t { Number, SharedString, OwnString, Boolean, Error };

struct TXlsCell {
  std::uint16_t Row = 0;
  std::uint16_t Col = 0;
  TXlsCellKind Kind = TXlsCellKind::Number;
  bool Flag = false;        // the value of a boolean cell
  std::uint16_t Xf = 0;     // the cell format
  std::uint32_t String = 0; // index of a shared string or of one of the sheet's own strings
  double Number = 0;
};

// What a number format shows of a date-time value.
enum class TXlsDateKind : std::uint8_t { None, Date, Time, DateTime };

// The kind of a number format: built-in formats by their number, the others from their code.
TXlsDateKind ClassifyNumberFormat(std::uint16_t Id, const WideString* Code);

class TBiff8Workbook {
public:
  struct TSheet {
    WideString Name;
    std::size_t Offset = 0;  // of the sheet's BOF record in the stream
  };

  // Reads the workbook globals. Raises EDatabaseError naming FileName for a stream that is no
  // BIFF8 workbook, an encrypted one, and for broken records.
  TBiff8Workbook(std::string Stream, AnsiString FileName);

  const std::vector<TSheet>& Sheets() const { return sheets_; }
  // The cells holding values of sheet Index, ordered by row and column, and the strings that
  // the sheet holds itself (text cells and formula results not in the shared table).
  void ReadSheet(std::size_t Index, std::vector<TXlsCell>& Cells, std::vector<WideString>& Strings) const;

  const WideString& SharedString(std::uint32_t Index) const { return sst_[Index]; }
  TXlsDateKind DateKind(std::uint16_t Xf) const;
  // A cell's serial number as a TDateTime, by the workbook's date system.
  TDateTime ToDateTime(double Serial) const;

private:
  void readSst(class TBiff8Data& Data);

  std::string stream_;
  AnsiString fileName_;
  std::vector<TSheet> sheets_;
  std::vector<WideString> sst_;
  std::vector<TXlsDateKind> xfDateKinds_;
  bool date1904_ = false;
};
