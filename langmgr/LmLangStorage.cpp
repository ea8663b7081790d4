#include "LmLangStorage.h"

#include <algorithm>
#include <charconv>
#include <vector>

#include "CodePage.h"
#include "FileNames.h"
#include "FileRoutines.h"
#include "FindFile.h"
#include "Forms.h"
#include "LmCommon.h"
#include "LmExceptions.h"
#include "LmLangCollection.h"
#include "LmLangMgr.h"
#include "StringRoutines.h"
#include "TApplication.h"
#include "TFont.h"
#include "Updating.h"

DEFINE_CLASS(TLmCustomLangStorage, TLmComponent,
             Published::Class("Languages", &TLmCustomLangStorage::Languages, &TLmCustomLangStorage::SetLanguages),
             Published::Event("OnLanguageChanged", &TLmCustomLangStorage::OnLanguageChanged),
             Published::Event("OnLanguageChanging", &TLmCustomLangStorage::OnLanguageChanging))

DEFINE_CLASS(TLmCustomLangFileStorage, TLmCustomLangStorage,
             Published::WideString("LanguagePath", &TLmCustomLangFileStorage::LanguagePath,
                                   &TLmCustomLangFileStorage::SetLanguagePath),
             Published::Boolean("AutoDetect", &TLmCustomLangFileStorage::AutoDetect,
                                &TLmCustomLangFileStorage::SetAutoDetect),
             Published::Enum("StorageMode", {"smByFile", "smByDirectory"}, &TLmCustomLangFileStorage::StorageMode,
                             &TLmCustomLangFileStorage::SetStorageMode),
             Published::WideString("FileName", &TLmCustomLangFileStorage::FileName,
                                   &TLmCustomLangFileStorage::SetFileName))

namespace {

// The running program's file; empty before the application object exists.
WideString programFileName() { return Application != nullptr ? AnsiToWide(Application->ExeName()) : WideString(); }

bool designing(const TComponent* c) { return c->ComponentState().Contains(TComponentStateFlag::csDesigning); }

// A language id as the header writes it: decimal digits and nothing else ("$40C", " 1031" and
// "-1" are no ids); 0 for any other text or a number beyond 32 bits.
::LCID languageIdOf(const WideString& Text) {
  const AnsiString text = WideToAnsi(Text);
  ::LCID value = 0;
  const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value, 10);
  if (error != std::errc() || end != text.data() + text.size()) return 0;
  return value;
}

}  // namespace

// --- TLmCustomLangStorage ---

TLmCustomLangStorage::TLmCustomLangStorage(TComponent* AOwner)
    : TLmComponent(AOwner),
      font_(std::make_unique<TFont>()),
      languages_(std::make_unique<TLmLanguageCollection>(this)),
      lcid_(GetSystemDefaultLCID()) {
  if (TLmCustomLangManager* manager = CurrentLangManager(); manager != nullptr && manager->LanguageStorage() == nullptr)
    manager->SetLanguageStorage(this);
}

TLmCustomLangStorage::~TLmCustomLangStorage() = default;

void TLmCustomLangStorage::DescribeComponent(AnsiString&, AnsiString&, AnsiString&, AnsiString&) {}

void TLmCustomLangStorage::SetLanguages(TLmLanguageCollection* Value) { languages_->Assign(Value); }

int TLmCustomLangStorage::LanguageCount() const { return languages_->Count(); }

TLmLanguageItem* TLmCustomLangStorage::CurrentLanguage() const {
  if (currentLanguageIndex_ < 0 || currentLanguageIndex_ >= languages_->Count()) return nullptr;
  return languages_->Items(currentLanguageIndex_);
}

void TLmCustomLangStorage::SelectLanguage(int Index) {
  if (Index < 0 || Index >= LanguageCount()) return;
  bool allowChange = true;
  DoLanguageChanging(Index, allowChange);
  if (!allowChange) return;
  const int previous = currentLanguageIndex_;
  currentLanguageIndex_ = Index;
  bool loaded = false;
  try {
    loaded = LoadCurrentLanguage();
  } catch (...) {
    // Nothing was loaded: the storage must not claim the new language over the old strings.
    currentLanguageIndex_ = previous;
    throw;
  }
  if (!loaded) return;
  TFont defaultGuiFont;
  font_->Assign(&defaultGuiFont);
  ReadDefaultFont(font_.get());
  fontInited_ = true;
  DoLanguageChanged();
}

