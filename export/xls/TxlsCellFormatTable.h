// TxlsCellFormatTable: the fonts, number formats and cell formats (XFs) of one workbook, and
// the routine that gives every combination of number format and look one XF index.
//
// The workbook starts with fixed entries: FONT records 0 to 3 (index 4 is never used), the
// built-in number formats below 50, and XFs 0 to 15 (15 is the default cell format). What the
// export adds is numbered on from there: the first font gets index 5, the first number format
// 50 and the first XF 16.
//
// XFIndex(DataFormat, Text, Format) gives the XF of cells with number format Text and the look
// Format (none: the default look). DataFormat is the sheet's data format: a font equal to its
// font, while it has the default look, counts as no font of the XF's own. Equal combinations
// get the same XF; equal fonts and number formats are stored once.
//
// SaveFonts, SaveFormats and SaveXFs write the FONT, FORMAT and XF records in that order of
// indexes.
#pragma once

#include <cstdint>
#include <memory>

#include "System.h"
#include "TxlsFormatLists.h"

class TStream;
class TbiffFont;
class TbiffXF;
class TxlsFont;
class TxlsFormat;

class TxlsCellFormatTable {
public:
  TxlsCellFormatTable();
  ~TxlsCellFormatTable();

  std::uint16_t XFIndex(const TxlsFormat* DataFormat, const WideString& Text, const TxlsFormat* Format);

  TxlsFontList& Fonts() { return fonts_; }
  const TxlsFontList& Fonts() const { return fonts_; }
  TxlsTextFormatList& NumberFormats() { return numberFormats_; }
  const TxlsTextFormatList& NumberFormats() const { return numberFormats_; }
  TxlsXFormatList& XFormats() { return xFormats_; }
  const TxlsXFormatList& XFormats() const { return xFormats_; }
  TxlsXFormatFieldList& FieldXFormats() { return fieldXFormats_; }
  TxlsXFormatColRowList& StripXFormats() { return stripXFormats_; }

  // A font of the list by equality, added with the next font index when it is new.
  TxlsFont* FindOrAddFont(const TxlsFont& Font);
  // The font of an XF index: its own, or nullptr for the fixed XFs and XFs without a font.
  const TxlsFont* FontOfXF(std::uint16_t XFIndex) const;
  // The number of XF records written (16 fixed ones and the list).
  int XFCount() const { return 16 + xFormats_.Count(); }

  static std::unique_ptr<TbiffFont> FontRecord(const TxlsFont& Font);
  static std::unique_ptr<TbiffXF> XFRecord(const TxlsXFormat& XF);

  void SaveFonts(TStream& Stream) const;
  void SaveFormats(TStream& Stream) const;
  void SaveXFs(TStream& Stream) const;

private:
  TxlsFontList fonts_;
  TxlsTextFormatList numberFormats_;
  TxlsXFormatList xFormats_;
  TxlsXFormatFieldList fieldXFormats_;
  TxlsXFormatColRowList stripXFormats_;
  int lastFormat_ = 49;
  int lastXF_ = 15;
  int lastFont_ = 4;
};
