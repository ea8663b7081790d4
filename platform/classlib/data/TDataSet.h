// TDataSet: a table of records read through a cursor, one current record at a time.
//
//   ds->Open();                                   // or SetActive(true)
//   for (ds->First(); !ds->Eof(); ds->Next())
//     use(ds->FieldByName("NAME")->AsString());
//   ds->Close();
//
// Opening creates one field per column (Fields, FieldDefs) and makes the first record current;
// Eof is then true only for an empty data set. Next moves to the following record; past the
// last one Eof becomes true and the last record stays current. IsEmpty tells whether there is
// any record at all; RecordCount counts them (a data set that streams its records from a file
// may read the file to the end once to count them, and comes back to its record).
//
// Bookmarks: GetBookmark marks the current record (an empty bookmark when there is none),
// GotoBookmark makes that record current again, FreeBookmark empties the bookmark. A bookmark
// of another data set, or of an earlier opening of this one, raises EDatabaseError
// "Invalid bookmark"; an empty bookmark is ignored.
//
// Controls: data sources (TDataSource) link controls such as grids to the data set and are
// told of each change (opened, closed, moved). DisableControls holds these notices back until
// as many EnableControls have followed; the last EnableControls sends one change notice when
// anything happened meanwhile. Scanning a large data set between the two keeps the controls
// from following every record.
//
// Errors: EDatabaseError with the data set's name and ": " before the text when it has a name:
// "Cannot perform this operation on a closed dataset" for moving or reading a closed data set,
// "Field 'NAME' not found" from FieldByName.
#pragma once

#include <cstdint>
#include <memory>
#include <vector>

#include "TComponent.h"
#include "TFieldDefs.h"
#include "TFields.h"

class TDataSource;
class TStream;

// What a data set tells its data sources about.
enum TDataEvent {
  deDataSetChange,  // opened, given new data, or controls enabled again after changes
  deDataSetScroll,  // another record became current
  deUpdateState,    // opened or closed
};

// A mark of one record of one opening of a data set; a plain value that may be copied.
struct TBookmark {
  const void* DataSet = nullptr;
  std::uint64_t Opening = 0;
  std::int64_t Record = -1;

  bool Empty() const { return DataSet == nullptr; }
};

class TDataSet : public TComponent {
  DECLARE_CLASS(TDataSet, TComponent)

  explicit TDataSet(TComponent* AOwner);
  // A descendant must call Close in its own destructor, while its data still exists.
  ~TDataSet() override;

  bool Active() const { return active_; }
  void SetActive(bool Value);
  void Open() { SetActive(true); }
  void Close() { SetActive(false); }

  void First();
  void Next();
  bool Bof() const { return bof_; }
  bool Eof() const { return eof_; }
  bool IsEmpty() const;
  int RecordCount() const;
  // Number of the current record from 1; 0 when there is none.
  int RecNo() const;

  TBookmark GetBookmark() const;
  void GotoBookmark(const TBookmark& Bookmark);
  void FreeBookmark(TBookmark& Bookmark) const { Bookmark = TBookmark{}; }

  void DisableControls();
  void EnableControls();
  bool ControlsDisabled() const { return disableCount_ > 0; }

  TFields* Fields() const { return fields_.get(); }
  int FieldCount() const { return fields_->Count(); }
  TField* FieldByName(const AnsiString& FieldName) const { return fields_->FieldByName(FieldName); }
  TField* FindField(const AnsiString& FieldName) const { return fields_->FindField(FieldName); }
  TFieldDefs* FieldDefs() const { return fieldDefs_.get(); }

  // A stream over the current value of a blob or memo field (its bytes as the field's
  // SaveToStream writes them), positioned at its start; the caller owns it.
  std::unique_ptr<TStream> CreateBlobStream(TField* Field) const;

  // Raises EDatabaseError with Message, prefixed with the data set's name and ": " when it has
  // one.
  [[noreturn]] void DatabaseError(const AnsiString& Message) const;

protected:
  // The data behind the cursor. InternalOpen opens it and describes its columns in
  // FieldDefs (a data set whose definitions were given beforehand may keep them). The fetch
  // functions fill Row with one value per column and return true, or return false and leave
  // the position where it was: InternalFirst the first record, InternalNext the one after the
  // last fetched, InternalGoto record Index (from 0). InternalRecordCount counts the records and leaves the
  // position on the current record.
  virtual void InternalOpen() = 0;
  virtual void InternalClose() = 0;
  virtual bool InternalFirst(std::vector<Variant>& Row) = 0;
  virtual bool InternalNext(std::vector<Variant>& Row) = 0;
  virtual bool InternalGoto(std::int64_t Index, std::vector<Variant>& Row) = 0;
  virtual std::int64_t InternalRecordCount() = 0;

  void CheckActive() const;
  void CheckInactive() const;
  // Tells the data sources, or remembers the change while controls are disabled.
  void DataEvent(TDataEvent Event);
  // The values of the current record, one per field.
  const std::vector<Variant>& ActiveRecord() const { return row_; }

private:
  friend class TField;
  friend class TDataSource;
  friend class TDataSetProvider;

  void openCursor();
  void closeCursor();
  void createFields();
  void retireFields();
  const Variant& fieldData(const TField* Field) const;
  void addDataSource(TDataSource* Source);
  void removeDataSource(TDataSource* Source);

  bool active_ = false;
  bool bof_ = true;
  bool eof_ = true;
  bool hasRecord_ = false;
  std::int64_t recIndex_ = -1;
  // Counts openings, so that bookmarks of an earlier opening are refused.
  std::uint64_t opening_ = 0;
  int disableCount_ = 0;
  bool changedWhileDisabled_ = false;
  std::vector<Variant> row_;
  std::vector<Variant> fetch_;
  std::unique_ptr<TFields> fields_;
  // Fields of earlier openings: a caller may still hold one, which then reads as closed.
  std::vector<std::unique_ptr<TField>> retiredFields_;
  std::unique_ptr<TFieldDefs> fieldDefs_;
  std::vector<TDataSource*> dataSources_;
};
