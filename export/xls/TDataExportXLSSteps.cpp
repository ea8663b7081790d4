// The per-sheet steps of TDataExportXLS: which cells a sheet gets, where, with which text or
// value and which cell format, in the order ExportSheets runs them: prepare, header, captions
// (with the leading cells), each record's row, aggregates, footer.
#include <algorithm>
#include <cmath>

#include "CodePage.h"
#include "DateTimeText.h"
#include "ExportMessages.h"
#include "FloatText.h"
#include "Format.h"
#include "LocaleText.h"
#include "TDataExportXLS.h"
#include "TDataExportXLS_p.h"
#include "TExportCol.h"
#include "TExportColumn.h"
#include "TExportColumns.h"
#include "TExportFormats.h"
#include "TExportLocale.h"
#include "TExportRow.h"
#include "TWideStringList.h"
#include "TXLSOptions.h"
#include "TxlsCell.h"
#include "TxlsFieldFormat.h"
#include "TxlsWorkbookWriter.h"
#include "XlsDateTimeFormat.h"

namespace {

const WideString kGeneral = u"General";

// The sections the steps write, as WriteSection tells them.
constexpr std::uint8_t kSectionHeader = 1, kSectionCaptions = 2, kSectionData = 3, kSectionAggregates = 4,
                       kSectionFooter = 5;

// Day numbers of the 1900 date system: the sheet counts 29 February 1900, which never was, so
// the days up to it are one less than the platform's.
constexpr double kLastFalseLeapDay = 60.0;

bool isDateTime(const TExportColumn& column) {
  return column.ColType() == ectDate || column.ColType() == ectTime || column.ColType() == ectDateTime;
}

// A number from a value: the value itself when it is one, a text read as a number; false for
// anything else (null, empty, a text that is no number).
bool numberOf(const Variant& value, const TFormatSettings& settings, double& number) {
  switch (value.VarType()) {
    case varInteger:
    case varInt64:
    case varDouble:
    case varCurrency:
    case varDate:
    case varBoolean: number = value.AsFloat(); return true;
    case varString:
    case varOleStr: return TryStrToFloat(WideToAnsi(value.AsWideString()), number, settings);
    default: return false;
  }
}

bool hasMilliseconds(const AnsiString& format) { return AnsiLowerCase(format).find(".zzz") != AnsiString::npos; }

// Whether a column's date format shows milliseconds, asked for every date cell: the answer is
// kept with the format it was given for (lower-casing the format per cell costs more than the
// cell).
bool showsMilliseconds(std::pair<AnsiString, bool>& known, const AnsiString& format) {
  if (known.first != format) known = {format, hasMilliseconds(format)};
  return known.second;
}

// The text of the value of a cell after OnAdvancedGetExportData changed it.
WideString textOfValue(const Variant& value, const TExportFormats& formats, const TFormatSettings& settings) {
  if (value.IsEmpty()) return {};
  if (value.IsNull()) return formats.NULLString();
  return value.AsWideString(settings);
}

bool sameValue(const Variant& a, const Variant& b) { return a.VarType() == b.VarType() && a == b; }

}  // namespace

bool TDataExportXLS::userCellAt(int Row, int Col) const {
  return !work_->UserCells.empty() && work_->UserCells.contains({Row, Col});
}

