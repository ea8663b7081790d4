#include "TObject.h"

#include "TypInfo.h"

const TClassInfo& TObject::StaticClass() {
  static const TClassInfo info("TObject", nullptr, {});
  return info;
}

const TClassInfo& TObject::ClassType() const { return StaticClass(); }

const AnsiString& TObject::ClassName() const { return ClassType().ClassName(); }

bool TObject::InheritsFrom(const TClassInfo& cls) const { return ClassType().InheritsFrom(cls); }
