#include "TStrings.h"

#include "AnsiChars_p.h"
#include "Exception.h"
#include "Format.h"
#include "LocaleText.h"
#include "StringRoutines.h"
#include "TFileStream.h"
#include "TypInfo.h"
#include "Updating.h"

DEFINE_CLASS(TStrings, TPersistent)

namespace {

bool isBlank(char c) { return static_cast<unsigned char>(c) <= ' '; }

// True when the line must be quoted to come back whole from DelimitedText.
bool needsQuotes(std::string_view s, char delimiter, char quote) {
  ansichars::TCharLengths chars;
  for (std::size_t i = 0; i < s.size();) {
    std::size_t n = chars.At(s, i);
    if (n == 1 && (isBlank(s[i]) || s[i] == delimiter || s[i] == quote)) return true;
    i += n;
  }
  return false;
}

}  // namespace

int TStrings::Add(const AnsiString& S) {
  int index = GetCount();
  Insert(index, S);
  return index;
}

int TStrings::AddObject(const AnsiString& S, TObject* AObject) {
  int index = Add(S);
  PutObject(index, AObject);
  return index;
}

void TStrings::AddStrings(TStrings* Strings) {
  if (Strings == nullptr) return;
  Updating(*this, [&] {
    // Count is read once: adding a list to itself doubles it instead of running forever.
    int n = Strings->Count();
    for (int i = 0; i < n; ++i) AddObject(Strings->Get(i), Strings->GetObject(i));
  });
}

void TStrings::Assign(TPersistent* Source) {
  if (auto* source = dynamic_cast<TStrings*>(Source)) {
    if (source == this) return;
    Updating(*this, [&] {
      Clear();
      delimiter_ = source->delimiter_;
      quoteChar_ = source->quoteChar_;
      nameValueSeparator_ = source->nameValueSeparator_;
      AddStrings(source);
    });
    return;
  }
  TPersistent::Assign(Source);
}

void TStrings::Exchange(int Index1, int Index2) {
  Updating(*this, [&] {
    TObject* object1 = GetObject(Index1);
    AnsiString string1 = Get(Index1);
    Put(Index1, Get(Index2));
    PutObject(Index1, GetObject(Index2));
    Put(Index2, string1);
    PutObject(Index2, object1);
  });
}

void TStrings::InsertObject(int Index, const AnsiString& S, TObject* AObject) {
  Insert(Index, S);
  PutObject(Index, AObject);
}

void TStrings::Move(int CurIndex, int NewIndex) {
  if (CurIndex == NewIndex) return;
  Updating(*this, [&] {
    AnsiString s = Get(CurIndex);
    TObject* object = GetObject(CurIndex);
    Delete(CurIndex);
    InsertObject(NewIndex, s, object);
  });
}

bool TStrings::Equals(const TStrings& Strings) const {
  int n = GetCount();
  if (n != Strings.GetCount()) return false;
  for (int i = 0; i < n; ++i)
    if (Get(i) != Strings.Get(i)) return false;
  return true;
}

int TStrings::IndexOf(const AnsiString& S) const {
  int n = GetCount();
  for (int i = 0; i < n; ++i)
    if (CompareStrings(Get(i), S) == 0) return i;
  return -1;
}

int TStrings::IndexOfName(const AnsiString& Name) const {
  int n = GetCount();
  for (int i = 0; i < n; ++i) {
    AnsiString s = Get(i);
    std::size_t at = separatorAt(s);
    if (at != std::string_view::npos && CompareStrings(s.substr(0, at), Name) == 0) return i;
  }
  return -1;
}

int TStrings::IndexOfObject(const TObject* AObject) const {
  int n = GetCount();
  for (int i = 0; i < n; ++i)
    if (GetObject(i) == AObject) return i;
  return -1;
}

void TStrings::BeginUpdate() {
  if (updateCount_ == 0) SetUpdateState(true);
  ++updateCount_;
}

void TStrings::EndUpdate() {
  if (updateCount_ == 0) return;
  if (--updateCount_ == 0) SetUpdateState(false);
}

void TStrings::LoadFromFile(const AnsiString& FileName) {
  TFileStream stream(FileName, fmOpenRead | fmShareDenyWrite);
  LoadFromStream(&stream);
}

void TStrings::LoadFromStream(TStream* Stream) {
  // The whole text is read before the list changes, so a read error leaves it as it was.
  const std::int64_t left = Stream->Size() - Stream->Position();
  AnsiString bytes(static_cast<std::size_t>(left > 0 ? left : 0), '\0');
  Stream->ReadBuffer(bytes.data(), static_cast<std::int64_t>(bytes.size()));
  Updating(*this, [&] { SetTextStr(bytes); });
}

void TStrings::SaveToFile(const AnsiString& FileName) const {
  TFileStream stream(FileName, fmCreate);
  SaveToStream(&stream);
}

