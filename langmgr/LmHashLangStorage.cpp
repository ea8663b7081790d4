#include "LmHashLangStorage.h"

#include "CodePage.h"
#include "LmCommon.h"
#include "LmExceptions.h"
#include "LmHashMap.h"
#include "LmWideStrings.h"
#include "TStringList.h"

DEFINE_CLASS(TLmCustomHashLangStorage, TLmCustomLangFileStorage,
             Published::Integer("ListLength", &TLmCustomHashLangStorage::ListLength,
                                &TLmCustomHashLangStorage::SetListLength),
             Published::Integer("IncSize", &TLmCustomHashLangStorage::IncSize, &TLmCustomHashLangStorage::SetIncSize),
             Published::Event("OnLoadFile", &TLmCustomHashLangStorage::OnLoadFile))

DEFINE_CLASS(TLmHashLangFileStorage, TLmCustomHashLangStorage)

namespace {

void splitLine(const WideString& line, WideString& key, WideString& value) {
  const std::size_t eq = line.find(u'=');
  if (eq == WideString::npos) {
    key.clear();
    value.clear();
  } else {
    key = line.substr(0, eq);
    value = line.substr(eq + 1);
  }
}

// A language file's first line begins with "!LanguageID", in that case.
bool isLanguageList(const TLmWideStringList& List) {
  return List.Count() > 0 && List.Get(0).compare(0, 11, u"!LanguageID") == 0;
}

}  // namespace

// --- TLmCustomHashLangStorage ---

TLmCustomHashLangStorage::TLmCustomHashLangStorage(TComponent* AOwner) : TLmCustomLangFileStorage(AOwner) {}

TLmCustomHashLangStorage::~TLmCustomHashLangStorage() = default;

void TLmCustomHashLangStorage::DescribeComponent(AnsiString& Name, AnsiString& Author, AnsiString& AuthorEmail,
                                                 AnsiString& Comment) {
  Describe("Hash TXT Language Storage Component", "Hash TXT Language Storage Component", Name, Author, AuthorEmail,
           Comment);
}

void TLmCustomHashLangStorage::SetListLength(int Value) {
  if (Value > 0) listLength_ = Value;
}

void TLmCustomHashLangStorage::SetIncSize(int Value) {
  if (Value <= 0) return;
  // The map refuses such a factor when a language is loaded, after the switch has begun.
  if (Value < 2) throw ELmHashException(LoadResString(&SHashIncrTooSmall));
  incSize_ = Value;
}

std::unique_ptr<TLmWideStrToWideStrHashMap> TLmCustomHashLangStorage::newMap() const {
  return std::make_unique<TLmWideStrToWideStrHashMap>(listLength_, incSize_);
}

void TLmCustomHashLangStorage::readFile(const WideString& FileName, TLmWideStringList* List) {
  if (OnLoadFile)
    OnLoadFile(this, FileName, List);
  else
    List->LoadFromFile(FileName);
}

void TLmCustomHashLangStorage::ResetStrings() { map_ = newMap(); }

bool TLmCustomHashLangStorage::GetString(const WideString& Name, WideString& Value) {
  if (!map_) return false;
  WideString stored;
  const bool found = map_->Find(Name, stored);
  Value = found ? LmExpandLineBreaks(stored) : WideString();
  return found;
}

void TLmCustomHashLangStorage::SetString(const WideString& Name, const WideString& Value) {
  if (!map_) return;
  map_->Delete(Name);
  map_->Add(Name, LmCollapseLineBreaks(Value));
}

void TLmCustomHashLangStorage::GetStringNames(TStrings* List) {
  List->Clear();
  if (map_) {
    WideString key, value;
    map_->StartEnum();
    while (map_->GetNext(key, value)) List->Add(WideToAnsi(key));
  }
  if (auto* sorted = dynamic_cast<TStringList*>(List)) sorted->Sort();
}

void TLmCustomHashLangStorage::ClearCurrentLanguage() {
  ResetStrings();
  SaveCurrentLanguage();
}

