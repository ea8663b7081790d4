#include "TExportColumns.h"

#include <algorithm>
#include <cmath>
#include <memory>
#include <thread>

#include "CodePage.h"
#include "ExportValueText.h"
#include "IntegerText.h"
#include "LocaleText.h"
#include "StringRoutines.h"
#include "TColumn.h"
#include "TDBGrid.h"
#include "TDBGridColumns.h"
#include "TExportColumn.h"
#include "TExportColumnsOwner_p.h"
#include "TExportCustomColumn.h"
#include "TExportCustomColumns.h"
#include "TExportCustomSource.h"
#include "TExportFormats.h"
#include "TFields.h"
#include "TFontMetrics.h"
#include "TWinControl.h"
#include "TListColumn.h"
#include "TListColumns.h"
#include "TListItem.h"
#include "TListItems.h"
#include "TListView.h"
#include "TStringGrid.h"
#include "TStrings.h"
#include "TypInfo.h"

DEFINE_CLASS(TExportColumns, TCollection)

namespace {

constexpr int MaxStringLength = 255;
// A data-set column is never measured wider than this.
constexpr int MaxDataSetWidth = 100;

template <class T>
T* objectProp(const TPersistent* owner, std::string_view name) {
  const TPropInfo* prop = GetPropInfo(owner, name);
  if (prop == nullptr || prop->Kind != TTypeKind::tkClass) return nullptr;
  return dynamic_cast<T*>(std::get<TObject*>(GetPropValue(owner, *prop)));
}

std::int64_t ordProp(const TPersistent* owner, std::string_view name, std::int64_t fallback) {
  return IsPublishedProp(owner, name) ? GetOrdProp(owner, name) : fallback;
}

// The value of the first "name=value" line of List whose name is Name; false when none has it.
bool lineValue(const TStrings* list, const AnsiString& name, AnsiString& value) {
  if (list == nullptr) return false;
  const int i = list->IndexOfName(name);
  if (i < 0) return false;
  value = list->ValueFromIndex(i);
  return true;
}

// The name part of an ExportedFields line: the text before "=", or the whole line.
AnsiString namePart(const AnsiString& line) {
  const std::size_t eq = line.find('=');
  return eq == AnsiString::npos ? line : line.substr(0, eq);
}

int sourceColumnCount(const TExportSourceRef& s) {
  switch (s.Kind) {
    case esDataSet: return s.DataSet != nullptr ? s.DataSet->FieldCount() : 0;
    case esDBGrid: return s.DBGrid != nullptr ? s.DBGrid->Columns()->Count() : 0;
    case esStringGrid: return s.StringGrid != nullptr ? s.StringGrid->ColCount() : 0;
    case esListView: return s.ListView != nullptr ? s.ListView->Columns()->Count() : 0;
    case esCustom: return s.CustomSource != nullptr ? s.CustomSource->ColumnCount() : 0;
    default: return 0;
  }
}

// The source position of ExportedFields line Line, -1 when it names nothing.
int positionOfLine(const TExportColumnsOwner& o, const AnsiString& line) {
  const TExportSourceRef& s = o.Source;
  switch (s.Kind) {
    case esDataSet: {
      if (s.DataSet == nullptr) return -1;
      // A name the data set lacks is the caller's mistake: the data set's own error says so.
      TField* field = s.DataSet->FieldByName(namePart(line));
      return o.OnlyVisibleFields && !field->Visible() ? -1 : field->Index();
    }
    case esDBGrid: {
      if (s.DBGrid == nullptr) return -1;
      const AnsiString name = namePart(line);
      TDBGridColumns* columns = s.DBGrid->Columns();
      for (int i = columns->Count() - 1; i >= 0; --i) {
        TField* field = SourceField(s, i);
        const AnsiString& fieldName = columns->Items(i)->FieldName();
        if (field != nullptr && (SameText(fieldName, line) || SameText(fieldName, name)) &&
            (!o.OnlyVisibleFields || field->Visible()))
          return i;
      }
      return -1;
    }
    case esStringGrid: {
      if (s.StringGrid == nullptr) return -1;
      AnsiString number = line;
      if (number.size() >= 6)
        if (const std::size_t at = number.find("Field"); at != AnsiString::npos) number.erase(at, 5);
      const int i = StrToIntDef(number, -1);
      return i >= 0 && i < s.StringGrid->ColCount() ? i : -1;
    }
    case esListView: {
      if (s.ListView == nullptr) return -1;
      TListColumns* columns = s.ListView->Columns();
      for (int i = columns->Count() - 1; i >= 0; --i)
        if (AnsiSameText(columns->Items(i)->Caption(), line)) return i;
      return -1;
    }
    case esCustom: return s.CustomSource != nullptr ? s.CustomSource->Columns()->IndexOf(line) : -1;
    default: return -1;
  }
}

// The source position of column I when ExportedFields is empty, -1 when it is left out.
int positionOfColumn(const TExportColumnsOwner& o, int i, bool includeBlobs) {
  switch (o.Source.Kind) {
    case esDataSet:
    case esDBGrid: {
      TField* field = SourceField(o.Source, i);
      if (field == nullptr || (field->IsBlob() && !includeBlobs) || (o.OnlyVisibleFields && !field->Visible())) return -1;
      return i;
    }
    default: return i;
  }
}

TExportColType colTypeOf(TFieldType type) {
  switch (type) {
    case ftString:
    case ftFixedChar:
    case ftBlob:
    case ftMemo:
    case ftWideString:
    case ftFixedWideChar:
    case ftOraBlob:
    case ftOraClob:
    case ftGuid: return ectString;
    case ftSmallint:
    case ftInteger:
    case ftWord:
    case ftAutoInc: return ectInteger;
    case ftLargeint: return ectBigint;
    case ftBoolean: return ectBoolean;
    case ftFloat:
    case ftBCD:
    case ftFMTBcd: return ectFloat;
    case ftCurrency: return ectCurrency;
    case ftDate: return ectDate;
    case ftTime: return ectTime;
    case ftDateTime:
    case ftTimeStamp: return ectDateTime;
    default: return ectUnknown;
  }
}

// The width in characters of a control's column of Pixels: in units of an "X" of its font.
int charsOf(int pixels, const TControl* control) {
  const int x = TFontMetrics(*control->Font()).TextWidth(u"X");
  return pixels / (x > 0 ? x : 8);
}

// Name, type, caption, width and the field's traits of a column read from a field. Line is the
// column's own ExportedFields line: "name=alias" names the column by the alias.
void describeField(const TExportColumnsOwner& o, TExportColumn& c, TField* field, const AnsiString& line) {
  const std::size_t eq = line.find('=');
  const AnsiString alias = eq == AnsiString::npos ? AnsiString() : line.substr(eq + 1);
  c.SetName(alias.empty() ? field->FieldName() : alias);
  c.SetFieldType(field->DataType());
  c.SetColType(colTypeOf(field->DataType()));
  c.SetCaption(field->DisplayLabel());
  const TExportFormats defaults;
  const TExportFormats& formats = o.Formats != nullptr ? *o.Formats : defaults;
  int width = field->DisplayWidth();
  switch (field->DataType()) {
    case ftSmallint:
    case ftInteger:
    case ftLargeint: width = DigitWidth(field->DataSize(), formats.IntegerFormat()); break;
    case ftFloat: width = DigitWidth(field->DataSize(), formats.FloatFormat()); break;
    default: break;
  }
  c.SetWidth(std::min(width, MaxDataSetWidth));
  c.SetLength(field->Size());
  c.SetIsBlob(field->IsBlob());
  const TFieldType type = field->DataType();
  c.SetIsMemo(type == ftMemo || type == ftFmtMemo || type == ftWideMemo);
  c.SetVisible(field->Visible());
}

TExportColType guessedType(const TExportColumnsOwner& o, const AnsiString& text, const TFormatSettings& settings) {
  return GuessColumnType(text, o.Formats != nullptr ? o.Formats->BooleanTrue() : WideString(u"true"),
                         o.Formats != nullptr ? o.Formats->BooleanFalse() : WideString(u"false"), settings);
}

// Name, type, caption, width and length by the source.
void describeFromSource(const TExportColumnsOwner& o, TExportColumn& c, const AnsiString& line,
                        const TFormatSettings& settings) {
  const TExportSourceRef& s = o.Source;
  const int pos = c.ColumnIndex();
  switch (s.Kind) {
    case esDataSet: describeField(o, c, SourceField(s, pos), line); break;
    case esDBGrid: {
      describeField(o, c, SourceField(s, pos), line);
      TColumn* column = s.DBGrid->Columns()->Items(pos);
      c.SetCaption(column->Title()->Caption());
      c.SetWidth(charsOf(column->Width(), s.DBGrid));
      c.SetLength(std::min(c.Length(), MaxStringLength));
      break;
    }
    case esStringGrid: {
      TStringGrid* grid = s.StringGrid;
      c.SetName("Field" + IntToStr(pos));
      c.SetColType(o.AutoCalcStrType ? guessedType(o, grid->Cells(pos, grid->Row()), settings) : ectString);
      c.SetCaption(o.CaptionRow < 0 ? "ColNo_" + IntToStr(pos) : grid->Cells(pos, o.CaptionRow));
      c.SetWidth(charsOf(grid->ColWidths(pos), grid));
      c.SetLength(MaxStringLength);
      break;
    }
    case esListView: {
      TListColumn* column = s.ListView->Columns()->Items(pos);
      c.SetName(column->Caption());
      c.SetCaption(column->Caption());
      c.SetColType(ectString);
      if (o.AutoCalcStrType) {
        TListItems* items = s.ListView->Items();
        if (items->Count() > 0) {
          TListItem* first = items->Item(0);
          AnsiString text;
          if (pos == 0)
            text = first->Caption();
          else if (pos - 1 < first->SubItems()->Count())
            text = first->SubItems()->Strings(pos - 1);
          c.SetColType(guessedType(o, text, settings));
        } else {
          c.SetColType(ectInteger);
        }
      }
      c.SetWidth(charsOf(column->Width(), s.ListView));
      c.SetLength(MaxStringLength);
      break;
    }
    case esCustom: {
      TExportCustomColumn* column = s.CustomSource->Columns()->Items(pos);
      c.SetName(column->ColumnName());
      c.SetCaption(column->Caption());
      c.SetColType(column->ColumnType());
      c.SetWidth(column->Width());
      c.SetLength(std::min(column->Size(), MaxStringLength));
      break;
    }
    default: break;
  }
}

const AnsiString* typeFormat(const TExportFormats* formats, TExportColType type) {
  if (formats == nullptr) return nullptr;
  switch (type) {
    case ectInteger:
    case ectBigint: return &formats->IntegerFormat();
    case ectFloat: return &formats->FloatFormat();
    case ectCurrency: return &formats->CurrencyFormat();
    case ectDate: return &formats->DateFormat();
    case ectTime: return &formats->TimeFormat();
    case ectDateTime: return &formats->DateTimeFormat();
    default: return nullptr;
  }
}

void describe(const TExportColumnsOwner& o, TExportColumn& c, const AnsiString& line, const TFormatSettings& settings) {
  describeFromSource(o, c, line, settings);
  AnsiString value;
  if (lineValue(o.Captions, c.Name(), value)) c.SetCaption(value);
  if (lineValue(o.ColumnsWidth, c.Name(), value)) c.SetWidth(StrToIntDef(value, 0));
  const AnsiString* format = typeFormat(o.Formats, c.ColType());
  c.SetFormat(format != nullptr ? *format : AnsiString());
  if (lineValue(o.UserFormats, c.Name(), value)) c.SetFormat(value);
  if (lineValue(o.ColumnsAlign, c.Name(), value)) {
    const AnsiString upper = UpperCase(value);
    c.SetAlign(upper.starts_with("C") ? ExportAlignCenter : upper.starts_with("R") ? ExportAlignRight : ExportAlignLeft);
  } else {
    c.SetAlign(c.IsNumeric() ? ExportAlignRight : c.ColType() == ectBoolean ? ExportAlignCenter : ExportAlignLeft);
  }
  if (!c.IsString()) {
    c.SetLength(0);
  } else if (o.Source.Kind == esListView || o.Source.Kind == esStringGrid) {
    if (lineValue(o.ColumnsLength, c.Name(), value)) c.SetLength(StrToIntDef(value, MaxStringLength));
  }
}

}  // namespace

