#include "TxlsPicture.h"

#include "Format.h"
#include "LocaleText.h"
#include "TxlsImage.h"
#include "TypInfo.h"

DEFINE_CLASS(TxlsPicture, TxlsGraphic, Published::String("Name", &TxlsPicture::Name, &TxlsPicture::SetName))

DEFINE_CLASS(TxlsPictures, TOwnedCollection)

namespace {

bool nameTaken(const TCollection* pictures, const TxlsPicture* self, const AnsiString& name) {
  for (int i = 0; pictures != nullptr && i < pictures->Count(); ++i) {
    auto* other = static_cast<const TxlsPicture*>(pictures->Items(i));
    if (other != self && AnsiSameText(other->Name(), name)) return true;
  }
  return false;
}

}  // namespace

TxlsPicture::TxlsPicture(TCollection* Collection) : TxlsGraphic(Collection) {
  for (int i = 0;; ++i) {
    AnsiString name = Format("Picture_%d", {i});
    if (!nameTaken(Collection, this, name)) {
      name_ = std::move(name);
      break;
    }
  }
}

void TxlsPicture::Assign(TPersistent* Source) {
  if (auto* picture = dynamic_cast<TxlsPicture*>(Source)) {
    SetFileName(picture->FileName());
    return;
  }
  inherited::Assign(Source);
}

AnsiString TxlsPicture::DisplayName() const { return name_.empty() ? inherited::DisplayName() : name_; }

void TxlsPicture::SetName(const AnsiString& Value) {
  if (Value.empty()) throw Exception("A picture name cannot be empty");
  if (nameTaken(Collection(), this, Value)) throw Exception(Format("A picture %s already exists", {Value}));
  name_ = Value;
}

int TxlsPicture::UseCount() const {
  TPersistent* exporter = CollectionOwner();
  if (exporter == nullptr || GetPropInfo(exporter, "Pictures") == nullptr ||
      GetObjectProp(exporter, "Pictures") != Collection() || GetPropInfo(exporter, "Sheets") == nullptr)
    return 0;
  auto* sheets = dynamic_cast<TCollection*>(GetObjectProp(exporter, "Sheets"));
  int count = 0;
  for (int s = 0; sheets != nullptr && s < sheets->Count(); ++s) {
    TCollectionItem* sheet = sheets->Items(s);
    if (GetPropInfo(sheet, "Images") == nullptr) continue;
    auto* images = dynamic_cast<TxlsImages*>(GetObjectProp(sheet, "Images"));
    for (int i = 0; images != nullptr && i < images->Count(); ++i)
      if (AnsiSameText(images->Items(i)->PictureName(), name_)) ++count;
  }
  return count;
}

TxlsPictures::TxlsPictures(TPersistent* AOwner) : TOwnedCollection(AOwner, CollectionItemClass<TxlsPicture>()) {}

TxlsPicture* TxlsPictures::Add() { return static_cast<TxlsPicture*>(TCollection::Add()); }

TxlsPicture* TxlsPictures::Items(int Index) const { return static_cast<TxlsPicture*>(TCollection::Items(Index)); }

bool TxlsPictures::Find(const AnsiString& Name, int& Index) const {
  for (int i = 0; i < Count(); ++i)
    if (AnsiSameText(Items(i)->Name(), Name)) {
      Index = i;
      return true;
    }
  Index = -1;
  return false;
}
