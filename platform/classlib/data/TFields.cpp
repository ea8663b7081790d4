#include "TFields.h"

#include <algorithm>
#include <utility>

#include "DBConsts.h"
#include "Format.h"
#include "RTLConsts.h"
#include "StringRoutines.h"
#include "TBlobField.h"
#include "TBooleanField.h"
#include "TDataSet.h"
#include "TDateTimeField.h"
#include "TList.h"
#include "TNumericField.h"
#include "TStringField.h"

TField* TFields::Fields(int Index) const {
  if (Index < 0 || Index >= Count()) TList::Error(SListIndexError, Index);
  return fields_[static_cast<std::size_t>(Index)].get();
}

TField* TFields::FindField(const AnsiString& FieldName) const {
  for (const auto& field : fields_)
    if (SameText(field->FieldName(), FieldName)) return field.get();
  return nullptr;
}

TField* TFields::FieldByName(const AnsiString& FieldName) const {
  TField* field = FindField(FieldName);
  if (field == nullptr) {
    AnsiString message = Format(SFieldNotFound, {FieldName});
    if (dataSet_ != nullptr) dataSet_->DatabaseError(message);
    throw EDatabaseError(message);
  }
  return field;
}

int TFields::IndexOf(const TField* Field) const {
  auto it = std::find_if(fields_.begin(), fields_.end(), [Field](const auto& f) { return f.get() == Field; });
  return it == fields_.end() ? -1 : static_cast<int>(it - fields_.begin());
}

void TFields::Add(std::unique_ptr<TField> Field) { fields_.push_back(std::move(Field)); }

std::vector<std::unique_ptr<TField>> TFields::Release() { return std::exchange(fields_, {}); }

namespace {

template <class F>
std::unique_ptr<TField> make() {
  return std::make_unique<F>(nullptr);
}

}  // namespace

std::unique_ptr<TField> CreateField(const AnsiString& FieldName, TFieldType DataType) {
  std::unique_ptr<TField> field;
  switch (DataType) {
    case ftString: case ftFixedChar: field = make<TStringField>(); break;
    case ftWideString: case ftFixedWideChar: field = make<TWideStringField>(); break;
    case ftGuid: field = make<TGuidField>(); break;
    case ftSmallint: field = make<TSmallintField>(); break;
    case ftInteger: field = make<TIntegerField>(); break;
    case ftWord: field = make<TWordField>(); break;
    case ftAutoInc: field = make<TAutoIncField>(); break;
    case ftLargeint: field = make<TLargeintField>(); break;
    case ftFloat: field = make<TFloatField>(); break;
    case ftCurrency: field = make<TCurrencyField>(); break;
    case ftBCD: case ftFMTBcd: field = make<TBCDField>(); break;
    case ftDate: field = make<TDateField>(); break;
    case ftTime: field = make<TTimeField>(); break;
    case ftDateTime: field = make<TDateTimeField>(); break;
    case ftTimeStamp: field = make<TSQLTimeStampField>(); break;
    case ftBoolean: field = make<TBooleanField>(); break;
    case ftBlob: case ftBytes: case ftVarBytes: case ftGraphic: case ftTypedBinary: case ftParadoxOle:
    case ftDBaseOle: case ftOraBlob: field = make<TBlobField>(); break;
    case ftMemo: case ftFmtMemo: case ftOraClob: field = make<TMemoField>(); break;
    case ftWideMemo: field = make<TWideMemoField>(); break;
    default: throw EDatabaseError(Format(SFieldTypeUnsupported, {FieldName}));
  }
  // Types that share a field class (ftFixedChar with ftString ...) keep their own type.
  field->SetDataType(DataType);
  field->SetFieldName(FieldName);
  return field;
}