void TDataExportXLS::PrepareSheet(TxlsSheet* Sheet) {
  TxlsSheetWork& work = *work_;
  TxlsCellFormatTable& table = workbook_->Formats();
  Sheet->CurrentRow = 0;
  Sheet->RecordsExported = 0;
  Sheet->LastUsedColumn = 0;
  TExportColumns* columns = Sheet->Columns();
  columns->Fill(false);
  TExportRow* row = Sheet->Row();
  row->Clear();
  for (int i = 0; i < columns->Count(); ++i) row->AddCol(columns->Items(i)->Name(), i);
  Sheet->SubAggregates().clear();
  Sheet->LastControlValue = Variant();
  Sheet->GroupStartRow = 0;
  Sheet->ColumnList().Clear();
  if (Sheet->StartDataCol() + columns->Count() > biff8::MaxColumns)
    RaiseExportError(SSheetDefineError,
                     {Sheet->DisplayName(), Format("its %d columns from column %d do not fit into the %d columns of an "
                                                   "Excel sheet",
                                                   {columns->Count(), Sheet->StartDataCol() + 1, biff8::MaxColumns})});

  work.SheetNo = workbook_->BoundSheets().Count();
  work.Settings.Reset(*Sheet->Formats());
  work.UserCells.clear();
  for (int i = 0; i < Sheet->Cells()->Count(); ++i) {
    const TxlsCell& cell = *Sheet->Cells()->Items(i);
    if (cell.IsValid()) work.UserCells.insert({cell.Row() - 1, cell.Col() - 1});
  }

  // The number format of each column's values; a date or time mask is said the way the
  // workbook's readers read number formats.
  const TExportFormats& formats = *Sheet->Formats();
  auto numberFormat = [&](const AnsiString& mask, bool dateTime) {
    return dateTime ? XlsDateTimeFormat(mask, formats.DateSeparator(), formats.TimeSeparator()) : AnsiToWide(mask);
  };
  work.ColumnFormats.clear();
  for (int i = 0; i < columns->Count(); ++i) {
    const TExportColumn& column = *columns->Items(i);
    work.ColumnFormats.push_back(numberFormat(column.Format(), isDateTime(column)));
  }

  // The sheet's number formats, registered as cell formats without a look.
  table.XFIndex(nullptr, numberFormat(formats.CurrencyFormat(), false), nullptr);
  table.XFIndex(nullptr, numberFormat(formats.DateTimeFormat(), true), nullptr);
  table.XFIndex(nullptr, numberFormat(formats.FloatFormat(), false), nullptr);
  table.XFIndex(nullptr, numberFormat(formats.IntegerFormat(), false), nullptr);
  table.XFIndex(nullptr, numberFormat(formats.TimeFormat(), true), nullptr);

  const TxlsFormat* dataFormat = Sheet->Options()->DataFormat();
  const int strips = Sheet->StripStyles()->Count();
  if (strips > 0 && Sheet->StripType() == ssCol) {
    for (int i = 0; i < columns->Count(); ++i) {
      const std::uint16_t xf = table.XFIndex(dataFormat, work.ColumnFormats[i], Sheet->StripStyles()->Items(i % strips));
      table.StripXFormats().Add(work.SheetNo, i, table.XFormats().ByIndex(xf));
    }
  } else if (strips > 0 && Sheet->StripType() == ssRow) {
    for (int j = 0; j < strips; ++j)
      for (int i = 0; i < columns->Count(); ++i) {
        const std::uint16_t xf = table.XFIndex(dataFormat, work.ColumnFormats[i], Sheet->StripStyles()->Items(j));
        table.StripXFormats().Add(work.SheetNo, j * 1000 + i, table.XFormats().ByIndex(xf));
      }
  }
  if (Sheet->StripType() == ssNone || strips == 0) {
    for (int i = 0; i < columns->Count(); ++i) {
      const AnsiString& name = columns->Items(i)->Name();
      const int at = Sheet->FieldFormats()->IndexOf(name);
      if (at < 0 || table.FieldXFormats().IndexOf(work.SheetNo, name) >= 0) continue;
      const WideString& text = work.ColumnFormats[i].empty() ? kGeneral : work.ColumnFormats[i];
      const std::uint16_t xf = table.XFIndex(dataFormat, text, Sheet->FieldFormats()->Items(at));
      table.FieldXFormats().Add(work.SheetNo, name, table.XFormats().ByIndex(xf));
    }
  }

  work.Aggregates.Clear();
  for (int f = 0; f < Sheet->FieldFormats()->Count(); ++f) {
    const TxlsFieldFormat& field = *Sheet->FieldFormats()->Items(f);
    if (field.Aggregate() == aggNone) continue;
    const int column = columns->IndexOfName(field.FieldName());
    if (column >= 0) work.Aggregates.Add(static_cast<std::uint16_t>(column), field.Aggregate());
  }
  work.AggregateRows = work.Aggregates.Count() > 0 ? 1 : 0;
  work.FooterRows = Sheet->FooterRows() != 0 ? Sheet->FooterRows() : Sheet->Footer()->Count();
  work.StripPhases = strips > 0 && Sheet->StripType() == ssRow ? strips : 1;
  work.DataXF.assign(static_cast<std::size_t>(work.StripPhases * columns->Count()), 0);
  work.ColumnRows.assign(static_cast<std::size_t>(columns->Count()), {-1, -1});
  // The empty format shows no milliseconds: a valid answer to start from.
  work.MillisecondFormats.assign(static_cast<std::size_t>(columns->Count()), {AnsiString(), false});
}

