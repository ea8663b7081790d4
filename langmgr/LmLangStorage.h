// Language storages: which languages exist, and the strings of the current one.
//
// TLmCustomLangStorage keeps the language collection, the current language's index (-1: none
// loaded) and its default font, and switches languages (SelectLanguage: OnLanguageChanging may
// veto, then the language is loaded and OnLanguageChanged raised). Where the strings live is
// left to descendants. TLmCustomLangFileStorage finds one language file per language in the
// folder LanguagePath (smByFile: "<LanguageFileName>.txt" there, the extension in any letter
// case; smByDirectory: "<LanguageDirName>/<FileName>" below it) and rebuilds the collection whenever the folder,
// the mode or the file name changes (AutoDetect), leaving no current language.
//
// A new storage becomes the LanguageStorage of the current language manager when that manager
// has none.
//
// String iterators (ILangStringIterator) walk a storage's key/value pairs whose keys begin with
// a prefix, forwards only; the caller owns the iterator and must not use it after the storage
// is freed.
#pragma once

#include <functional>
#include <memory>

#include "LmClasses.h"
#include "Locales.h"

class TFont;
class TStrings;
class TLmLanguageCollection;
class TLmLanguageItem;

using TLanguageChangeEvent = std::function<void(TObject* Sender, int Index)>;
using TLanguageChangingEvent = std::function<void(TObject* Sender, int Index, bool& AllowChange)>;

enum class TLmStorageMode { smByFile, smByDirectory };
using enum TLmStorageMode;

class ILangStringIterator {
public:
  static constexpr const char* IID = "{247CB225-2257-41C0-87F8-F43834E2966F}";

  virtual ~ILangStringIterator() = default;
  // Positions on the first pair whose key begins with Prefix ("" accepts every key).
  virtual void StartIterate(const WideString& Prefix) = 0;
  // Raises ELanguageStorageError SPreviousNotSupported.
  virtual void Previous() = 0;
  virtual void Next() = 0;
  virtual void EndIterate() = 0;
  // The current pair; the value as stored (line breaks still written as <BR>).
  virtual void GetCurrentKeyValue(WideString& Key, WideString& Value) = 0;
  // The current pair as "key=value".
  virtual void GetCurrentString(WideString& Text) = 0;
  virtual bool Eof() const = 0;
  // True when StartIterate found nothing.
  virtual bool IsEmpty() const = 0;
};

class TLmCustomLangStorage : public TLmComponent {
  DECLARE_CLASS(TLmCustomLangStorage, TLmComponent)

  explicit TLmCustomLangStorage(TComponent* AOwner);
  ~TLmCustomLangStorage() override;

  // Describes nothing: only concrete storages have an About box.
  void DescribeComponent(AnsiString& Name, AnsiString& Author, AnsiString& AuthorEmail, AnsiString& Comment) override;

  TLmLanguageCollection* Languages() const { return languages_.get(); }
  // Copies the items of the given collection.
  void SetLanguages(TLmLanguageCollection* Value);
  int LanguageCount() const;
  // -1 while no language is loaded.
  int CurrentLanguageIndex() const { return currentLanguageIndex_; }
  // The item at CurrentLanguageIndex, nullptr when there is none.
  TLmLanguageItem* CurrentLanguage() const;
  // The current language's default font (the desktop's until a language gives one).
  TFont* Font() const { return font_.get(); }
  // True once a language has been loaded.
  bool FontInited() const { return fontInited_; }
  // The system's default locale when the storage was made.
  ::LCID LCID() const { return lcid_; }

  // Makes the language at Index current: nothing for an index outside the collection or when
  // OnLanguageChanging vetoes; otherwise the index is taken and the language loaded, and only
  // when that succeeds the default font is read and OnLanguageChanged raised. A failure raised
  // while loading passes to the caller with the previous index back in place.
  void SelectLanguage(int Index);
  // Applies the language's "!TranslationDefaultFont" to Font; true when it has one.
  bool ReadDefaultFont(TFont* AFont);