bool TLmCustomLangStorage::ReadDefaultFont(TFont* AFont) {
  WideString text;
  if (!GetString(u"!TranslationDefaultFont", text)) return false;
  StringToFont(text, AFont);
  return !text.empty();
}

void TLmCustomLangStorage::DoLanguageChanged() {
  if (OnLanguageChanged) OnLanguageChanged(this, currentLanguageIndex_);
}

void TLmCustomLangStorage::DoLanguageChanging(int Index, bool& AllowChange) {
  if (OnLanguageChanging) OnLanguageChanging(this, Index, AllowChange);
}

std::unique_ptr<ILangStringIterator> TLmCustomLangStorage::CreateIterator() { return nullptr; }

// --- TLmCustomLangFileStorage ---

TLmCustomLangFileStorage::TLmCustomLangFileStorage(TComponent* AOwner) : TLmCustomLangStorage(AOwner) {}

void TLmCustomLangFileStorage::UpdateEffectiveValues() {
  effectivePath_ = languagePath_;
  if (effectivePath_.empty() && !designing(this)) effectivePath_ = LmExtractFilePath(programFileName());
  effectiveFileName_ = fileName_;
  if (effectiveFileName_.empty() && !designing(this))
    effectiveFileName_ = LmChangeFileExt(LmExtractFileName(programFileName()), GetLanguageFileExt());
}

void TLmCustomLangFileStorage::SetLanguagePath(const WideString& Value) {
  const WideString path = Value.empty() ? Value : LmIncludeTrailingPathDelimiter(Value);
  if (path == languagePath_) return;
  languagePath_ = path;
  if (autoDetect_) {
    UpdateEffectiveValues();
    DetectLanguages();
  }
}

void TLmCustomLangFileStorage::SetAutoDetect(bool Value) {
  autoDetect_ = Value;
  if (autoDetect_) {
    UpdateEffectiveValues();
    DetectLanguages();
  }
}

void TLmCustomLangFileStorage::SetFileName(const WideString& Value) {
  fileName_ = Value;
  if (autoDetect_ && storageMode_ == smByDirectory) {
    UpdateEffectiveValues();
    DetectLanguages();
  }
}

void TLmCustomLangFileStorage::SetStorageMode(TLmStorageMode Value) {
  if (Value == storageMode_ && !ComponentState().Contains(TComponentStateFlag::csLoading)) return;
  storageMode_ = Value;
  UpdateEffectiveValues();
  DetectLanguages();
}

void TLmCustomLangFileStorage::Loaded() {
  inherited::Loaded();
  if (!designing(this)) {
    if (languagePath_.empty()) languagePath_ = LmExtractFilePath(programFileName());
    if (fileName_.empty()) fileName_ = LmChangeFileExt(LmExtractFileName(programFileName()), u"");
  }
  UpdateEffectiveValues();
}

WideString TLmCustomLangFileStorage::LanguageFolder() const {
  WideString folder = languagePath_;
  if (folder.empty() && designing(this)) folder = effectivePath_;
  return folder.empty() ? folder : LmIncludeTrailingPathDelimiter(folder);
}

WideString TLmCustomLangFileStorage::LanguageFileNameInDir() const {
  const WideString& name = fileName_.empty() ? effectiveFileName_ : fileName_;
  // Language files are text files: detection looks for ".txt" and loading reads the same file.
  return LmChangeFileExt(name, GetLanguageFileExt());
}

WideString TLmCustomLangFileStorage::GetLanguageFileExt() const { return u".txt"; }

WideString TLmCustomLangFileStorage::GetLanguageFileName() {
  const TLmLanguageItem* item = CurrentLanguage();
  if (item == nullptr) return {};
  if (storageMode_ == smByDirectory)
    return LmIncludeTrailingPathDelimiter(item->LanguageDirName()) + LanguageFileNameInDir();
  // Detection takes "*.txt" in any letter case: the file it found is the one to read, "ENGLISH.TXT"
  // as much as "English.txt", unless the item has been given another name since.
  const WideString& found = item->DetectedFileName();
  if (!found.empty() && LmChangeFileExt(found, u"") == item->LanguageFileName()) return found;
  return item->LanguageFileName() + GetLanguageFileExt();
}

