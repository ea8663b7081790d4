#include "LmWideStrings.h"

#include <string>

#include "CodePage.h"
#include "Exception.h"
#include "LocaleText.h"
#include "QuickSort.h"
#include "RTLConsts.h"
#include "TFileStream.h"
#include "TList.h"
#include "TypInfo.h"

DEFINE_CLASS(TLmWideStringList, TPersistent)

namespace {

constexpr char kUtf8Mark[] = "\xEF\xBB\xBF";
constexpr char kUtf16Mark[] = "\xFF\xFE";

// The platform's comparison of two language-file lines, case ignored.
int compareText(const WideString& a, const WideString& b) { return WideCompareText(a, b); }

}  // namespace

TLmWideStringList::~TLmWideStringList() = default;

void TLmWideStringList::Assign(TPersistent* Source) {
  if (auto* list = dynamic_cast<TLmWideStringList*>(Source)) {
    if (list == this) return;
    Clear();
    AddStrings(list);
    return;
  }
  inherited::Assign(Source);
}

void TLmWideStringList::checkIndex(int Index) const {
  if (Index < 0 || Index >= GetCount()) TList::Error(SListIndexError, Index);
}

const WideString& TLmWideStringList::at(int Index) const {
  checkIndex(Index);
  return items_[static_cast<std::size_t>(Index)]->FString;
}

WideString TLmWideStringList::Get(int Index) const { return at(Index); }

int TLmWideStringList::GetCount() const { return static_cast<int>(items_.size()); }

WideString TLmWideStringList::GetTextStr() const {
  std::size_t size = 0;
  for (const auto& item : items_) size += item->FString.size() + 2;
  WideString text;
  text.reserve(size);
  for (const auto& item : items_) {
    text += item->FString;
    text += u"\r\n";
  }
  return text;
}

void TLmWideStringList::Put(int Index, const WideString& S) {
  checkIndex(Index);
  items_[static_cast<std::size_t>(Index)]->FString = S;
}

void TLmWideStringList::SetTextStr(const WideString& S) {
  Clear();
  const std::size_t end = std::min(S.find(u'\0'), S.size());
  std::size_t p = 0;
  while (p < end) {
    const std::size_t start = p;
    while (p < end && S[p] != u'\r' && S[p] != u'\n') ++p;
    Add(S.substr(start, p - start));
    if (p < end && S[p] == u'\r') ++p;
    if (p < end && S[p] == u'\n') ++p;
  }
}

int TLmWideStringList::Add(const WideString& S) {
  Insert(GetCount(), S);
  return GetCount() - 1;
}

void TLmWideStringList::AddStrings(const TLmWideStringList* Source) {
  const int n = Source->GetCount();  // fixed first, so adding a list to itself ends
  for (int i = 0; i < n; ++i) Add(Source->Get(i));
}

void TLmWideStringList::Clear() { items_.clear(); }

void TLmWideStringList::Delete(int Index) {
  checkIndex(Index);
  items_.erase(items_.begin() + Index);
}

void TLmWideStringList::Exchange(int Index1, int Index2) {
  checkIndex(Index1);
  checkIndex(Index2);
  std::swap(items_[static_cast<std::size_t>(Index1)], items_[static_cast<std::size_t>(Index2)]);
}

int TLmWideStringList::IndexOf(const WideString& S) const {
  for (int i = 0; i < GetCount(); ++i)
    if (compareText(at(i), S) == 0) return i;
  return -1;
}

void TLmWideStringList::Insert(int Index, const WideString& S) {
  if (Index < 0 || Index > GetCount()) TList::Error(SListIndexError, Index);
  items_.insert(items_.begin() + Index, std::make_unique<TLmWideStringItem>(TLmWideStringItem{S}));
}

void TLmWideStringList::LoadFromFile(const WideString& FileName) {
  TFileStream stream(WideToAnsi(FileName), fmOpenRead | fmShareDenyWrite);
  LoadFromStream(&stream);
}

void TLmWideStringList::LoadFromStream(TStream* Stream) {
  const std::int64_t start = Stream->Position();
  std::string bytes(static_cast<std::size_t>(Stream->Size() - start), '\0');
  Stream->ReadBuffer(bytes.data(), static_cast<std::int64_t>(bytes.size()));
  if (bytes.size() >= 3 && bytes.compare(0, 3, kUtf8Mark) == 0) {
    std::string_view utf8(bytes);
    utf8.remove_prefix(3);
    SetTextStr(Utf8ToWide(utf8.substr(0, utf8.find('\0'))));
  } else if (bytes.size() >= 2 && bytes.compare(0, 2, kUtf16Mark) == 0) {
    // An odd byte after the last whole code unit is ignored.
    const std::size_t units = (bytes.size() - 2) / 2;
    WideString text(units, u'\0');
    for (std::size_t i = 0; i < units; ++i) {
      const auto lo = static_cast<unsigned char>(bytes[2 + 2 * i]);
      const auto hi = static_cast<unsigned char>(bytes[3 + 2 * i]);
      text[i] = static_cast<char16_t>(lo | (hi << 8));
    }
    SetTextStr(text);
  } else {
    SetTextStr(AnsiToWide(bytes));
  }
}

void TLmWideStringList::SaveToFile(const WideString& FileName, int Encoding) {
  TFileStream stream(WideToAnsi(FileName), fmCreate);
  SaveToStream(&stream, Encoding);
}

void TLmWideStringList::SaveToStream(TStream* Stream, int Encoding) {
  const WideString text = GetTextStr();
  std::string bytes;
  switch (Encoding) {
    case teAnsi: bytes = WideToAnsi(text); break;
    case teUtf8: bytes = kUtf8Mark + WideToUtf8(text); break;
    case teUtf16LE:
      bytes = std::string(kUtf16Mark, 2);
      bytes.reserve(2 + text.size() * 2);
      for (char16_t c : text) {
        bytes.push_back(static_cast<char>(c & 0xFF));
        bytes.push_back(static_cast<char>(c >> 8));
      }
      break;
    default: return;
  }
  Stream->WriteBuffer(bytes.data(), static_cast<std::int64_t>(bytes.size()));
}

void TLmWideStringList::CustomSort(const TLmWideStringListSortCompare& Compare) {
  if (GetCount() > 1)
    quicksort::SortRange(0, GetCount() - 1, [&](int a, int b) { return Compare(this, a, b); },
                         [this](int a, int b) { Exchange(a, b); });
}

void TLmWideStringList::Sort() {
  CustomSort([](TLmWideStringList* list, int a, int b) { return compareText(list->at(a), list->at(b)); });
}

int TLmWideStringList::IndexOfName(const WideString& Name) const {
  for (int i = 0; i < GetCount(); ++i) {
    const WideString& line = at(i);
    const std::size_t eq = line.find(u'=');
    if (eq == WideString::npos) continue;
    // The name travels through the ANSI code page, as header names always have; "=" is never
    // part of a multi-byte character there, so splitting first gives the same result.
    const WideString name = AnsiToWide(WideToAnsi(std::u16string_view(line).substr(0, eq)));
    if (compareText(name, Name) == 0) return i;
  }
  return -1;
}

WideString TLmWideStringList::Values(const WideString& Name) const {
  const int i = IndexOfName(Name);
  if (i < 0) return {};
  const WideString& line = at(i);
  return Name.size() + 1 < line.size() ? line.substr(Name.size() + 1) : WideString();
}
