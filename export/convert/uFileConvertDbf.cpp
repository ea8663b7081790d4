// The dBASE target's begin-export event: the lengths of the text fields, and the values a
// dBASE table cannot hold.
#include <algorithm>
#include <vector>

#include "CodePage.h"
#include "DbaseFormat.h"
#include "DbtMemo.h"
#include "Format.h"
#include "IntegerText.h"
#include "TClientDataSet.h"
#include "TDataExportDBF.h"
#include "TField.h"
#include "TFields.h"
#include "TStrings.h"
#include "uFileConvert.h"

namespace {

bool isText(TFieldType Type) { return Type == ftString || Type == ftWideString || Type == ftFixedChar || Type == ftFixedWideChar; }
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
  // Lengths of an earlier source never apply to this one.
  TStrings* lengths = DataExportDBF1->ColumnsLength();
  lengths->Clear();

  std::vector<TScannedField> texts, memos;
  TFields* fields = ClientDataSet1->Fields();
  for (int i = 0; i < fields->Count(); ++i) {
    TField* field = fields->Fields(i);
    if (isText(field->DataType())) texts.push_back({field});
    if (isMemo(field->DataType())) memos.push_back({field});
  }
  if (texts.empty() && memos.empty()) return;

  // The records the exporter reads, in one pass (the same as the source table's).
  {
    TScanPosition position(ClientDataSet1);
    Variant kept;
    for (ClientDataSet1->First(); !ClientDataSet1->Eof(); ClientDataSet1->Next()) {
      for (TScannedField& f : texts) f.Longest = std::max(f.Longest, ansiLength(f.Field, kept));
      for (TScannedField& f : memos) f.Longest = std::max(f.Longest, ansiLength(f.Field, kept));
    }
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
