#include "TFieldDefs.h"

#include "RTLConsts.h"
#include "StringRoutines.h"
#include "TList.h"

const TFieldDef& TFieldDefs::Items(int Index) const {
  if (Index < 0 || Index >= Count()) TList::Error(SListIndexError, Index);
  return defs_[static_cast<std::size_t>(Index)];
}

void TFieldDefs::Add(const AnsiString& Name, TFieldType DataType, int Size, bool Required) {
  TFieldDef def;
  def.Name = Name;
  def.DataType = DataType;
  def.Size = Size;
  def.Required = Required;
  defs_.push_back(def);
}

int TFieldDefs::IndexOf(const AnsiString& Name) const {
  for (std::size_t i = 0; i < defs_.size(); ++i)
    if (SameText(defs_[i].Name, Name)) return static_cast<int>(i);
  return -1;
}