// Header and footer lines: each line cut at its Tabs, one piece per column.
void TDataExportXLS::writeHeaderOrFooter(TxlsSheet* Sheet, bool Header) {
  writeSection_ = Header ? kSectionHeader : kSectionFooter;
  const TWideStringList& lines = Header ? *Sheet->Header() : *Sheet->Footer();
  const int setting = Header ? Sheet->HeaderRows() : Sheet->FooterRows();
  const TxlsFormat& look = Header ? *Sheet->Options()->HeaderFormat() : *Sheet->Options()->FooterFormat();
  const TxlsGetSheetTextParamsEvent& event = Header ? OnGetHeaderParams : OnGetFooterParams;
  const TxlsFormat* dataFormat = Sheet->Options()->DataFormat();
  const int count = setting != 0 ? setting : lines.Count();
  for (int k = 0; k < count; ++k) {
    WideString line = k < lines.Count() ? lines.Strings(k) : WideString();
    if (!line.empty() && line.back() != u'\t') line += u'\t';
    std::vector<WideString> pieces;
    for (std::size_t at = 0; at < line.size();) {
      const std::size_t tab = line.find(u'\t', at);
      pieces.push_back(line.substr(at, tab - at));
      at = tab + 1;
    }
    // Without a handler only the pieces can give cells; a handler is asked for every column.
    const int columns = event ? biff8::MaxColumns : static_cast<int>(std::min<std::size_t>(pieces.size(), biff8::MaxColumns));
    for (int col = 0; col < columns; ++col) {
      if (userCellAt(Sheet->CurrentRow, col)) continue;
      WideString text = col < static_cast<int>(pieces.size()) ? pieces[static_cast<std::size_t>(col)] : WideString();
      TxlsFormat format;
      format.Assign(const_cast<TxlsFormat*>(&look));
      if (event) event(Sheet, work_->SheetIndex, col, Sheet->CurrentRow, &format, text);
      if (!text.empty())
        workbook_->WriteLabelSST(Sheet->CurrentRow, col, text, workbook_->Formats().XFIndex(dataFormat, kGeneral, &format));
    }
    ++Sheet->CurrentRow;
  }
}

void TDataExportXLS::WriteSheetHeader(TxlsSheet* Sheet) { writeHeaderOrFooter(Sheet, true); }

void TDataExportXLS::WriteSheetFooter(TxlsSheet* Sheet) { writeHeaderOrFooter(Sheet, false); }

void TDataExportXLS::WriteLeadingCells(TxlsSheet* Sheet) {
  if (!OnGetBeforeDataParams) return;
  const TxlsFormat* dataFormat = Sheet->Options()->DataFormat();
  for (int col = 0; col < Sheet->StartDataCol(); ++col) {
    if (userCellAt(Sheet->CurrentRow, col)) continue;
    WideString text;
    TxlsFormat format;
    format.Assign(const_cast<TxlsFormat*>(dataFormat));
    OnGetBeforeDataParams(Sheet, work_->SheetIndex, col, Sheet->CurrentRow, &format, text);
    if (!text.empty())
      workbook_->WriteLabelSST(Sheet->CurrentRow, col, text, workbook_->Formats().XFIndex(dataFormat, kGeneral, &format));
  }
}

