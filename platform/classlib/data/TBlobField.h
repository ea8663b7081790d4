// Blob fields: TBlobField (ftBlob: raw bytes), TMemoField (ftMemo: text in the ANSI code page)
// and TWideMemoField (ftWideMemo: UTF-16 text).
//
// AsString gives a blob's bytes or a memo's text; Value gives them as a Variant string (wide
// for a wide memo). BlobSize is the number of bytes and SaveToStream writes them: a wide memo
// as UTF-16LE. DisplayText is "(BLOB)", "(MEMO)" or "(WIDEMEMO)", in lower case when the value
// is null. DataSize is 0: the value lives outside the record.
#pragma once

#include "TField.h"

class TStream;

class TBlobField : public TField {
  DECLARE_CLASS(TBlobField, TField)

  explicit TBlobField(TComponent* AOwner);
  bool IsBlob() const override { return true; }
  int BlobSize() const;
  void SaveToStream(TStream* Stream) const;
  // Raises EFCreateError when the file cannot be created.
  void SaveToFile(const AnsiString& FileName) const;

protected:
  // The bytes of the value as SaveToStream writes them.
  virtual AnsiString BlobBytes() const;
  TVarType HeldValueKind() const override { return varString; }
  Variant GetAsVariant() const override;
  AnsiString GetAsString() const override;
  AnsiString GetDisplayText() const override;
  // The text of DisplayText between the brackets.
  virtual const char* BlobKindName() const { return "BLOB"; }
};

class TMemoField : public TBlobField {
  DECLARE_CLASS(TMemoField, TBlobField)

  explicit TMemoField(TComponent* AOwner);

protected:
  const char* BlobKindName() const override { return "MEMO"; }
};

class TWideMemoField : public TBlobField {
  DECLARE_CLASS(TWideMemoField, TBlobField)

  explicit TWideMemoField(TComponent* AOwner);

protected:
  AnsiString BlobBytes() const override;
  TVarType HeldValueKind() const override { return varOleStr; }
  Variant GetAsVariant() const override;
  AnsiString GetAsString() const override;
  WideString GetAsWideString() const override;
  const char* BlobKindName() const override { return "WIDEMEMO"; }
};
