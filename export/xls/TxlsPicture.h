// TxlsPicture: a picture of the exporter's Pictures, which the images of its sheets show by
// Name.
//
// A new picture is named "Picture_0", "Picture_1" ... (the first not taken, ignoring case).
// Setting Name to "" raises Exception "A picture name cannot be empty", to a name another
// picture has (ignoring case) "A picture %s already exists"; the name then stays. Assign copies
// FileName (not Name). UseCount is the number of images, over all sheets of the exporter,
// that show the picture.
//
// TxlsPictures: the exporter's pictures; Find looks a name up ignoring case.
#pragma once

#include "TOwnedCollection.h"
#include "TxlsGraphic.h"

class TxlsPicture : public TxlsGraphic {
  DECLARE_CLASS(TxlsPicture, TxlsGraphic)

  explicit TxlsPicture(TCollection* Collection = nullptr);

  void Assign(TPersistent* Source) override;
  AnsiString DisplayName() const override;
  int ItemKind() const override { return 7; }
  int UseCount() const;

  const AnsiString& Name() const { return name_; }
  void SetName(const AnsiString& Value);

private:
  AnsiString name_;
};

class TxlsPictures : public TOwnedCollection {
  DECLARE_CLASS(TxlsPictures, TOwnedCollection)

  explicit TxlsPictures(TPersistent* AOwner);
  TxlsPicture* Add();
  TxlsPicture* Items(int Index) const;
  // True with the position when a picture has the name (ignoring case).
  bool Find(const AnsiString& Name, int& Index) const;
};
