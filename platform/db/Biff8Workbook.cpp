#include "Biff8Workbook_p.h"

#include <algorithm>
#include <cstring>
#include <map>
#include <optional>

#include "Biff8Records.h"
#include "Biff8Records_p.h"
#include "DbError.h"
#include "CodePage.h"
#include "Format.h"
#include "StringRoutines.h"

namespace {

// Days from Excel's 1904 date system to TDateTime's day 0 (1899-12-30).
constexpr double Days1904 = 1462;
// Serial 60 is 29 February 1900, a day that did not exist; serials below it are one day
// behind TDateTime.
constexpr double FirstSerialAfterFalseLeapDay = 61;

std::uint16_t le16(std::string_view data, std::size_t at) {
  return std::uint16_t(static_cast<std::uint8_t>(data[at]) | (static_cast<std::uint8_t>(data[at + 1]) << 8));
}

// An RK number: a 30-bit integer or the high bits of a double, optionally times 100.
double rkValue(std::uint32_t rk) {
  double value;
  if (rk & 0x02) {
    value = static_cast<std::int32_t>(rk) >> 2;
  } else {
    const std::uint64_t bits = std::uint64_t(rk & 0xFFFFFFFC) << 32;
    std::memcpy(&value, &bits, sizeof value);
  }
  return (rk & 0x01) ? value / 100 : value;
}

}  // namespace

TXlsDateKind ClassifyNumberFormat(std::uint16_t Id, const WideString* Code) {
  if (!Code) {
    if ((Id >= 14 && Id <= 17) || (Id >= 27 && Id <= 31) || Id == 36 || (Id >= 50 && Id <= 54) || Id == 57 || Id == 58)
      return TXlsDateKind::Date;
    if ((Id >= 18 && Id <= 21) || (Id >= 32 && Id <= 35) || (Id >= 45 && Id <= 47) || Id == 55 || Id == 56)
      return TXlsDateKind::Time;
    return Id == 22 ? TXlsDateKind::DateTime : TXlsDateKind::None;
  }
  // Quoted text, escaped characters and bracketed colours or locales show no date part;
  // [h], [m] and [s] are elapsed times.
  bool date = false, time = false, month = false;
  const WideString& code = *Code;
  for (std::size_t i = 0; i < code.size(); ++i) {
    const char16_t c = code[i];
    if (c == u'"') {
      const std::size_t close = code.find(u'"', i + 1);
      i = close == WideString::npos ? code.size() : close;
    } else if (c == u'\\' || c == u'_' || c == u'*') {
      ++i;
    } else if (c == u'[') {
      const std::size_t close = code.find(u']', i + 1);
      const char16_t inner = i + 1 < code.size() ? code[i + 1] : u'\0';
      if (inner == u'h' || inner == u'H' || inner == u'm' || inner == u'M' || inner == u's' || inner == u'S') time = true;
      i = close == WideString::npos ? code.size() : close;
    } else if (c == u';') {
      break;  // the first section decides
    } else if (code.size() - i >= 7 && SameText(WideToUtf8(code.substr(i, 7)), "General")) {
      i += 6;
    } else {
      switch (c) {
        case u'y': case u'Y': case u'd': case u'D': date = true; break;
        case u'e':  // an era year, unless it is the exponent of a scientific format
          if (i + 1 == code.size() || (code[i + 1] != u'+' && code[i + 1] != u'-')) date = true;
          break;
        case u'h': case u'H': case u's': case u'S': time = true; break;
        case u'm': case u'M': month = true; break;
        case u'A': case u'a':
          if (code.compare(i, 5, u"AM/PM") == 0 || code.compare(i, 5, u"am/pm") == 0) time = true;
          break;
        default: break;
      }
    }
  }
  if (month && !time) date = true;  // "m" with neither hours nor seconds is a month
  if (date && time) return TXlsDateKind::DateTime;
  return date ? TXlsDateKind::Date : time ? TXlsDateKind::Time : TXlsDateKind::None;
}