TExportColumnsOwner TExportColumnsOwner::Read(const TPersistent* Owner) {
  TExportColumnsOwner o;
  if (Owner == nullptr) return o;
  o.ExportedFields = objectProp<TStrings>(Owner, "ExportedFields");
  o.Source.Kind = static_cast<TExportSource>(ordProp(Owner, "ExportSource", 0));
  o.Source.DataSet = objectProp<TDataSet>(Owner, "DataSet");
  o.Source.CustomSource = objectProp<TExportCustomSource>(Owner, "CustomSource");
  o.Source.ListView = objectProp<TListView>(Owner, "ListView");
  o.Source.DBGrid = objectProp<TDBGrid>(Owner, "DBGrid");
  o.Source.StringGrid = objectProp<TStringGrid>(Owner, "StringGrid");
  o.OnlyVisibleFields = ordProp(Owner, "OnlyVisibleFields", 0) != 0;
  o.Formats = objectProp<TExportFormats>(Owner, "Formats");
  o.AutoCalcStrType = ordProp(Owner, "AutoCalcStrType", 0) != 0;
  o.CaptionRow = static_cast<int>(ordProp(Owner, "CaptionRow", -1));
  o.UserFormats = objectProp<TStrings>(Owner, "UserFormats");
  o.ColumnsWidth = objectProp<TStrings>(Owner, "ColumnsWidth");
  o.Captions = objectProp<TStrings>(Owner, "Captions");
  o.ColumnsAlign = objectProp<TStrings>(Owner, "ColumnsAlign");
  o.SkipRecCount = static_cast<int>(ordProp(Owner, "SkipRecCount", 0));
  o.ExportRecCount = static_cast<int>(ordProp(Owner, "ExportRecCount", 0));
  o.ColumnsLength = objectProp<TStrings>(Owner, "ColumnsLength");
  if (const TPropInfo* prop = GetPropInfo(Owner, "OnFetchedRecord"); prop != nullptr && prop->Kind == TTypeKind::tkMethod) {
    const std::any handler = std::get<std::any>(GetPropValue(Owner, *prop));
    if (const auto* event = std::any_cast<TExportedRecordEvent>(&handler)) o.OnFetchedRecord = *event;
  }
  return o;
}

