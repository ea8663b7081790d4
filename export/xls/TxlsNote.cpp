#include "TxlsNote.h"

#include <algorithm>

#include "Biff8Records.h"
#include "CodePage.h"
#include "TStringList.h"
#include "TXLSOptions.h"
#include "TypInfo.h"

DEFINE_CLASS(TxlsNote, TxlsCustomItem,
             Published::Integer("Row", &TxlsNote::Row, &TxlsNote::SetRow),
             Published::Integer("Col", &TxlsNote::Col, &TxlsNote::SetCol),
             Published::Class("Lines", &TxlsNote::Lines, &TxlsNote::SetLines),
             Published::Class("Format", &TxlsNote::Format, &TxlsNote::SetFormat))

DEFINE_CLASS(TxlsNotes, TOwnedCollection)

TxlsNote::TxlsNote(TCollection* Collection)
    : TxlsCustomItem(Collection), lines_(std::make_unique<TStringList>()), format_(std::make_unique<TxlsNoteFormat>()) {
  const TPersistent* owner = CollectionOwner();
  if (owner != nullptr && GetPropInfo(owner, "Options") != nullptr)
    if (auto* options = dynamic_cast<TXLSOptions*>(GetObjectProp(owner, "Options")))
      format_->Assign(options->NoteFormat());
}

TxlsNote::~TxlsNote() = default;

void TxlsNote::Assign(TPersistent* Source) {
  if (auto* note = dynamic_cast<TxlsNote*>(Source)) {
    row_ = note->row_;
    col_ = note->col_;
    lines_->Assign(note->lines_.get());
    format_->Assign(note->format_.get());
    return;
  }
  inherited::Assign(Source);
}

TStrings* TxlsNote::Lines() const { return lines_.get(); }
void TxlsNote::SetLines(TStrings* Value) { lines_->Assign(Value); }

WideString TxlsNote::Text() const {
  WideString text = AnsiToWide(lines_->Text());
  // The list ends every line with a break; the last one is not part of the note.
  if (text.ends_with(u"\r\n"))
    text.resize(text.size() - 2);
  else if (!text.empty() && (text.back() == u'\n' || text.back() == u'\r'))
    text.pop_back();
  return text;
}

bool TxlsNote::IsValid() const { return col_ >= 1 && col_ <= 255 && row_ != 0 && !Text().empty(); }

TxlsAnchor TxlsNote::Anchor() const {
  // The box lies right of the cell and a little above it, moved back into the sheet where it
  // would pass its last column or row: readers leave out a note whose box lies outside.
  constexpr int kWidth = 2, kHeight = 5;
  const int col = std::min<int>(col_, biff8::MaxColumns - 1 - kWidth);
  const int row = std::min(row_ >= 3 ? row_ - 2 : 0, biff8::MaxRows - 1 - kHeight);
  TxlsAnchor anchor;
  anchor.Col1 = static_cast<std::uint16_t>(col);
  anchor.Col2 = static_cast<std::uint16_t>(col + kWidth);
  anchor.Row1 = static_cast<std::uint16_t>(row);
  anchor.Row2 = static_cast<std::uint16_t>(row + kHeight);
  return anchor;
}

TxlsNotes::TxlsNotes(TPersistent* AOwner) : TOwnedCollection(AOwner, CollectionItemClass<TxlsNote>()) {}

TxlsNote* TxlsNotes::Add() { return static_cast<TxlsNote*>(TCollection::Add()); }

TxlsNote* TxlsNotes::Items(int Index) const { return static_cast<TxlsNote*>(TCollection::Items(Index)); }
