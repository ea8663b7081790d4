// TWideStringList: an in-memory list of UTF-16 lines, for texts that must not pass through the
// ANSI code page (header and footer lines of exported files).
//
// Text joins the lines with CR LF, the last line included; setting it splits at CR LF, LF or
// CR. Assign copies another TWideStringList, or the lines of a TStrings converted from the
// ANSI code page; assigning a TWideStringList to a TStrings converts the other way.
//
// Errors: an index out of range raises EStringListError "List index out of bounds (n)".
#pragma once

#include <vector>

#include "TPersistent.h"

class TWideStringList : public TPersistent {
  DECLARE_CLASS(TWideStringList, TPersistent)

  TWideStringList() = default;

  int Add(const WideString& S);
  void Insert(int Index, const WideString& S);
  void Delete(int Index);
  void Clear();
  void Assign(TPersistent* Source) override;
  // The same lines in the same order.
  bool Equals(const TWideStringList& Other) const { return lines_ == Other.lines_; }

  int Count() const { return static_cast<int>(lines_.size()); }
  const WideString& Strings(int Index) const;
  void SetStrings(int Index, const WideString& S);

  WideString Text() const;
  void SetText(const WideString& Value);

protected:
  void AssignTo(TPersistent* Dest) override;

private:
  void checkIndex(int Index, int Limit) const;

  std::vector<WideString> lines_;
};
