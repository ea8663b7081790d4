// The lists of the workbook's fonts, number formats and XFs, and the XFs chosen per field and
// per strip style of a sheet. Each list owns its entries (the last two own none: they point
// into the XF list).
#pragma once

#include <cstdint>
#include <memory>
#include <vector>

#include "System.h"
#include "TxlsXFormat.h"

class TxlsFont;

// The XF of cells that have no format of their own.
constexpr std::uint16_t xlsDefaultXF = 15;

class TxlsFontList {
public:
  ~TxlsFontList();
  TxlsFont* Add(std::unique_ptr<TxlsFont> Font);
  int Count() const { return static_cast<int>(items_.size()); }
  TxlsFont* Items(int Index) const { return items_.at(static_cast<std::size_t>(Index)).get(); }
  // Position of the first equal font, -1 when none.
  int IndexOf(const TxlsFont* Font) const;

private:
  std::vector<std::unique_ptr<TxlsFont>> items_;
};

class TxlsTextFormatList {
public:
  TxlsTextFormat* Add(std::unique_ptr<TxlsTextFormat> Format);
  int Count() const { return static_cast<int>(items_.size()); }
  TxlsTextFormat* Items(int Index) const { return items_.at(static_cast<std::size_t>(Index)).get(); }
  // Position of the first format of that text, -1 when none.
  int IndexOf(const WideString& Text) const;

private:
  std::vector<std::unique_ptr<TxlsTextFormat>> items_;
};

class TxlsXFormatList {
public:
  TxlsXFormat* Add(std::unique_ptr<TxlsXFormat> XF);
  int Count() const { return static_cast<int>(items_.size()); }
  TxlsXFormat* Items(int Index) const { return items_.at(static_cast<std::size_t>(Index)).get(); }
  // The XF index of the first equal XF, -1 when none.
  int IndexOf(const TxlsXFormat* XF) const;
  // Position of the XF with that index, -1 when none; the XF itself, nullptr when none.
  int PositionOf(std::uint16_t XFIndex) const;
  TxlsXFormat* ByIndex(std::uint16_t XFIndex) const;

private:
  std::vector<std::unique_ptr<TxlsXFormat>> items_;
};

// The XF chosen for one field of one sheet.
struct TxlsXFormatField {
  int SheetIndex = 0;
  AnsiString FieldName;
  TxlsXFormat* XF = nullptr;
};

class TxlsXFormatFieldList {
public:
  void Add(int SheetIndex, const AnsiString& FieldName, TxlsXFormat* XF);
  int Count() const { return static_cast<int>(items_.size()); }
  const TxlsXFormatField& Items(int Index) const { return items_.at(static_cast<std::size_t>(Index)); }
  // Position of the entry of the sheet and field (field names ignoring case), -1 when none.
  int IndexOf(int SheetIndex, const AnsiString& FieldName) const;
  // Its XF index, 15 when there is no entry or it has no XF.
  std::uint16_t XFIndex(int SheetIndex, const AnsiString& FieldName) const;

private:
  std::vector<TxlsXFormatField> items_;
};

// The XF of a strip style at a column (key = column) or at a row phase and column
// (key = phase * 1000 + column).
struct TxlsXFormatColRow {
  int SheetIndex = 0;
  int Key = 0;
  TxlsXFormat* XF = nullptr;
};

class TxlsXFormatColRowList {
public:
  void Add(int SheetIndex, int Key, TxlsXFormat* XF);
  int Count() const { return static_cast<int>(items_.size()); }
  // The XF index recorded for the sheet and key, 15 when none.
  std::uint16_t XFIndex(int SheetIndex, int Key) const;

private:
  std::vector<TxlsXFormatColRow> items_;
};