void TDataExportXLS::WriteSheetCaptions(TxlsSheet* Sheet) {
  writeSection_ = kSectionCaptions;
  WriteLeadingCells(Sheet);
  const TExportColumns& columns = *Sheet->Columns();
  const TxlsFormat* dataFormat = Sheet->Options()->DataFormat();
  for (int i = 0; i < columns.Count(); ++i) {
    const int col = Sheet->StartDataCol() + i;
    if (userCellAt(Sheet->CurrentRow, col)) continue;
    WideString caption = AnsiToWide(columns.Items(i)->Caption());
    TxlsFormat format;
    format.Assign(Sheet->Options()->CaptionsFormat());
    if (OnGetCaptionParams) OnGetCaptionParams(Sheet, work_->SheetIndex, col, &format, caption);
    if (caption.empty()) continue;
    const std::uint16_t xf = format.IsDefault() ? xlsDefaultXF : workbook_->Formats().XFIndex(dataFormat, kGeneral, &format);
    workbook_->WriteLabelSST(Sheet->CurrentRow, col, caption, xf);
    if (Sheet->AutoCalcColWidth()) workbook_->UpdateColumnWidth(caption, xf, i);
  }
  if (Sheet->AllowCaptions()) ++Sheet->CurrentRow;
}

void TDataExportXLS::FillSheetRow(TxlsSheet* Sheet) {
  TxlsSheetWork& work = *work_;
  const TExportColumns& columns = *Sheet->Columns();
  TExportRow& row = *Sheet->Row();
  const TExportFormats& formats = *Sheet->Formats();
  for (int i = 0; i < columns.Count(); ++i) {
    TExportColumn& column = *columns.Items(i);
    TExportCol& value = *row.Items(i);
    GetColumnValue(work.Source, column, work.RecNo, work.Skipped, formats, work.Settings, value.Value(), value.Data());
    if (Sheet->SubAggControlColumn().empty() || column.Name() != Sheet->SubAggControlColumn()) continue;
    // A new value of the control column closes the group above: its aggregates take a row of
    // their own, and the new group begins after it.
    if (Sheet->LastControlValue.IsEmpty()) {
      Sheet->LastControlValue = value.Value().IsEmpty() ? Variant(value.Data()) : value.Value();
      Sheet->GroupStartRow = Sheet->CurrentRow;
    } else {
      const Variant current = value.Value().IsEmpty() ? Variant(value.Data()) : value.Value();
      if (!sameValue(current, Sheet->LastControlValue)) {
        Sheet->LastControlValue = current;
        Sheet->SubAggregates().push_back({Sheet->GroupStartRow, Sheet->CurrentRow});
        ++Sheet->CurrentRow;
        Sheet->GroupStartRow = Sheet->CurrentRow;
      }
    }
  }
}