TExportColumns::TExportColumns(TPersistent* Owner, TPrepareTextEvent PrepareText)
    : TCollection(CollectionItemClass<TExportColumn>()), owner_(Owner), prepareText_(std::move(PrepareText)) {}

TExportColumn* TExportColumns::Add() { return static_cast<TExportColumn*>(TCollection::Add()); }

TExportColumn* TExportColumns::Items(int Index) const { return static_cast<TExportColumn*>(TCollection::Items(Index)); }

int TExportColumns::IndexOfName(const AnsiString& Name) const {
  for (int i = 0; i < Count(); ++i)
    if (AnsiSameText(Items(i)->Name(), Name)) return i;
  return -1;
}

void TExportColumns::Fill(bool IncludeBlobs) {
  Clear();
  const TExportColumnsOwner o = TExportColumnsOwner::Read(owner_);
  const bool listed = o.ExportedFields != nullptr && o.ExportedFields->Count() > 0;
  const int count = listed ? o.ExportedFields->Count() : sourceColumnCount(o.Source);
  // The ExportedFields line of each column, for its alias.
  std::vector<AnsiString> lines;
  for (int i = 0; i < count; ++i) {
    const AnsiString line = listed ? o.ExportedFields->Strings(i) : AnsiString();
    const int pos = listed ? positionOfLine(o, line) : positionOfColumn(o, i, IncludeBlobs);
    if (pos == -1) continue;
    Add()->SetColumnIndex(pos);
    lines.push_back(line);
  }
  TFormatSettings settings = *FormatSettingsSnapshot();
  for (int i = 0; i < Count(); ++i) describe(o, *Items(i), lines[static_cast<std::size_t>(i)], settings);
}

