// TLmHashLangFileStorage: the language storage of the program. It finds the language files of
// a folder, builds the language collection from their header lines and keeps the current
// language's strings in a hash map.
//
// Language file: one "key=value" per line, split at the first "=" (neither part trimmed; a
// line without "=" is the empty key); the later of two equal keys wins; keys keep their case.
// A line break inside a value is written <BR>. The first line must begin with "!LanguageID"
// (in that case). Header keys (matched without regard to case): "!LanguageID" (the locale id
// in decimal; a file whose id is 0, not a number or no system locale is left out),
// "!LanguageName", "!TranslationAuthor", "!TranslationAuthorEmail" and
// "!TranslationDefaultFont" (a font text, see LmCommon.h). Files are read as UTF-8 or UTF-16LE
// after their byte-order mark, or in the ANSI code page, and written as UTF-8 with the mark
// and CR LF line ends.
//
// A language file that cannot be read when switching gives an empty string table and no
// OnLanguageChanged; nothing is reported. Saving into a folder that cannot be created raises
// ELanguageStorageError SCannotCreateDirectories followed by the folder.
#pragma once

#include <functional>
#include <memory>

#include "LmLangStorage.h"

class TLmWideStringList;
class TLmWideStrToWideStrHashMap;

// Fills AList in place of reading AFileName.
using TLmHashLangLoadFile = std::function<void(TObject* Sender, const WideString& AFileName, TLmWideStringList* AList)>;

class TLmCustomHashLangStorage : public TLmCustomLangFileStorage {
  DECLARE_CLASS(TLmCustomHashLangStorage, TLmCustomLangFileStorage)

  explicit TLmCustomHashLangStorage(TComponent* AOwner);
  ~TLmCustomHashLangStorage() override;

  void DescribeComponent(AnsiString& Name, AnsiString& Author, AnsiString& AuthorEmail, AnsiString& Comment) override;

  // Initial table length of the string map (default 1024); values <= 0 are ignored.
  int ListLength() const { return listLength_; }
  void SetListLength(int Value);
  // Growth factor of the string map (default 2); values <= 0 are ignored, 1 (a table that
  // cannot grow) raises ELmHashException SHashIncrTooSmall.
  int IncSize() const { return incSize_; }
  void SetIncSize(int Value);

  void ResetStrings() override;
  bool GetString(const WideString& Name, WideString& Value) override;
  void GetStringNames(TStrings* List) override;
  void ClearCurrentLanguage() override;
  bool LoadCurrentLanguage() override;
  void SaveCurrentLanguage() override;
  void SetString(const WideString& Name, const WideString& Value) override;
  std::unique_ptr<ILangStringIterator> CreateIterator() override;
  void AddLanguageFile(const WideString& FileName) override;
  WideString GetLanguageFileExt() const override;
  bool IsLanguageFile(const WideString& FileName) override;

  TLmHashLangLoadFile OnLoadFile;

protected:
  // Reads the file once to tell whether it is a language file and to take its header.
  void DetectLanguageFile(const WideString& FileName) override;

private:
  friend class TLmHashStringIterator;

  void readFile(const WideString& FileName, TLmWideStringList* List);
  // Adds the language of a file already read into List.
  void addLanguage(const WideString& FileName, const TLmWideStringList& List);
  std::unique_ptr<TLmWideStrToWideStrHashMap> newMap() const;

  std::unique_ptr<TLmWideStrToWideStrHashMap> map_;  // nullptr until the first load
  int listLength_ = 1024;
  int incSize_ = 2;
};

class TLmHashLangFileStorage : public TLmCustomHashLangStorage {
  DECLARE_CLASS(TLmHashLangFileStorage, TLmCustomHashLangStorage)

  using TLmCustomHashLangStorage::TLmCustomHashLangStorage;
};

// Walks the storage's string map in table order (not sorted).
class TLmHashStringIterator : public ILangStringIterator {
public:
  explicit TLmHashStringIterator(TLmCustomHashLangStorage* Storage) : storage_(Storage) {}

  // Raises ELanguageStorageError SIteratorWithoutStorage without a storage.
  void StartIterate(const WideString& Prefix) override;
  void Previous() override;
  void Next() override;
  void EndIterate() override;
  void GetCurrentKeyValue(WideString& Key, WideString& Value) override;
  void GetCurrentString(WideString& Text) override;
  bool Eof() const override { return eof_; }
  bool IsEmpty() const override { return isEmpty_; }

private:
  void advance();

  TLmCustomHashLangStorage* storage_;
  bool eof_ = true;
  bool isEmpty_ = true;
  WideString prefix_;
  WideString key_;
  WideString value_;
};