// The XF of the data cells of a column: the field format's, else the strip style's, else the
// data format's look, with the column's number format.
std::uint16_t TDataExportXLS::dataXF(TxlsSheet* Sheet, int Column) {
  TxlsSheetWork& work = *work_;
  TxlsCellFormatTable& table = workbook_->Formats();
  const int phase = work.StripPhases > 1 ? Sheet->RecordsExported % work.StripPhases : 0;
  std::uint16_t& cached = work.DataXF[static_cast<std::size_t>(phase * Sheet->Columns()->Count() + Column)];
  // Without a handler the XF of a column and phase never changes.
  if (cached != 0 && !OnGetDataParams) return cached;

  const TExportColumn& column = *Sheet->Columns()->Items(Column);
  const int strips = Sheet->StripStyles()->Count();
  std::uint16_t found = table.FieldXFormats().XFIndex(work.SheetNo, column.Name());
  if (found == xlsDefaultXF && strips > 0 && Sheet->StripType() == ssCol)
    found = table.StripXFormats().XFIndex(work.SheetNo, Column);
  else if (found == xlsDefaultXF && strips > 0 && Sheet->StripType() == ssRow)
    found = table.StripXFormats().XFIndex(work.SheetNo, phase * 1000 + Column);

  TxlsFormat format;
  WideString numberFormat;
  const TxlsFormat* dataFormat = Sheet->Options()->DataFormat();
  if (const TxlsXFormat* xf = found != xlsDefaultXF ? table.XFormats().ByIndex(found) : nullptr) {
    format.AssignFromXF(*xf);
    if (xf->NumberFormat() != nullptr) numberFormat = xf->NumberFormat()->Text();
  } else {
    format.Assign(const_cast<TxlsFormat*>(dataFormat));
    if (dataFormat->IsDefault()) numberFormat = kGeneral;
  }
  if (OnGetDataParams)
    OnGetDataParams(Sheet, work.SheetIndex, Sheet->StartDataCol() + Column, Sheet->CurrentRow, &format, numberFormat);
  if (numberFormat.empty()) numberFormat = work.ColumnFormats[static_cast<std::size_t>(Column)];
  // A date shown as a plain number reads as a day count: dates keep their column's format.
  if (isDateTime(column) && numberFormat == kGeneral && !work.ColumnFormats[static_cast<std::size_t>(Column)].empty())
    numberFormat = work.ColumnFormats[static_cast<std::size_t>(Column)];
  cached = table.XFIndex(dataFormat, numberFormat, &format);
  return cached;
}

void TDataExportXLS::writeDataCell(TxlsSheet* Sheet, int Column, const WideString& Text, const Variant& Value,
                                   std::uint16_t XF) {
  const int row = Sheet->CurrentRow;
  const int col = Sheet->StartDataCol() + Column;
  const TExportColumn& column = *Sheet->Columns()->Items(Column);
  const TExportFormats& formats = *Sheet->Formats();
  if (Text.empty()) return workbook_->WriteBlank(row, col, XF);
  if (Text == formats.NULLString()) return workbook_->WriteLabelSST(row, col, Text, XF);
  double number = 0;
  switch (column.ColType()) {
    case ectInteger:
    case ectBigint:
    case ectFloat:
    case ectCurrency:
      // A value that is no number keeps its text.
      if (numberOf(Value, work_->Settings.Read, number)) return workbook_->WriteNumber(row, col, number, XF);
      return workbook_->WriteLabelSST(row, col, Text, XF);
    case ectDate:
    case ectTime:
    case ectDateTime: {
      if (!numberOf(Value, work_->Settings.Read, number)) return workbook_->WriteLabelSST(row, col, Text, XF);
      if (number > 1.0 && !showsMilliseconds(work_->MillisecondFormats[static_cast<std::size_t>(Column)], column.Format()))
        return workbook_->WriteNumber(row, col, number <= kLastFalseLeapDay ? number - 1 : number, XF);
      // A time of day, a day before the sheet's calendar, or milliseconds: the text the format
      // gives.
      const AnsiString shown = FormatDateTime(column.Format(), number, work_->Settings.Write);
      return workbook_->WriteLabelSST(row, col, AnsiToWide(shown), XF);
    }
    case ectBoolean: return workbook_->WriteBoolErr(row, col, WideSameText(Text, formats.BooleanTrue()), XF);
    default: return workbook_->WriteLabelSST(row, col, Text, XF);
  }
}

