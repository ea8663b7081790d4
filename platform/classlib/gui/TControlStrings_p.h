// Private to the GUI layer; may change without notice.
//
// The lines of a control (a combo box's or list box's items, a radio group's choices, a list
// item's sub-items): kept here with their objects, shown by the control, which is told of each
// change through the hooks. Inside BeginUpdate/EndUpdate the control is told once, at the end,
// that everything may have changed.
#pragma once

#include <vector>

#include "TStrings.h"

class TControlStrings : public TStrings {
  DECLARE_CLASS(TControlStrings, TStrings)
public:
  TControlStrings() = default;

  void Clear() override;
  void Delete(int Index) override;
  void Insert(int Index, const AnsiString& S) override;
  // Puts the lines, each with its object, in the order of the locale's collation without
  // regard to case (equal lines keep their order), as a sorted combo or list box shows them.
  void SortLines();
  // Adds S before the first line that sorts after it, as a sorted box's Add does.
  int AddSorted(const AnsiString& S);

protected:
  AnsiString Get(int Index) const override;
  int GetCount() const override;
  void Put(int Index, const AnsiString& S) override;
  TObject* GetObject(int Index) const override;
  void PutObject(int Index, TObject* AObject) override;
  void SetUpdateState(bool Updating) override;

  // What the control does with each change, when not inside an update.
  virtual void Inserted(int /*Index*/) { Reloaded(); }
  virtual void Deleted(int /*Index*/) { Reloaded(); }
  virtual void Changed(int /*Index*/) { Reloaded(); }
  // Everything may have changed (Clear, the end of an update).
  virtual void Reloaded() {}

  const std::vector<std::pair<AnsiString, TObject*>>& Entries() const { return lines_; }
  // Takes the lines the control shows after the user changed them (no hook is called).
  void TakeLines(const std::vector<AnsiString>& lines);

private:
  void checkIndex(int Index, int Limit) const;
  std::vector<std::pair<AnsiString, TObject*>> lines_;
};