void TStrings::SaveToStream(TStream* Stream) const {
  AnsiString text = GetTextStr();
  Stream->WriteBuffer(text.data(), static_cast<std::int64_t>(text.size()));
}

AnsiString TStrings::delimitedText(char delimiter, char quote) const {
  int n = GetCount();
  if (n == 1 && Get(0).empty()) return AnsiString(2, quote);
  AnsiString out;
  for (int i = 0; i < n; ++i) {
    if (i > 0) out += delimiter;
    AnsiString s = Get(i);
    out += needsQuotes(s, delimiter, quote) ? AnsiQuotedStr(s, quote) : s;
  }
  return out;
}

void TStrings::setDelimitedText(const AnsiString& value, char delimiter, char quote) {
  ansichars::TCharLengths chars;
  std::size_t p = 0;
  const std::size_t end = value.size();
  auto skipBlanks = [&] {
    while (p < end && isBlank(value[p])) ++p;
  };
  Updating(*this, [&] {
    Clear();
    skipBlanks();
    while (p < end) {
      if (value[p] == quote) {
        Add(AnsiExtractQuotedStr(value, p, quote));
      } else {
        std::size_t start = p;
        while (p < end && !isBlank(value[p]) && value[p] != delimiter)
          p += chars.At(value, p);
        Add(value.substr(start, p - start));
      }
      skipBlanks();
      if (p < end && value[p] == delimiter) {
        // A delimiter at the very end stands for one more, empty, item.
        if (p + 1 == end) Add(AnsiString());
        ++p;
        skipBlanks();
      }
    }
  });
}

AnsiString TStrings::DelimitedText() const { return delimitedText(delimiter_, quoteChar_); }
void TStrings::SetDelimitedText(const AnsiString& Value) { setDelimitedText(Value, delimiter_, quoteChar_); }
AnsiString TStrings::CommaText() const { return delimitedText(',', '"'); }
void TStrings::SetCommaText(const AnsiString& Value) { setDelimitedText(Value, ',', '"'); }

std::size_t TStrings::separatorAt(std::string_view S) const {
  int pos = AnsiPos(std::string_view(&nameValueSeparator_, 1), S);
  return pos == 0 ? std::string_view::npos : static_cast<std::size_t>(pos - 1);
}

AnsiString TStrings::ExtractName(const AnsiString& S) const {
  std::size_t at = separatorAt(S);
  return at == std::string_view::npos ? AnsiString() : S.substr(0, at);
}

AnsiString TStrings::Names(int Index) const { return ExtractName(Get(Index)); }

AnsiString TStrings::Values(const AnsiString& Name) const {
  int i = IndexOfName(Name);
  return i < 0 ? AnsiString() : ValueFromIndex(i);
}

void TStrings::SetValues(const AnsiString& Name, const AnsiString& Value) {
  int i = IndexOfName(Name);
  AnsiString line = Name + nameValueSeparator_ + Value;
  if (!Value.empty()) {
    if (i < 0)
      Add(line);
    else
      Put(i, line);
  } else if (i >= 0) {
    Delete(i);
  }
}

AnsiString TStrings::ValueFromIndex(int Index) const {
  AnsiString s = Get(Index);
  std::size_t at = separatorAt(s);
  return at == std::string_view::npos ? AnsiString() : s.substr(at + 1);
}

void TStrings::SetValueFromIndex(int Index, const AnsiString& Value) {
  if (!Value.empty()) {
    if (Index < 0) Index = Add(AnsiString());
    Put(Index, Names(Index) + nameValueSeparator_ + Value);
  } else if (Index >= 0) {
    Delete(Index);
  }
}

void TStrings::SetCapacity(int) {}

TObject* TStrings::GetObject(int) const { return nullptr; }

void TStrings::Put(int Index, const AnsiString& S) {
  TObject* object = GetObject(Index);
  Delete(Index);
  InsertObject(Index, S, object);
}

void TStrings::PutObject(int, TObject*) {}

int TStrings::GetCapacity() const { return GetCount(); }

AnsiString TStrings::GetTextStr() const {
  int n = GetCount();
  AnsiString out;
  for (int i = 0; i < n; ++i) {
    out += Get(i);
    out += "\r\n";
  }
  return out;
}

void TStrings::SetTextStr(const AnsiString& Value) {
  Updating(*this, [&] {
    Clear();
    std::size_t p = 0;
    const std::size_t end = Value.size();
    while (p < end) {
      std::size_t start = p;
      while (p < end && Value[p] != '\r' && Value[p] != '\n') ++p;
      Add(Value.substr(start, p - start));
      if (p < end && Value[p] == '\r') ++p;
      if (p < end && Value[p] == '\n') ++p;
    }
  });
}

void TStrings::SetUpdateState(bool) {}

int TStrings::CompareStrings(const AnsiString& S1, const AnsiString& S2) const { return AnsiCompareText(S1, S2); }

void TStrings::Error(const char* Msg, int Data) const { throw EStringListError(Format(Msg, {Data})); }