void TDataExportXLS::WriteSheetDataRow(TxlsSheet* Sheet) {
  writeSection_ = kSectionData;
  WriteLeadingCells(Sheet);
  const TExportColumns& columns = *Sheet->Columns();
  const TExportRow& row = *Sheet->Row();
  const TExportFormats& formats = *Sheet->Formats();
  const bool handlers = OnGetExportText || OnAdvancedGetExportText || OnAdvancedGetExportData;
  for (int i = 0; i < columns.Count(); ++i) {
    const int col = Sheet->StartDataCol() + i;
    if (userCellAt(Sheet->CurrentRow, col)) continue;
    const TExportCol& cell = *row.Items(i);
    auto& rows = work_->ColumnRows[static_cast<std::size_t>(i)];
    if (rows.first < 0) rows.first = Sheet->CurrentRow;
    rows.second = Sheet->CurrentRow;
    const std::uint16_t xf = dataXF(Sheet, i);
    // The cell's text and value are written as they are unless a handler may change them: then
    // they are copies.
    const WideString* text = &cell.Data();
    const Variant* value = &cell.Value();
    WideString changedText;
    Variant changedValue;
    if (handlers) {
      changedText = cell.Data();
      if (OnGetExportText) OnGetExportText(this, i, changedText);
      if (OnAdvancedGetExportText) OnAdvancedGetExportText(Sheet, work_->SheetIndex, i, changedText);
      changedValue = cell.Value().IsEmpty() ? Variant(changedText) : cell.Value();
      if (OnAdvancedGetExportData) {
        const Variant before = changedValue;
        OnAdvancedGetExportData(Sheet, work_->SheetIndex, i, changedValue);
        if (!sameValue(before, changedValue)) changedText = textOfValue(changedValue, formats, work_->Settings.Write);
      }
      text = &changedText;
      value = &changedValue;
    } else if (value->IsEmpty()) {
      changedValue = Variant(*text);
      value = &changedValue;
    }
    writeDataCell(Sheet, i, *text, *value, xf);
    if (Sheet->AutoCalcColWidth()) workbook_->UpdateColumnWidth(*text, xf, i);
  }
  Sheet->LastUsedColumn = std::max(Sheet->LastUsedColumn, Sheet->StartDataCol() + columns.Count() - 1);
  ++Sheet->CurrentRow;
}

void TDataExportXLS::WriteSheetAggregates(TxlsSheet* Sheet) {
  const TxlsSheetWork& work = *work_;
  if (work.Aggregates.Count() == 0) return;
  writeSection_ = kSectionAggregates;
  const TExportColumns& columns = *Sheet->Columns();
  const TxlsFormat* dataFormat = Sheet->Options()->DataFormat();
  bool written = false;
  for (int i = 0; i < columns.Count(); ++i) {
    const int col = Sheet->StartDataCol() + i;
    TxlsFormat format;
    format.Assign(Sheet->Options()->AggregateFormat());
    Variant value;
    const TXlsSubAggregate* aggregate = work.Aggregates.Find(i);
    if (aggregate == nullptr) {
      if (!OnGetAggregateParams) continue;
      WideString formatText = kGeneral;
      OnGetAggregateParams(Sheet, work.SheetIndex, col, &format, formatText, value);
      const WideString text = VarToWideStr(value);
      if (!text.empty())
        workbook_->WriteLabelSST(Sheet->CurrentRow, col, text, workbook_->Formats().XFIndex(dataFormat, kGeneral, &format));
      written = written || !text.empty();
      continue;
    }
    WideString formatText = work.ColumnFormats[static_cast<std::size_t>(i)];
    if (formatText.empty()) formatText = kGeneral;
    if (OnGetAggregateParams) OnGetAggregateParams(Sheet, work.SheetIndex, col, &format, formatText, value);
    if (formatText.empty()) formatText = kGeneral;
    const std::uint16_t xf = formatText == kGeneral && format.IsDefault()
                                 ? xlsDefaultXF
                                 : workbook_->Formats().XFIndex(dataFormat, formatText, &format);
    // Each group closed by the control column, then the rows after the last group. A group
    // without rows gets no formula.
    for (const TxlsSubAggregateGroup& group : Sheet->SubAggregates())
      if (group.FormulaRow > group.StartRow) {
        workbook_->WriteAggregateFormula(group.FormulaRow, col, xf, aggregate->Aggregate, group.StartRow, group.FormulaRow - 1);
        written = true;
      }
    const int first = Sheet->SubAggregates().empty() ? work.FirstDataRow : Sheet->SubAggregates().back().FormulaRow + 1;
    if (Sheet->CurrentRow > first) {
      workbook_->WriteAggregateFormula(Sheet->CurrentRow, col, xf, aggregate->Aggregate, first, Sheet->CurrentRow - 1);
      written = true;
    }
  }
  if (written) ++Sheet->CurrentRow;
}