TLmLanguageItem* TLmCustomLangFileStorage::AddLanguageItem(const WideString& FileName) {
  TLmLanguageItem* item = Languages()->Add();
  item->SetDetectedFileName(LmExtractFileName(FileName));
  item->SetLanguageFileName(LmChangeFileExt(item->DetectedFileName(), u""));
  return item;
}

void TLmCustomLangFileStorage::ReadLanguageHeader(TLmLanguageItem* Item,
                                                  const std::function<WideString(const WideString&)>& Header) {
  try {
    Item->SetLanguageID(languageIdOf(Header(u"!LanguageID")));
  } catch (const ELanguageStorageError&) {
    // not a system locale: the id stays 0 and the file is left out
  }
  if (Item->LanguageID() == 0) {
    SetCurrentLanguageIndex(-1);
    Languages()->Delete(Item->Index());
    return;
  }
  Item->SetLanguageName(Header(u"!LanguageName"));
  Item->SetAuthor(Header(u"!TranslationAuthor"));
  Item->SetAuthorEmail(Header(u"!TranslationAuthorEmail"));
  const WideString font = Header(u"!TranslationDefaultFont");
  if (!font.empty()) StringToFont(font, Item->DefaultFont());
}

void TLmCustomLangFileStorage::AddLanguageFile(const WideString& FileName) {
  TLmLanguageItem* item = AddLanguageItem(FileName);
  SelectLanguage(item->Index());
  ReadLanguageHeader(item, [this](const WideString& Key) {
    WideString value;
    GetString(Key, value);
    return value;
  });
}

void TLmCustomLangFileStorage::DetectLanguageFile(const WideString& FileName) {
  if (IsLanguageFile(FileName)) AddLanguageFile(FileName);
}

namespace {

// The entries of a folder matching a mask, sorted, so that the languages keep one order
// whatever the file system lists first.
std::vector<AnsiString> sortedEntries(const AnsiString& Mask, int Attr) {
  std::vector<AnsiString> names;
  TSearchRec found;
  if (FindFirst(Mask, Attr, found) == 0) {
    do {
      if (found.Name != "." && found.Name != "..") names.push_back(found.Name);
    } while (FindNext(found) == 0);
    FindClose(found);
  }
  std::sort(names.begin(), names.end(), [](const AnsiString& a, const AnsiString& b) { return CompareText(a, b) < 0; });
  return names;
}

}  // namespace

void TLmCustomLangFileStorage::DetectLanguages() {
  TLmLanguageCollection* languages = Languages();
  Updating(*languages, [&] {
    languages->Clear();
    SetCurrentLanguageIndex(-1);
    WideString folder = languagePath_;
    if (folder.empty()) folder = designing(this) ? effectivePath_ : LmExtractFilePath(programFileName());
    if (!folder.empty()) folder = LmIncludeTrailingPathDelimiter(folder);
    const AnsiString ansiFolder = WideToAnsi(folder);

    std::vector<WideString> candidates;
    if (storageMode_ == smByFile) {
      for (const AnsiString& name : sortedEntries(ansiFolder + "*" + WideToAnsi(GetLanguageFileExt()), faAnyFile))
        candidates.push_back(folder + AnsiToWide(name));
    } else if (!fileName_.empty()) {
      for (const AnsiString& name : sortedEntries(ansiFolder + "*", faDirectory)) {
        if (!DirectoryExists(ansiFolder + name)) continue;
        const WideString path =
            folder + AnsiToWide(name) + LmIncludeTrailingPathDelimiter(u"") + LanguageFileNameInDir();
        if (FileExists(WideToAnsi(path))) candidates.push_back(path);
      }
    }
    for (const WideString& path : candidates) {
      // A file that cannot be read (a folder named like a language file, a file without read
      // permission) is left out like a file that is no language file.
      try {
        DetectLanguageFile(path);
      } catch (const Exception&) {
      }
    }
  });
}
