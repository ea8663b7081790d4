// The dBASE target's begin-export event: the lengths of the text fields, and the values a
// dBASE table cannot hold.
#include <algorithm>
#include <vector>

#include "CodePage.h"
#include "DbaseFormat.h"
#include "DbfNumberLayout.h"
#include "DbtMemo.h"
#include "Format.h"
#include "IntegerText.h"
#include "TClientDataSet.h"
#include "TDataExportDBF.h"
#include "TField.h"
#include "TFieldDefs.h"
#include "TFields.h"
#include "TStrings.h"
#include "uFileConvert.h"

namespace {

bool isText(TFieldType Type) { return Type == ftString || Type == ftWideString || Type == ftFixedChar || Type == ftFixedWideChar; }
bool isInteger(TFieldType Type) {
  return Type == ftSmallint || Type == ftInteger || Type == ftWord || Type == ftAutoInc || Type == ftLargeint;
}
bool isFloat(TFieldType Type) { return Type == ftFloat || Type == ftCurrency || Type == ftBCD || Type == ftFMTBcd; }
bool isMemo(TFieldType Type) { return Type == ftMemo || Type == ftWideMemo || Type == ftFmtMemo; }
bool isWide(TFieldType Type) { return Type == ftWideString || Type == ftFixedWideChar || Type == ftWideMemo; }

// The bytes a value takes in the table: its text in the ANSI code page. A text the field
// holds as it is is measured in Kept, whose storage serves every record.
std::size_t ansiLength(const TField* Field, Variant& Kept) {
  if (isWide(Field->DataType())) return WideToAnsi(Field->AsWideString()).size();
  Field->ValueInto(Kept);
  if (const AnsiString* text = Kept.AnsiText()) return text->size();
  return Field->AsString().size();
}

struct TScannedField {
  TField* Field;
  std::size_t Longest = 0;
};

// A number field and the layout it starts from: the one its source declares, else the
// exporter's default float field (integers without a declared one need no scan: their
// fields hold every value).
struct TScannedNumber {
  TField* Field;
  TDbfNumberLayout Base;
  TDbfNumberWidth Need;

  void Add(const Variant& Value) {
    switch (Value.VarType()) {
      case varInteger:
      case varInt64: Need.AddInteger(Value.AsInt64()); break;
      case varDouble:
      case varCurrency: Need.AddFloat(Value.AsFloat()); break;
      default: break;
    }
  }
};

// Restores the data set's position and controls however the scan ends.
class TScanPosition {
public:
  explicit TScanPosition(TDataSet* DataSet) : dataSet_(DataSet), bookmark_(DataSet->GetBookmark()) {
    dataSet_->DisableControls();
  }
  ~TScanPosition() {
    try {
      dataSet_->GotoBookmark(bookmark_);
    } catch (...) {
      // The export goes to its first record anyway.
    }
    dataSet_->EnableControls();
  }
  TScanPosition(const TScanPosition&) = delete;
  TScanPosition& operator=(const TScanPosition&) = delete;

private:
  TDataSet* dataSet_;
  TBookmark bookmark_;
};

}  // namespace

void TdmUtils::DataExportDBF1BeginExport(TObject*) {
  // Lengths and layouts of an earlier source never apply to this one.
  TStrings* lengths = DataExportDBF1->ColumnsLength();
  lengths->Clear();
  TStrings* precisions = DataExportDBF1->ColumnsPrecision();
  precisions->Clear();

  std::vector<TScannedField> texts, memos;
  std::vector<TScannedNumber> numbers;
  TFields* fields = ClientDataSet1->Fields();
  const TFieldDefs* defs = ClientDataSet1->FieldDefs();
  for (int i = 0; i < fields->Count(); ++i) {
    TField* field = fields->Fields(i);
    const TFieldType type = field->DataType();
    if (isText(type)) texts.push_back({field});
    if (isMemo(type)) memos.push_back({field});
    if (!isInteger(type) && !isFloat(type)) continue;
    // A dBASE table, a packet written from one, or a database that declares its numbers'
    // digits gives the layout; the terminal gets its table back as it gave it.
    const int def = defs->IndexOf(field->FieldName());
    const bool declared = def >= 0 && defs->Items(def).Precision > 0;
    if (declared)
      numbers.push_back({field, {defs->Items(def).Precision, isFloat(type) ? defs->Items(def).Scale : 0}, {}});
    else if (isFloat(type))
      numbers.push_back({field, {DataExportDBF1->DefaultFloatSize(), DataExportDBF1->DefaultFloatDecimal()}, {}});
  }
  if (texts.empty() && memos.empty() && numbers.empty()) return;

  // The records the exporter reads, in one pass (the same as the source table's).
  {
    TScanPosition position(ClientDataSet1);
    Variant kept, number;
    for (ClientDataSet1->First(); !ClientDataSet1->Eof(); ClientDataSet1->Next()) {
      for (TScannedField& f : texts) f.Longest = std::max(f.Longest, ansiLength(f.Field, kept));
      for (TScannedField& f : memos) f.Longest = std::max(f.Longest, ansiLength(f.Field, kept));
      for (TScannedNumber& n : numbers) {
        n.Field->ValueInto(number);
        n.Add(number);
      }
    }
  }

  // Every number is written with all its digits: a field is widened as far as its values
  // need, and a value no dBASE number field holds ends the export.
  for (const TScannedNumber& n : numbers) {
    TDbfNumberLayout layout;
    if (!DbfNumberLayoutFor(n.Base, n.Need, layout))
      throw Exception(Format("Field %s holds a number of %d characters; a dBASE number field holds %d at most",
                             {n.Field->FieldName(), n.Need.Size(), dbase::MaxNumericLength}));
    precisions->Add(n.Field->FieldName() + "=" + IntToStr(layout.Size) + "," + IntToStr(layout.Decimals));
  }

  for (const TScannedField& f : memos)
    if (f.Longest > DbtMaxMemoSize)
      throw Exception(Format("Field %s holds a memo of %d bytes; a dBASE memo file holds %d at most",
                             {f.Field->FieldName(), static_cast<std::int64_t>(f.Longest),
                              static_cast<std::int64_t>(DbtMaxMemoSize)}));
  for (const TScannedField& f : texts) {
    if (f.Longest > static_cast<std::size_t>(dbase::MaxCharacterLength))
      throw Exception(Format("Field %s holds a text of %d bytes; a dBASE field holds %d at most",
                             {f.Field->FieldName(), static_cast<std::int64_t>(f.Longest),
                              static_cast<std::int64_t>(dbase::MaxCharacterLength)}));
    // An XML packet keeps the sizes its fields were declared with, unless a value needs more.
    if (!FTableSource && f.Longest <= static_cast<std::size_t>(f.Field->Size())) continue;
    lengths->Add(f.Field->FieldName() + "=" + IntToStr(static_cast<std::int64_t>(f.Longest) + 2));
  }
}
