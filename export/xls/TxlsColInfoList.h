// TxlsColInfoList: the column information of a sheet, written as one COLINFO record per
// column (first and last column the same), sorted by column. A record holds 12 bytes: first
// and last column, width, XF, options and two unused bytes.
#pragma once

#include <cstdint>
#include <vector>

class TStream;

struct TxlsColInfo {
  std::uint16_t Column = 0;
  std::uint16_t Width = 0;  // in 1/256 of the width of "0" in the default font
  std::uint16_t XF = 15;
  std::uint16_t Options = 0;
};

class TxlsColInfoList {
public:
  void Add(const TxlsColInfo& Item);
  int Count() const { return static_cast<int>(items_.size()); }
  const TxlsColInfo& Items(int Index) const { return items_.at(static_cast<std::size_t>(Index)); }
  bool Sorted() const { return sorted_; }
  void Sort();
  void Clear();
  // Sorts when needed, then writes the COLINFO records.
  void SaveToStream(TStream& Stream);

private:
  std::vector<TxlsColInfo> items_;
  bool sorted_ = true;
};
