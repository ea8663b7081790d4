#include "TControlStrings_p.h"

#include <algorithm>

#include "LocaleText.h"
#include "RTLConsts.h"
#include "TypInfo.h"

DEFINE_CLASS(TControlStrings, TStrings)

void TControlStrings::checkIndex(int Index, int Limit) const {
  if (Index < 0 || Index > Limit) Error(SListIndexError, Index);
}

void TControlStrings::Clear() {
  if (lines_.empty()) return;
  lines_.clear();
  if (UpdateCount() == 0) Reloaded();
}

void TControlStrings::Delete(int Index) {
  checkIndex(Index, GetCount() - 1);
  lines_.erase(lines_.begin() + Index);
  if (UpdateCount() == 0) Deleted(Index);
}

void TControlStrings::Insert(int Index, const AnsiString& S) {
  checkIndex(Index, GetCount());
  lines_.insert(lines_.begin() + Index, {S, nullptr});
  if (UpdateCount() == 0) Inserted(Index);
}

AnsiString TControlStrings::Get(int Index) const {
  checkIndex(Index, GetCount() - 1);
  return lines_[static_cast<std::size_t>(Index)].first;
}

int TControlStrings::GetCount() const { return static_cast<int>(lines_.size()); }

void TControlStrings::Put(int Index, const AnsiString& S) {
  checkIndex(Index, GetCount() - 1);
  lines_[static_cast<std::size_t>(Index)].first = S;
  if (UpdateCount() == 0) Changed(Index);
}

TObject* TControlStrings::GetObject(int Index) const {
  checkIndex(Index, GetCount() - 1);
  return lines_[static_cast<std::size_t>(Index)].second;
}

void TControlStrings::PutObject(int Index, TObject* AObject) {
  checkIndex(Index, GetCount() - 1);
  lines_[static_cast<std::size_t>(Index)].second = AObject;
}

void TControlStrings::SetUpdateState(bool Updating) {
  if (!Updating) Reloaded();
}

void TControlStrings::SortLines() {
  if (lines_.size() < 2) return;
  std::stable_sort(lines_.begin(), lines_.end(),
                   [](const auto& a, const auto& b) { return AnsiCompareText(a.first, b.first) < 0; });
  Reloaded();
}

int TControlStrings::AddSorted(const AnsiString& S) {
  int at = 0;
  while (at < GetCount() && AnsiCompareText(lines_[static_cast<std::size_t>(at)].first, S) <= 0) ++at;
  Insert(at, S);
  return at;
}

void TControlStrings::TakeLines(const std::vector<AnsiString>& lines) {
  lines_.clear();
  for (const AnsiString& line : lines) lines_.emplace_back(line, nullptr);
}