bool TLmCustomHashLangStorage::LoadCurrentLanguage() {
  // Filled aside and put in place at the end: a failure raised on the way keeps the strings
  // the storage had.
  std::unique_ptr<TLmWideStrToWideStrHashMap> map = newMap();
  TLmWideStringList list;
  try {
    readFile(LanguageFolder() + GetLanguageFileName(), &list);
  } catch (const std::exception&) {
    map_ = std::move(map);
    return false;  // the language stays empty; the switch goes on without its texts
  }
  WideString key, value;
  for (int i = 0; i < list.Count(); ++i) {
    splitLine(list.Get(i), key, value);
    map->Add(key, value);
  }
  map_ = std::move(map);
  return true;
}

void TLmCustomHashLangStorage::SaveCurrentLanguage() {
  if (!map_) return;
  TLmWideStringList list;
  WideString key, value;
  map_->StartEnum();
  while (map_->GetNext(key, value)) list.Add(key + u"=" + value);
  list.Sort();
  const WideString fileName = LanguageFolder() + GetLanguageFileName();
  const WideString folder = LmExtractFileDir(fileName);
  // A file in the current folder has nothing to create.
  if (!folder.empty() && !CreateDirTree(folder))
    throw ELanguageStorageError(LoadResString(&SCannotCreateDirectories) + WideToAnsi(folder));
  list.SaveToFile(fileName, teUtf8);
}

std::unique_ptr<ILangStringIterator> TLmCustomHashLangStorage::CreateIterator() {
  return std::make_unique<TLmHashStringIterator>(this);
}

WideString TLmCustomHashLangStorage::GetLanguageFileExt() const { return u".txt"; }

bool TLmCustomHashLangStorage::IsLanguageFile(const WideString& FileName) {
  TLmWideStringList list;
  readFile(FileName, &list);
  return isLanguageList(list);
}

void TLmCustomHashLangStorage::AddLanguageFile(const WideString& FileName) {
  // Read first: a file that cannot be read leaves no half-made language behind.
  TLmWideStringList list;
  readFile(FileName, &list);
  addLanguage(FileName, list);
}

void TLmCustomHashLangStorage::DetectLanguageFile(const WideString& FileName) {
  TLmWideStringList list;
  readFile(FileName, &list);
  if (isLanguageList(list)) addLanguage(FileName, list);
}

void TLmCustomHashLangStorage::addLanguage(const WideString& FileName, const TLmWideStringList& List) {
  ReadLanguageHeader(AddLanguageItem(FileName), [&List](const WideString& Key) { return List.Values(Key); });
}

// --- TLmHashStringIterator ---

void TLmHashStringIterator::StartIterate(const WideString& Prefix) {
  if (storage_ == nullptr) throw ELanguageStorageError(LoadResString(&SIteratorWithoutStorage));
  prefix_ = Prefix;
  key_.clear();
  value_.clear();
  eof_ = true;
  if (storage_->map_) {
    storage_->map_->StartEnum();
    advance();
  }
  isEmpty_ = eof_;
}

void TLmHashStringIterator::advance() {
  WideString key, value;
  while (storage_->map_->GetNext(key, value)) {
    if (key.compare(0, prefix_.size(), prefix_) == 0) {
      key_ = std::move(key);
      value_ = std::move(value);
      eof_ = false;
      return;
    }
  }
  key_.clear();
  value_.clear();
  eof_ = true;
}

void TLmHashStringIterator::Previous() { throw ELanguageStorageError(LoadResString(&SPreviousNotSupported)); }

void TLmHashStringIterator::Next() {
  if (storage_ == nullptr || !storage_->map_)
    eof_ = true;
  else
    advance();
}

void TLmHashStringIterator::EndIterate() {
  key_.clear();
  value_.clear();
}

void TLmHashStringIterator::GetCurrentKeyValue(WideString& Key, WideString& Value) {
  Key = key_;
  Value = value_;
}

void TLmHashStringIterator::GetCurrentString(WideString& Text) { Text = key_ + u"=" + value_; }
