#include "TWideStringList.h"

#include "CodePage.h"
#include "Exception.h"
#include "Format.h"
#include "RTLConsts.h"
#include "TStrings.h"
#include "TypInfo.h"
#include "Updating.h"

DEFINE_CLASS(TWideStringList, TPersistent)

void TWideStringList::checkIndex(int Index, int Limit) const {
  if (Index < 0 || Index > Limit) throw EStringListError(Format(SListIndexError, {Index}));
}

int TWideStringList::Add(const WideString& S) {
  lines_.push_back(S);
  return Count() - 1;
}

void TWideStringList::Insert(int Index, const WideString& S) {
  checkIndex(Index, Count());
  lines_.insert(lines_.begin() + Index, S);
}

void TWideStringList::Delete(int Index) {
  checkIndex(Index, Count() - 1);
  lines_.erase(lines_.begin() + Index);
}

void TWideStringList::Clear() { lines_.clear(); }

const WideString& TWideStringList::Strings(int Index) const {
  checkIndex(Index, Count() - 1);
  return lines_[static_cast<std::size_t>(Index)];
}

void TWideStringList::SetStrings(int Index, const WideString& S) {
  checkIndex(Index, Count() - 1);
  lines_[static_cast<std::size_t>(Index)] = S;
}

WideString TWideStringList::Text() const {
  WideString text;
  for (const WideString& line : lines_) {
    text += line;
    text += u"\r\n";
  }
  return text;
}

void TWideStringList::SetText(const WideString& Value) {
  std::vector<WideString> lines;
  std::size_t p = 0;
  while (p < Value.size()) {
    const std::size_t start = p;
    while (p < Value.size() && Value[p] != u'\r' && Value[p] != u'\n') ++p;
    lines.push_back(Value.substr(start, p - start));
    if (p < Value.size() && Value[p] == u'\r') ++p;
    if (p < Value.size() && Value[p] == u'\n') ++p;
  }
  lines_ = std::move(lines);
}

void TWideStringList::Assign(TPersistent* Source) {
  if (auto* wide = dynamic_cast<TWideStringList*>(Source)) {
    if (wide != this) lines_ = wide->lines_;
    return;
  }
  if (auto* strings = dynamic_cast<TStrings*>(Source)) {
    std::vector<WideString> lines;
    for (int i = 0; i < strings->Count(); ++i) lines.push_back(AnsiToWide(strings->Strings(i)));
    lines_ = std::move(lines);
    return;
  }
  TPersistent::Assign(Source);
}

void TWideStringList::AssignTo(TPersistent* Dest) {
  if (auto* strings = dynamic_cast<TStrings*>(Dest)) {
    Updating(*strings, [&] {
      strings->Clear();
      for (const WideString& line : lines_) strings->Add(WideToAnsi(line));
    });
    return;
  }
  TPersistent::AssignTo(Dest);
}