void TExportColumns::CalcColWidths(bool WithCaptions) {
  const TExportColumnsOwner o = TExportColumnsOwner::Read(owner_);
  if (WithCaptions)
    for (int i = 0; i < Count(); ++i) {
      TExportColumn* c = Items(i);
      c->SetWidth(std::max(c->Width(), static_cast<int>(AnsiToWide(c->Caption()).size())));
    }
  TExportSourceRef s = o.Source;
  TExportSourcePosition position = SourceGetPosition(s);
  struct FreePosition {
    TExportSourceRef& s;
    TExportSourcePosition& p;
    ~FreePosition() { SourceFreePosition(s, p); }
  } freeOnExit{s, position};
  SourceFirst(s);
  if (SourceIsEmpty(s)) return;
  std::unique_ptr<TExportFormats> ownFormats;
  if (o.Formats == nullptr) ownFormats = std::make_unique<TExportFormats>();
  const TExportFormats& formats = o.Formats != nullptr ? *o.Formats : *ownFormats;
  TExportTextSettings settings;
  settings.Reset(formats);
  recNo_ = 0;
  SourceSkip(s, o.SkipRecCount, recNo_, nullptr, nullptr);
  recNo_ = 0;
  Variant value;
  WideString text, prepared;
  while (!SourceEof(s, recNo_, o.SkipRecCount, o.ExportRecCount) && (o.ExportRecCount == 0 || recNo_ < o.ExportRecCount)) {
    for (int i = 0; i < Count(); ++i) {
      TExportColumn* c = Items(i);
      GetColumnValue(s, *c, recNo_, o.SkipRecCount, formats, settings, value, text);
      prepared = text;
      if (prepareText_) prepareText_(text, prepared);
      c->SetWidth(std::max(c->Width(), static_cast<int>(prepared.size())));
    }
    SourceNext(s, recNo_);
    if (o.OnFetchedRecord) {
      o.OnFetchedRecord(owner_, recNo_);
      // The handler may have freed the source, which clears it from the owner.
      s = TExportColumnsOwner::Read(owner_).Source;
    }
    // Other threads get their turn every few hundred records: a yield per record costs more
    // than the record on a loaded machine.
    if (recNo_ % 256 == 0) std::this_thread::yield();
  }
  SourceGoToPosition(s, position);
}

void TExportColumns::ClearWorkValues() {
  for (int i = 0; i < Count(); ++i) Items(i)->SetWorkValue(0);
}

bool TExportColumns::HasBlob() const {
  for (int i = 0; i < Count(); ++i)
    if (Items(i)->IsBlob()) return true;
  return false;
}

int DigitWidth(int Size, const AnsiString& Format) {
  // The decimal digits of 2^(8*Size), counted as the value is divided down by ten.
  int digits = 0;
  for (double value = std::pow(2.0, 8.0 * Size); value > 1; value /= 10) ++digits;
  if (Format.find(',') != AnsiString::npos) digits += digits / 3;
  bool decimals = false;
  for (char ch : Format) {
    if (ch == '.') {
      ++digits;
      decimals = true;
    } else if (decimals && ch != ',') {
      ++digits;
    }
  }
  return digits;
}