TBiff8Workbook::TBiff8Workbook(std::string Stream, AnsiString FileName)
    : stream_(std::move(Stream)), fileName_(std::move(FileName)) {
  TBiff8RecordReader reader(stream_, fileName_);
  TBiff8Record record;
  if (stream_.size() < 4 || le16(stream_, 0) != biff8::BOF || !reader.Next(record) || record.Data.size() < 4 ||
      le16(record.Data, 0) != biff8::BiffVersion8 || le16(record.Data, 2) != biff8::SubstreamGlobals)
    RaiseDbError(fileName_, "not an Excel 97-2003 (BIFF8) workbook");

  std::map<std::uint16_t, WideString> formats;
  std::vector<std::uint16_t> xfFormats;
  while (reader.Next(record) && record.Id != biff8::EOF_) {
    switch (record.Id) {
      case biff8::FILEPASS: RaiseDbError(fileName_, "the workbook is encrypted");
      case biff8::DATEMODE: date1904_ = record.Data.size() >= 2 && le16(record.Data, 0) == 1; break;
      case biff8::BOUNDSHEET: {
        TBiff8Data data = reader.Data(record);
        TSheet sheet;
        sheet.Offset = data.U32();
        const std::uint16_t options = data.U16();
        sheet.Name = data.UnicodeString(1);
        if ((options >> 8) == biff8::SheetTypeWorksheet) sheets_.push_back(std::move(sheet));
        break;
      }
      case biff8::FORMAT: {
        TBiff8Data data = reader.Data(record);
        const std::uint16_t id = data.U16();
        formats[id] = data.UnicodeString(2);
        break;
      }
      case biff8::XF:
        if (record.Data.size() >= 4) xfFormats.push_back(le16(record.Data, 2));
        break;
      case biff8::SST: {
        TBiff8Data data = reader.WithContinues(record);
        readSst(data);
        break;
      }
      default: break;
    }
  }
  xfDateKinds_.reserve(xfFormats.size());
  for (std::uint16_t id : xfFormats) {
    const auto custom = formats.find(id);
    xfDateKinds_.push_back(ClassifyNumberFormat(id, custom == formats.end() ? nullptr : &custom->second));
  }
}

void TBiff8Workbook::readSst(TBiff8Data& Data) {
  Data.U32();  // strings used in the workbook
  const std::uint32_t unique = Data.U32();
  // Every string takes at least 3 bytes: a count that lies cannot make us reserve more.
  sst_.reserve(std::min<std::size_t>(unique, Data.Remaining() / 3));
  try {
    for (std::uint32_t i = 0; i < unique; ++i) sst_.push_back(Data.UnicodeString(2));
  } catch (const EDatabaseError&) {
    RaiseDbError(fileName_, Format("the shared string table is corrupt after %d of %u strings", {int(sst_.size()), unique}));
  }
}

TXlsDateKind TBiff8Workbook::DateKind(std::uint16_t Xf) const {
  return Xf < xfDateKinds_.size() ? xfDateKinds_[Xf] : TXlsDateKind::None;
}

TDateTime TBiff8Workbook::ToDateTime(double Serial) const {
  if (Serial >= 0 && Serial < 1) return Serial;  // a time of day
  if (date1904_) return Serial + Days1904;
  if (Serial >= 1 && Serial < FirstSerialAfterFalseLeapDay) return Serial + 1;
  return Serial;
}

