#include "TBlobField.h"

#include "CodePage.h"
#include "StringRoutines.h"
#include "TFileStream.h"
#include "TypInfo.h"

DEFINE_CLASS(TBlobField, TField)
DEFINE_CLASS(TMemoField, TBlobField)
DEFINE_CLASS(TWideMemoField, TBlobField)

TBlobField::TBlobField(TComponent* AOwner) : TField(AOwner) { SetDataType(ftBlob); }

AnsiString TBlobField::BlobBytes() const { return GetAsString(); }

int TBlobField::BlobSize() const { return static_cast<int>(BlobBytes().size()); }

void TBlobField::SaveToStream(TStream* Stream) const {
  AnsiString bytes = BlobBytes();
  Stream->WriteBuffer(bytes.data(), static_cast<std::int64_t>(bytes.size()));
}

void TBlobField::SaveToFile(const AnsiString& FileName) const {
  TFileStream file(FileName, fmCreate);
  SaveToStream(&file);
}

Variant TBlobField::GetAsVariant() const {
  return ValueOfKind(HeldValueKind(), [this] { return GetAsString(); });
}

AnsiString TBlobField::GetAsString() const { return VarToStr(Data()); }

AnsiString TBlobField::GetDisplayText() const {
  AnsiString text = AnsiString("(") + BlobKindName() + ")";
  return IsNull() ? LowerCase(text) : text;
}

TMemoField::TMemoField(TComponent* AOwner) : TBlobField(AOwner) { SetDataType(ftMemo); }

TWideMemoField::TWideMemoField(TComponent* AOwner) : TBlobField(AOwner) { SetDataType(ftWideMemo); }

AnsiString TWideMemoField::BlobBytes() const {
  WideString text = GetAsWideString();
  AnsiString bytes;
  bytes.reserve(text.size() * 2);
  for (char16_t c : text) {
    bytes.push_back(static_cast<char>(c & 0xFF));
    bytes.push_back(static_cast<char>(c >> 8));
  }
  return bytes;
}

Variant TWideMemoField::GetAsVariant() const {
  return ValueOfKind(HeldValueKind(), [this] { return GetAsWideString(); });
}

AnsiString TWideMemoField::GetAsString() const { return WideToAnsi(GetAsWideString()); }

WideString TWideMemoField::GetAsWideString() const { return VarToWideStr(Data()); }
