#include "DbFiles_p.h"

#include "FindFile.h"

AnsiString FindFileNamed(const AnsiString& Folder, const AnsiString& Name) {
  if (Name.empty() || Name.find_first_of("*?/") != AnsiString::npos) return {};
  TSearchRec found;
  if (FindFirst(Folder + Name, faAnyFile & ~faDirectory, found) != 0) return {};
  // The search matches without regard to case: a folder may hold "a.dbf" and "A.DBF" both.
  AnsiString first = found.Name;
  do
    if (found.Name == Name) return Name;
  while (FindNext(found) == 0);
  return first;
}
