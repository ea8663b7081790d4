#include "ExportValueText.h"

#include <cmath>
#include <cstdint>

#include "CodePage.h"
#include "DateTimeText.h"
#include "FloatText.h"
#include "IntegerText.h"
#include "LocaleText.h"
#include "TExportColumn.h"
#include "TExportCustomColumn.h"
#include "TExportCustomColumns.h"
#include "TExportCustomSource.h"
#include "TExportFormats.h"
#include "TListItem.h"
#include "TListItems.h"
#include "TListView.h"
#include "TStringGrid.h"
#include "TField.h"
#include "TStringField.h"
#include "TStrings.h"

namespace {

// The column's own mask, else the formats' one for its kind.
const AnsiString& maskOf(const TExportColumn& column, const AnsiString& fallback) {
  return column.Format().empty() ? fallback : column.Format();
}

// The text of a list-view cell: the caption of item Row for column 0, else its sub-item; ""
// for an item or sub-item the view does not have (rows removed while the export runs).
void listViewCell(TListView* view, int row, int column, AnsiString& out) {
  if (view == nullptr) return;
  TListItems* items = view->Items();
  if (row < 0 || row >= items->Count()) return;
  TListItem* item = items->Item(row);
  if (column == 0) {
    out = item->Caption();
    return;
  }
  TStrings* sub = item->SubItems();
  if (column >= 1 && column <= sub->Count()) out = sub->Strings(column - 1);
}

// A source without fields: the cell's text, converted by the column's type.
void cellValue(const TExportSourceRef& source, TExportColumn& column, int recNo, int skipped,
               const TExportFormats& formats, const TExportTextSettings& settings, Variant& value, WideString& text) {
  static thread_local AnsiString ansi;
  ansi.clear();
  switch (source.Kind) {
    case esListView:
      listViewCell(source.ListView, recNo + skipped, column.ColumnIndex(), ansi);
      break;
    case esStringGrid:
      if (TStringGrid* grid = source.StringGrid) ansi = grid->Cells(column.ColumnIndex(), grid->Row());
      break;
    case esCustom:
      if (source.CustomSource != nullptr && column.ColumnIndex() >= 0 &&
          column.ColumnIndex() < source.CustomSource->ColumnCount()) {
        text = source.CustomSource->Columns()->Items(column.ColumnIndex())->AsWideString(settings.Read);
        if (!column.AllowFormat()) {
          value = text;
          return;
        }
        ansi = WideToAnsi(text);
      }
      break;
    default: break;
  }
  const bool keep = formats.KeepOriginalFormat();
  const TFormatSettings& out = settings.Write;
  bool converted = false;
  switch (column.ColType()) {
    case ectInteger: {
      int v;
      if ((converted = TryStrToInt(ansi, v))) {
        value = v;
        if (!keep) ansi = FormatInt64(maskOf(column, formats.IntegerFormat()), v, out);
      }
      break;
    }
    case ectBigint: {
      std::int64_t v;
      if ((converted = TryStrToInt64(ansi, v))) {
        value = static_cast<long long>(v);
        if (!keep) ansi = FormatInt64(maskOf(column, formats.IntegerFormat()), v, out);
      }
      break;
    }
    case ectFloat:
    case ectCurrency: {
      double v;
      if ((converted = TryStrToFloat(ansi, v, settings.Read))) {
        value = v;
        const AnsiString& mask = column.ColType() == ectFloat ? formats.FloatFormat() : formats.CurrencyFormat();
        if (!keep) ansi = FormatFloat(maskOf(column, mask), v, out);
      }
      break;
    }
    case ectDate:
    case ectTime:
    case ectDateTime: {
      TDateTime v;
      if ((converted = TryStrToDateTime(ansi, v, settings.Read))) {
        value = VarFromDateTime(v);
        const AnsiString& mask = column.ColType() == ectDate   ? formats.DateFormat()
                                 : column.ColType() == ectTime ? formats.TimeFormat()
                                                               : formats.DateTimeFormat();
        if (!keep) ansi = FormatDateTime(maskOf(column, mask), v, out);
      }
      break;
    }
    default:
      value = ansi;
      AnsiToWide(ansi, text);
      return;
  }
  if (!converted) value = Null();
  AnsiToWide(ansi, text);
}

// A source with fields: the field's value, written by the field's type.
void fieldValue(TField* field, const TExportColumn& column, const TExportFormats& formats,
                const TExportTextSettings& settings, Variant& value, WideString& text) {
  if (field == nullptr) {
    value = Variant();
    text.clear();
    return;
  }
  field->ValueInto(value);
  if (value.IsNull()) {
    text = formats.NULLString();
    return;
  }
  if (formats.KeepOriginalFormat()) {
    text = value.AsWideString(settings.Read);
    return;
  }
  const TFormatSettings& out = settings.Write;
  // The value just taken already holds what the field's AsLargeInt, AsFloat, AsDateTime and
  // AsBoolean would read again when it is of the kind the field keeps: read from it then.
  const TVarType kind = value.VarType();
  switch (field->DataType()) {
    case ftSmallint:
    case ftInteger:
    case ftWord:
    case ftAutoInc:
    case ftLargeint: {
      const std::int64_t v = kind == varInteger || kind == varInt64 ? value.AsInt64() : field->AsLargeInt();
      AnsiToWide(FormatInt64(maskOf(column, formats.IntegerFormat()), v, out), text);
      return;
    }
    case ftFloat: {
      const double v = kind == varDouble ? value.AsFloat() : field->AsFloat();
      AnsiToWide(FormatFloat(maskOf(column, formats.FloatFormat()), v, out), text);
      return;
    }
    case ftCurrency:
      AnsiToWide(FormatFloat(maskOf(column, formats.CurrencyFormat()), field->AsFloat(), out), text);
      return;
    case ftDate:
    case ftTime:
    case ftDateTime:
    case ftTimeStamp: {
      const TFieldType type = field->DataType();
      const AnsiString& mask = type == ftDate   ? formats.DateFormat()
                               : type == ftTime ? formats.TimeFormat()
                                                : formats.DateTimeFormat();
      const TDateTime v = kind == varDate ? value.AsDateTime() : field->AsDateTime();
      AnsiToWide(FormatDateTime(maskOf(column, mask), v, out), text);
      return;
    }
    case ftBoolean: {
      const bool v = kind == varBoolean ? value.AsBoolean() : field->AsBoolean();
      text = v ? formats.BooleanTrue() : formats.BooleanFalse();
      return;
    }
    case ftBCD:
    case ftWideString:
    case ftWideMemo: text = value.AsWideString(out); return;
    default:
      // Text of every other kind; a number or date among them is written as the BCD values are.
      // A plain text field's AsString is the text its value holds: that is read in place.
      if (const AnsiString* held = value.AnsiText(); held != nullptr && &field->ClassType() == &TStringField::StaticClass())
        AnsiToWide(*held, text);
      else if (VarIsStr(value))
        AnsiToWide(field->AsString(), text);
      else
        text = value.AsWideString(out);
      return;
  }
}

}  // namespace

