#include "TParameters.h"

#include "StringRoutines.h"
#include "TypInfo.h"

DEFINE_CLASS(TParameter, TCollectionItem, Published::String("Name", &TParameter::Name, &TParameter::SetName),
             Published::Enum("DataType",
                             {"ftUnknown", "ftString", "ftSmallint", "ftInteger", "ftWord", "ftBoolean", "ftFloat",
                              "ftCurrency", "ftBCD", "ftDate", "ftTime", "ftDateTime", "ftBytes", "ftVarBytes",
                              "ftAutoInc", "ftBlob", "ftMemo", "ftGraphic", "ftFmtMemo", "ftParadoxOle", "ftDBaseOle",
                              "ftTypedBinary", "ftCursor", "ftFixedChar", "ftWideString", "ftLargeint", "ftADT",
                              "ftArray", "ftReference", "ftDataSet", "ftOraBlob", "ftOraClob", "ftVariant",
                              "ftInterface", "ftIDispatch", "ftGuid", "ftTimeStamp", "ftFMTBcd", "ftFixedWideChar",
                              "ftWideMemo"},
                             &TParameter::DataType, &TParameter::SetDataType))
DEFINE_CLASS(TParameters, TCollection)

TParameter::TParameter(TCollection* Collection) : TCollectionItem(Collection) {}

void TParameter::Assign(TPersistent* Source) {
  if (auto* other = dynamic_cast<TParameter*>(Source)) {
    name_ = other->name_;
    dataType_ = other->dataType_;
    value_ = other->value_;
    return;
  }
  inherited::Assign(Source);
}

TParameters::TParameters() : TCollection(CollectionItemClass<TParameter>()) {}

TParameter* TParameters::FindParam(const AnsiString& Name) const {
  for (int i = 0; i < Count(); ++i)
    if (SameText(Items(i)->Name(), Name)) return Items(i);
  return nullptr;
}

TParameter* TParameters::ParamByName(const AnsiString& Name) const {
  TParameter* param = FindParam(Name);
  if (param == nullptr) throw EDatabaseError("Parameter '" + Name + "' not found");
  return param;
}
