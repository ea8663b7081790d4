// TFieldDefs: the descriptions of a data set's columns (name, type, size, precision, scale,
// required), from which it creates its fields when it opens. A data set fills them from its
// source when it opens; a client data set can also be given them before CreateDataSet.
#pragma once

#include <vector>

#include "DbTypes.h"

using TFieldDef = TDbColumn;

class TFieldDefs {
public:
  int Count() const { return static_cast<int>(defs_.size()); }
  // Raises EListError for an index outside 0 .. Count-1.
  const TFieldDef& Items(int Index) const;
  const TFieldDef& operator[](int Index) const { return Items(Index); }
  const std::vector<TFieldDef>& Defs() const { return defs_; }

  void Add(const AnsiString& Name, TFieldType DataType, int Size = 0, bool Required = false);
  void Add(const TFieldDef& Def) { defs_.push_back(Def); }
  void Assign(std::vector<TFieldDef> Defs) { defs_ = std::move(Defs); }
  void Clear() { defs_.clear(); }
  // Position of the definition of that name (ASCII case ignored), -1 when there is none.
  int IndexOf(const AnsiString& Name) const;

private:
  std::vector<TFieldDef> defs_;
};
