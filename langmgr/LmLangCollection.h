// The languages a storage knows: one TLmLanguageItem per language file, in a
// TLmLanguageCollection owned by the storage.
//
// An item's identity is its Windows locale id (LanguageID). Setting the id fills the name,
// the abbreviation and the folder name from the system's locale list (and the file name when
// it is still empty); 0 clears them; an id that is no installed locale raises
// ELanguageStorageError "Invalid Language ID <id>" and changes nothing.
#pragma once

#include <memory>

#include "Locales.h"
#include "TOwnedCollection.h"

class TFont;

class TLmLanguageItem : public TCollectionItem {
  DECLARE_CLASS(TLmLanguageItem, TCollectionItem)

  explicit TLmLanguageItem(TCollection* Collection);
  ~TLmLanguageItem() override;

  // Copies the texts, the detected file and the id of another item (without checking the id);
  // not the font.
  void Assign(TPersistent* Source) override;
  // Calls OnChange when one is attached.
  virtual void NotifyChange();

  const WideString& LanguageName() const { return languageName_; }
  void SetLanguageName(const WideString& Value);
  const WideString& Author() const { return author_; }
  void SetAuthor(const WideString& Value);
  const WideString& AuthorEmail() const { return authorEmail_; }
  void SetAuthorEmail(const WideString& Value);
  const WideString& Abbreviation() const { return abbreviation_; }
  void SetAbbreviation(const WideString& Value);
  // The language file's name without folder and extension (one file per language).
  const WideString& LanguageFileName() const { return languageFileName_; }
  void SetLanguageFileName(const WideString& Value) { languageFileName_ = Value; }
  // The name, extension included, of the file detection found for the language, as the file
  // system spells it ("ENGLISH.TXT"); empty for an item not made by detection.
  const WideString& DetectedFileName() const { return detectedFileName_; }
  void SetDetectedFileName(const WideString& Value) { detectedFileName_ = Value; }
  // The language's folder (one folder per language).
  const WideString& LanguageDirName() const { return languageDirName_; }
  void SetLanguageDirName(const WideString& Value) { languageDirName_ = Value; }
  ::LCID LanguageID() const { return languageID_; }
  void SetLanguageID(::LCID Value);
  // Owned by the item; writing it copies the given font.
  TFont* DefaultFont() const { return defaultFont_.get(); }
  void SetDefaultFont(TFont* Value);

  TNotifyEvent OnChange;

private:
  WideString languageName_;
  WideString author_;
  WideString authorEmail_;
  WideString abbreviation_;
  WideString languageFileName_;
  WideString detectedFileName_;
  WideString languageDirName_;
  ::LCID languageID_ = 0;
  std::unique_ptr<TFont> defaultFont_;
};

class TLmLanguageCollection : public TOwnedCollection {
  DECLARE_CLASS(TLmLanguageCollection, TOwnedCollection)

  explicit TLmLanguageCollection(TPersistent* AOwner);

  TLmLanguageItem* Add();
  TLmLanguageItem* Items(int Index) const;
};