void TExportTextSettings::Reset(const TExportFormats& Formats) {
  Read = *FormatSettingsSnapshot();
  Write = Read;
  Formats.ApplySeparators(Write);
}

void GetColumnValue(const TExportSourceRef& Source, TExportColumn& Column, int RecNo, int Skipped,
                    const TExportFormats& Formats, const TExportTextSettings& Settings, Variant& Value,
                    WideString& Text) {
  switch (Source.Kind) {
    case esDataSet:
    case esDBGrid:
      fieldValue(SourceField(Source, Column.ColumnIndex()), Column, Formats, Settings, Value, Text);
      return;
    case esListView:
    case esStringGrid:
    case esCustom: cellValue(Source, Column, RecNo, Skipped, Formats, Settings, Value, Text); return;
    default:
      Value = Variant();
      Text.clear();
      return;
  }
}

TExportColType GuessColumnType(const AnsiString& Text, const WideString& TrueText, const WideString& FalseText,
                               const TFormatSettings& Settings) {
  if (Text.empty()) return ectString;
  const WideString wide = AnsiToWide(Text);
  if (WideSameText(wide, TrueText) || WideSameText(wide, FalseText)) return ectBoolean;
  int i;
  if (TryStrToInt(Text, i)) return ectInteger;
  double d;
  if (TryStrToFloat(Text, d, Settings)) return ectFloat;
  TDateTime dt;
  if (TryStrToDateTime(Text, dt, Settings)) {
    if (dt - std::trunc(dt) == 0) return ectDate;
    if (std::trunc(dt) == 0) return ectTime;
    return ectDateTime;
  }
  return ectString;
}