  virtual void DoLanguageChanged();
  virtual void DoLanguageChanging(int Index, bool& AllowChange);
  // Rebuilds the collection; leaves no current language.
  virtual void DetectLanguages() = 0;
  // Empties the string table.
  virtual void ResetStrings() = 0;
  // The string of a key, line breaks as CR LF. False while nothing has been loaded.
  virtual bool GetString(const WideString& Name, WideString& Value) = 0;
  virtual void GetStringNames(TStrings* List) = 0;
  // Empties the string table and writes the emptied language back.
  virtual void ClearCurrentLanguage() = 0;
  // Reads the current language; false when it could not be read.
  virtual bool LoadCurrentLanguage() = 0;
  virtual void SaveCurrentLanguage() = 0;
  virtual void SetString(const WideString& Name, const WideString& Value) = 0;
  // nullptr when the storage cannot be iterated.
  virtual std::unique_ptr<ILangStringIterator> CreateIterator();

  TLanguageChangeEvent OnLanguageChanged;
  TLanguageChangingEvent OnLanguageChanging;

protected:
  void SetCurrentLanguageIndex(int Value) { currentLanguageIndex_ = Value; }

private:
  std::unique_ptr<TFont> font_;
  bool fontInited_ = false;
  std::unique_ptr<TLmLanguageCollection> languages_;
  int currentLanguageIndex_ = -1;
  ::LCID lcid_ = 0;
};

class TLmCustomLangFileStorage : public TLmCustomLangStorage {
  DECLARE_CLASS(TLmCustomLangFileStorage, TLmCustomLangStorage)

  explicit TLmCustomLangFileStorage(TComponent* AOwner);

  // The language folder, kept with a trailing delimiter when not empty.
  const WideString& LanguagePath() const { return languagePath_; }
  void SetLanguagePath(const WideString& Value);
  // Default True: detect again whenever the folder or the file name changes.
  bool AutoDetect() const { return autoDetect_; }
  void SetAutoDetect(bool Value);
  TLmStorageMode StorageMode() const { return storageMode_; }
  void SetStorageMode(TLmStorageMode Value);
  // The file name inside each language's folder (smByDirectory).
  const WideString& FileName() const { return fileName_; }
  void SetFileName(const WideString& Value);
  // LanguagePath and FileName, or at run time when empty the program's folder and the
  // program's file name with the extension ".txt".
  const WideString& EffectivePath() const { return effectivePath_; }
  const WideString& EffectiveFileName() const { return effectiveFileName_; }

  // Adds the language of a file found by detection. This default selects it and reads its
  // header through GetString.
  virtual void AddLanguageFile(const WideString& FileName);
  // The current language's file, relative to the language folder ("" when there is none).
  virtual WideString GetLanguageFileName();
  virtual WideString GetLanguageFileExt() const;
  virtual bool IsLanguageFile(const WideString& FileName) = 0;

  // Files that cannot be read are left out, like files that are no language files.
  void DetectLanguages() override;

protected:
  void Loaded() override;
  // One file found by detection: added when it is a language file. This default asks
  // IsLanguageFile, then AddLanguageFile.
  virtual void DetectLanguageFile(const WideString& FileName);
  // A new item for a language file, named after the file.
  TLmLanguageItem* AddLanguageItem(const WideString& FileName);
  // Completes an item from its language's header, Header giving a key's value ("" when
  // absent); an item without the id of a system locale is deleted again.
  void ReadLanguageHeader(TLmLanguageItem* Item, const std::function<WideString(const WideString&)>& Header);
  // The folder language files are read from and written to, with a trailing delimiter.
  WideString LanguageFolder() const;
  // The file name used inside each language's folder (smByDirectory).
  WideString LanguageFileNameInDir() const;
  void UpdateEffectiveValues();

private:
  WideString languagePath_;
  bool autoDetect_ = true;
  TLmStorageMode storageMode_ = smByFile;
  WideString fileName_;
  WideString effectivePath_;
  WideString effectiveFileName_;
};
