#include "LmLangCollection.h"

#include "CodePage.h"
#include "Format.h"
#include "LmExceptions.h"
#include "LmLangUtils.h"
#include "TFont.h"
#include "TypInfo.h"

DEFINE_CLASS(TLmLanguageItem, TCollectionItem,
             Published::WideString("LanguageName", &TLmLanguageItem::LanguageName, &TLmLanguageItem::SetLanguageName),
             Published::WideString("Author", &TLmLanguageItem::Author, &TLmLanguageItem::SetAuthor),
             Published::WideString("AuthorEmail", &TLmLanguageItem::AuthorEmail, &TLmLanguageItem::SetAuthorEmail),
             Published::WideString("Abbreviation", &TLmLanguageItem::Abbreviation, &TLmLanguageItem::SetAbbreviation),
             Published::WideString("LanguageFileName", &TLmLanguageItem::LanguageFileName,
                                   &TLmLanguageItem::SetLanguageFileName),
             Published::WideString("LanguageDirName", &TLmLanguageItem::LanguageDirName,
                                   &TLmLanguageItem::SetLanguageDirName),
             Published::Integer("LanguageID", &TLmLanguageItem::LanguageID, &TLmLanguageItem::SetLanguageID),
             Published::Class("DefaultFont", &TLmLanguageItem::DefaultFont, &TLmLanguageItem::SetDefaultFont))

DEFINE_CLASS(TLmLanguageCollection, TOwnedCollection)

// --- TLmLanguageItem ---

TLmLanguageItem::TLmLanguageItem(TCollection* Collection)
    : TCollectionItem(Collection), defaultFont_(std::make_unique<TFont>()) {}

TLmLanguageItem::~TLmLanguageItem() = default;

void TLmLanguageItem::Assign(TPersistent* Source) {
  if (auto* item = dynamic_cast<TLmLanguageItem*>(Source)) {
    languageName_ = item->languageName_;
    author_ = item->author_;
    authorEmail_ = item->authorEmail_;
    abbreviation_ = item->abbreviation_;
    languageFileName_ = item->languageFileName_;
    detectedFileName_ = item->detectedFileName_;
    languageDirName_ = item->languageDirName_;
    languageID_ = item->languageID_;
    return;
  }
  inherited::Assign(Source);
}

void TLmLanguageItem::NotifyChange() {
  if (OnChange) OnChange(this);
}

void TLmLanguageItem::SetLanguageName(const WideString& Value) {
  if (Value != languageName_) languageName_ = Value;
}

void TLmLanguageItem::SetAuthor(const WideString& Value) {
  if (Value != author_) author_ = Value;
}

void TLmLanguageItem::SetAuthorEmail(const WideString& Value) {
  if (Value != authorEmail_) authorEmail_ = Value;
}

void TLmLanguageItem::SetAbbreviation(const WideString& Value) {
  if (Value != abbreviation_) abbreviation_ = Value;
}

void TLmLanguageItem::SetLanguageID(::LCID Value) {
  if (Value == languageID_) return;
  if (Value == 0) {
    languageID_ = 0;
    languageName_.clear();
    abbreviation_.clear();
    languageFileName_.clear();
    languageDirName_.clear();
    NotifyChange();
    return;
  }
  if (!IsValidLanguageID(Value))
    throw ELanguageStorageError(Format(LoadResString(&SInvalidLanguageID), {static_cast<std::int64_t>(Value)}));
  TLmLanguages* languages = SystemLanguages();
  languageID_ = Value;
  languageName_ = AnsiToWide(languages->NameFromLanguageID(Value));
  abbreviation_ = AnsiToWide(languages->Abbreviation(languages->IndexOfLanguageID(Value)));
  if (languageFileName_.empty()) languageFileName_ = abbreviation_;
  languageDirName_ = AnsiToWide(std::to_string(Value));
  NotifyChange();
}

void TLmLanguageItem::SetDefaultFont(TFont* Value) { defaultFont_->Assign(Value); }

// --- TLmLanguageCollection ---

TLmLanguageCollection::TLmLanguageCollection(TPersistent* AOwner)
    : TOwnedCollection(AOwner, CollectionItemClass<TLmLanguageItem>()) {}

TLmLanguageItem* TLmLanguageCollection::Add() { return static_cast<TLmLanguageItem*>(TOwnedCollection::Add()); }

TLmLanguageItem* TLmLanguageCollection::Items(int Index) const {
  return static_cast<TLmLanguageItem*>(TOwnedCollection::Items(Index));
}
