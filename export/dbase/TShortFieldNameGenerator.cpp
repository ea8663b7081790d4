#include "TShortFieldNameGenerator.h"

#include "CodePage.h"
#include "DbfFieldDescriptor.h"
#include "IntegerText.h"
#include "StringRoutines.h"

namespace {

AnsiString firstBytes(const AnsiString& name, std::size_t bytes) { return name.substr(0, WholeCharsPrefix(name, bytes)); }

}  // namespace

bool TShortFieldNameGenerator::TNameLess::operator()(const AnsiString& A, const AnsiString& B) const {
  return CompareText(A, B) < 0;
}

AnsiString TShortFieldNameGenerator::Generate(const AnsiString& Name) {
  const AnsiString base = firstBytes(Name, dbase::MaxFieldNameLength);
  auto given = names_.find(base);
  if (given == names_.end()) {
    names_.emplace(base, 0);
    return base;
  }
  for (;;) {
    const AnsiString suffix = "~" + IntToStr(++given->second);
    const std::size_t room = suffix.size() < dbase::MaxFieldNameLength ? dbase::MaxFieldNameLength - suffix.size() : 0;
    const AnsiString candidate = firstBytes(base, room) + suffix;
    if (names_.emplace(candidate, 0).second) return candidate;
  }
}
