#include "DbaseSource.h"

#include "DbError.h"
#include "DbFiles_p.h"
#include "DbaseCursor_p.h"
#include "FileNames.h"
#include "FileRoutines.h"
#include "FindFile.h"
#include "StringRoutines.h"
#include "TFileStream.h"

namespace {

// The memo file's name that goes with a table's: its extension ".dbt" in the case of the
// table's ".dbf" ("a.DBF" goes with "a.DBT").
AnsiString memoNameOf(const AnsiString& TableName) {
  AnsiString name = TableName;
  char& last = name.back();
  last = last == 'F' ? 'T' : 't';
  return name;
}

class TDbaseSource : public TDbSource {
public:
  explicit TDbaseSource(AnsiString Folder) : folder_(std::move(Folder)) {}

  std::vector<AnsiString> TableNames() override {
    std::vector<AnsiString> names;
    TSearchRec found;
    if (FindFirst(folder_ + "*.dbf", faAnyFile & ~faDirectory, found) == 0) {
      do names.push_back(found.Name);
      while (FindNext(found) == 0);
    }
    return names;
  }

  std::unique_ptr<TDbCursor> OpenTable(const AnsiString& Name) override {
    AnsiString name = Name;
    if (!SameText(ExtractFileExt(name), ".dbf")) name += ".dbf";
    const AnsiString found = FindFileNamed(folder_, name);
    if (found.empty()) RaiseDbError(folder_ + Name, "no such dBASE table");
    return openTableFile(found);
  }

private:
  std::unique_ptr<TDbCursor> openTableFile(const AnsiString& Name) const {
    const AnsiString fileName = folder_ + Name;
    std::unique_ptr<TStream> table;
    std::unique_ptr<TStream> memo;
    AnsiString memoName = FindFileNamed(folder_, memoNameOf(Name));
    try {
      table = std::make_unique<TFileStream>(fileName, fmOpenRead | fmShareDenyNone);
      if (!memoName.empty()) {
        memoName = folder_ + memoName;
        memo = std::make_unique<TFileStream>(memoName, fmOpenRead | fmShareDenyNone);
      }
    } catch (const EStreamError& e) {
      RaiseDbError(fileName, e.Message());
    }
    return OpenDbaseTable(std::move(table), std::move(memo), fileName, memoName);
  }

  AnsiString folder_;
};

}  // namespace

std::unique_ptr<TDbSource> OpenDbaseSource(const AnsiString& Folder) {
  if (Folder.empty() || !DirectoryExists(Folder)) RaiseDbError(Folder, "no such folder");
  return std::make_unique<TDbaseSource>(IncludeTrailingPathDelimiter(Folder));
}

std::unique_ptr<TDbCursor> OpenDbaseTable(std::unique_ptr<TStream> Table, std::unique_ptr<TStream> Memo,
                                          const AnsiString& FileName, const AnsiString& MemoFileName) {
  try {
    return std::make_unique<TDbaseCursor>(std::move(Table), std::move(Memo), FileName,
                                          MemoFileName.empty() ? ChangeFileExt(FileName, ".dbt") : MemoFileName);
  } catch (const EStreamError& e) {
    RaiseDbError(FileName, e.Message());
  }
}
