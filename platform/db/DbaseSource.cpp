#include "DbaseSource.h"

#include "DbError.h"
#include "DbaseCursor_p.h"
#include "FileNames.h"
#include "FileRoutines.h"
#include "FindFile.h"
#include "StringRoutines.h"
#include "TFileStream.h"

namespace {

// The file in Folder whose name matches Name without regard to case; "" when there is none.
AnsiString findFile(const AnsiString& Folder, const AnsiString& Name) {
  TSearchRec found;
  if (FindFirst(Folder + Name, faAnyFile & ~faDirectory, found) != 0) return {};
  return Folder + found.Name;
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
    const AnsiString fileName = name.find_first_of("*?/") == AnsiString::npos ? findFile(folder_, name) : "";
    if (fileName.empty()) RaiseDbError(folder_ + Name, "no such dBASE table");
    return openTableFile(fileName);
  }

private:
  static std::unique_ptr<TDbCursor> openTableFile(const AnsiString& FileName) {
    std::unique_ptr<TStream> table;
    std::unique_ptr<TStream> memo;
    try {
      table = std::make_unique<TFileStream>(FileName, fmOpenRead | fmShareDenyNone);
      const AnsiString memoName = findFile(ExtractFilePath(FileName), ChangeFileExt(ExtractFileName(FileName), ".dbt"));
      if (!memoName.empty()) memo = std::make_unique<TFileStream>(memoName, fmOpenRead | fmShareDenyNone);
    } catch (const EStreamError& e) {
      RaiseDbError(FileName, e.Message());
    }
    return OpenDbaseTable(std::move(table), std::move(memo), FileName);
  }

  AnsiString folder_;
};

}  // namespace

std::unique_ptr<TDbSource> OpenDbaseSource(const AnsiString& Folder) {
  if (Folder.empty() || !DirectoryExists(Folder)) RaiseDbError(Folder, "no such folder");
  return std::make_unique<TDbaseSource>(IncludeTrailingPathDelimiter(Folder));
}

std::unique_ptr<TDbCursor> OpenDbaseTable(std::unique_ptr<TStream> Table, std::unique_ptr<TStream> Memo,
                                          const AnsiString& FileName) {
  try {
    return std::make_unique<TDbaseCursor>(std::move(Table), std::move(Memo), FileName);
  } catch (const EStreamError& e) {
    RaiseDbError(FileName, e.Message());
  }
}
