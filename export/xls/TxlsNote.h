// TxlsNote: a comment on a cell (Col, Row counted from 1) with its text (Lines) and looks.
//
// Published (defaults): Row 0, Col 0, Lines (owned), Format (owned; when created, copied from
// the NoteFormat of the Options of the collection's owner). Written only when Col is 1 to 255,
// Row is not 0 and the text is not empty. Text is Lines joined with line breaks, without a
// trailing one. The note's box spans from its column two columns to the right and from two rows
// above its row (row 0 at the top of the sheet) five rows down.
//
// TxlsNotes: the notes of a sheet or exporter.
#pragma once

#include <cstdint>
#include <memory>

#include "MsoShapeRecords.h"
#include "TOwnedCollection.h"
#include "TxlsCustomItem.h"
#include "TxlsNoteFormat.h"

class TStrings;
class TStringList;

class TxlsNote : public TxlsCustomItem {
  DECLARE_CLASS(TxlsNote, TxlsCustomItem)

  explicit TxlsNote(TCollection* Collection = nullptr);
  ~TxlsNote() override;

  void Assign(TPersistent* Source) override;
  int ItemKind() const override { return 4; }
  bool IsValid() const;
  WideString Text() const;
  TxlsAnchor Anchor() const;

  std::uint16_t Row() const { return row_; }
  void SetRow(std::uint16_t Value) { row_ = Value; }
  std::uint16_t Col() const { return col_; }
  void SetCol(std::uint16_t Value) { col_ = Value; }
  TStrings* Lines() const;
  void SetLines(TStrings* Value);
  TxlsNoteFormat* Format() const { return format_.get(); }
  void SetFormat(TxlsNoteFormat* Value) { format_->Assign(Value); }

private:
  std::uint16_t row_ = 0;
  std::uint16_t col_ = 0;
  std::unique_ptr<TStringList> lines_;
  std::unique_ptr<TxlsNoteFormat> format_;
};

class TxlsNotes : public TOwnedCollection {
  DECLARE_CLASS(TxlsNotes, TOwnedCollection)

  explicit TxlsNotes(TPersistent* AOwner);
  TxlsNote* Add();
  TxlsNote* Items(int Index) const;
};
