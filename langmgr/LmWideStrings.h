// TLmWideStringList: the list of UTF-16 lines through which language files are read and
// written.
//
// Loading picks the encoding from the byte-order mark: EF BB BF is UTF-8, FF FE is UTF-16
// little-endian, anything else is text in the ANSI code page (a big-endian mark is not
// recognised). Saving writes one of the three (TLmTextEncoding); every line, the last one
// included, ends with CR LF. Comparisons that ignore case (IndexOf, IndexOfName, Sort) use the
// locale-aware WideCompareText.
//
// An index outside the list raises EListError "List index out of bounds (n)"; file and stream
// errors (EFOpenError, EReadError ...) pass to the caller unchanged.
#pragma once

#include <functional>
#include <memory>
#include <vector>

#include "TPersistent.h"

class TStream;

// Encodings of SaveToFile and SaveToStream; any other value writes nothing.
enum TLmTextEncoding : int {
  teAnsi = 0,     // the ANSI code page, no mark
  teUtf8 = 1,     // EF BB BF, then UTF-8
  teUtf16LE = 2,  // FF FE, then UTF-16 little-endian
};

// One line, allocated on its own.
struct TLmWideStringItem {
  WideString FString;
};

class TLmWideStringList;
// Compares the lines at two indexes: <0, 0 or >0.
using TLmWideStringListSortCompare = std::function<int(TLmWideStringList* List, int Index1, int Index2)>;

class TLmWideStringList : public TPersistent {
  DECLARE_CLASS(TLmWideStringList, TPersistent)

  TLmWideStringList() = default;
  ~TLmWideStringList() override;

  // Copies another TLmWideStringList; any other source raises EConvertError.
  void Assign(TPersistent* Source) override;

  virtual WideString Get(int Index) const;
  virtual int GetCount() const;
  // Every line followed by CR LF; empty for an empty list.
  virtual WideString GetTextStr() const;
  virtual void Put(int Index, const WideString& S);
  // Replaces the lines by those of S: a line ends at CR, LF or CR LF; a NUL ends the text.
  virtual void SetTextStr(const WideString& S);
  virtual int Add(const WideString& S);
  virtual void AddStrings(const TLmWideStringList* Source);
  virtual void Clear();
  virtual void Delete(int Index);
  virtual void Exchange(int Index1, int Index2);
  // First line equal to S ignoring case, or -1.
  virtual int IndexOf(const WideString& S) const;
  virtual void Insert(int Index, const WideString& S);
  virtual void LoadFromFile(const WideString& FileName);
  // Reads from the stream's position to its end.
  virtual void LoadFromStream(TStream* Stream);
  virtual void SaveToFile(const WideString& FileName, int Encoding);
  virtual void SaveToStream(TStream* Stream, int Encoding);
  // Quicksort with Compare; not stable.
  virtual void CustomSort(const TLmWideStringListSortCompare& Compare);
  // Sorts ignoring case.
  virtual void Sort();

  // The first name=value line whose name equals Name ignoring case, or -1.
  int IndexOfName(const WideString& Name) const;
  // The text after "Name=" on that line; empty when there is none.
  WideString Values(const WideString& Name) const;

  int Count() const { return GetCount(); }
  WideString Strings(int Index) const { return Get(Index); }

private:
  void checkIndex(int Index) const;
  const WideString& at(int Index) const;

  std::vector<std::unique_ptr<TLmWideStringItem>> items_;
};