void TBiff8Workbook::ReadSheet(std::size_t Index, std::vector<TXlsCell>& Cells, std::vector<WideString>& Strings) const {
  Cells.clear();
  Strings.clear();
  TBiff8RecordReader reader(stream_, fileName_);
  reader.Seek(sheets_.at(Index).Offset);
  TBiff8Record record;
  if (!reader.Next(record) || record.Id != biff8::BOF)
    RaiseDbError(fileName_, "a sheet does not start where the workbook says");

  // A formula whose text result follows in a STRING record (after any shared-formula record).
  std::optional<std::size_t> pendingString;
  auto add = [&](std::uint16_t row, std::uint16_t col, std::uint16_t xf) -> TXlsCell* {
    pendingString.reset();
    if (col >= biff8::MaxColumns) return nullptr;  // outside any sheet: ignored
    TXlsCell& cell = Cells.emplace_back();
    cell.Row = row;
    cell.Col = col;
    cell.Xf = xf;
    return &cell;
  };
  int depth = 1;  // embedded chart substreams open their own BOF
  while (depth > 0 && reader.Next(record)) {
    if (record.Id == biff8::BOF) {
      ++depth;
      continue;
    }
    if (record.Id == biff8::EOF_) {
      --depth;
      continue;
    }
    if (depth > 1) continue;
    const std::string_view d = record.Data;
    switch (record.Id) {
      case biff8::NUMBER:
        if (d.size() < 14) RaiseDbError(fileName_, "a NUMBER record is too short");
        if (TXlsCell* c = add(le16(d, 0), le16(d, 2), le16(d, 4))) {
          TBiff8Data data = reader.Data(record);
          data.Skip(6);
          c->Number = data.F64();
        }
        break;
      case biff8::RK:
        if (d.size() < 10) RaiseDbError(fileName_, "an RK record is too short");
        if (TXlsCell* c = add(le16(d, 0), le16(d, 2), le16(d, 4))) {
          TBiff8Data data = reader.Data(record);
          data.Skip(6);
          c->Number = rkValue(data.U32());
        }
        break;
      case biff8::MULRK: {
        if (d.size() < 6) RaiseDbError(fileName_, "a MULRK record is too short");
        TBiff8Data data = reader.Data(record);
        const std::uint16_t row = data.U16();
        const std::uint16_t first = data.U16();
        const std::size_t count = (d.size() - 6) / 6;
        for (std::size_t i = 0; i < count; ++i) {
          const std::uint16_t xf = data.U16();
          const double value = rkValue(data.U32());
          if (first + i > 0xFFFF) break;
          if (TXlsCell* c = add(row, std::uint16_t(first + i), xf)) c->Number = value;
        }
        break;
      }
      case biff8::LABELSST: {
        if (d.size() < 10) RaiseDbError(fileName_, "a LABELSST record is too short");
        TBiff8Data data = reader.Data(record);
        data.Skip(6);
        const std::uint32_t index = data.U32();
        if (index >= sst_.size())
          RaiseDbError(fileName_, Format("a cell refers to shared string %u of %d", {index, int(sst_.size())}));
        if (TXlsCell* c = add(le16(d, 0), le16(d, 2), le16(d, 4))) {
          c->Kind = TXlsCellKind::SharedString;
          c->String = index;
        }
        break;
      }
      case biff8::LABEL:
      case biff8::RSTRING: {
        TBiff8Data data = reader.Data(record);
        const std::uint16_t row = data.U16(), col = data.U16(), xf = data.U16();
        WideString text = data.UnicodeString(2);
        if (TXlsCell* c = add(row, col, xf)) {
          c->Kind = TXlsCellKind::OwnString;
          c->String = std::uint32_t(Strings.size());
          Strings.push_back(std::move(text));
        }
        break;
      }
      case biff8::BOOLERR:
        if (d.size() < 8) RaiseDbError(fileName_, "a BOOLERR record is too short");
        if (TXlsCell* c = add(le16(d, 0), le16(d, 2), le16(d, 4))) {
          c->Kind = d[7] ? TXlsCellKind::Error : TXlsCellKind::Boolean;
          c->Flag = d[6] != 0;
        }
        break;
      case biff8::FORMULA: {
        if (d.size() < 14) RaiseDbError(fileName_, "a FORMULA record is too short");
        TXlsCell* c = add(le16(d, 0), le16(d, 2), le16(d, 4));
        if (!c) break;
        // The cached result: a double, or a tag in byte 0 when the last two bytes are FFFF.
        if (static_cast<std::uint8_t>(d[12]) == 0xFF && static_cast<std::uint8_t>(d[13]) == 0xFF) {
          switch (d[6]) {
            case 0:  // text, in the STRING record that follows
              c->Kind = TXlsCellKind::OwnString;
              c->String = std::uint32_t(Strings.size());
              Strings.emplace_back();
              pendingString = Cells.size() - 1;
              break;
            case 1:
              c->Kind = TXlsCellKind::Boolean;
              c->Flag = d[8] != 0;
              break;
            case 3: Cells.pop_back(); break;  // an empty text result
            default: c->Kind = TXlsCellKind::Error; break;
          }
        } else {
          TBiff8Data data = reader.Data(record);
          data.Skip(6);
          c->Number = data.F64();
        }
        break;
      }
      case biff8::STRING:
        if (pendingString) {
          TBiff8Data data = reader.WithContinues(record);
          Strings[Cells[*pendingString].String] = data.UnicodeString(2);
          pendingString.reset();
        }
        break;
      default: break;
    }
  }
  if (!std::is_sorted(Cells.begin(), Cells.end(), [](const TXlsCell& a, const TXlsCell& b) {
        return a.Row != b.Row ? a.Row < b.Row : a.Col < b.Col;
      }))
    std::stable_sort(Cells.begin(), Cells.end(), [](const TXlsCell& a, const TXlsCell& b) {
      return a.Row != b.Row ? a.Row < b.Row : a.Col < b.Col;
    });
}
