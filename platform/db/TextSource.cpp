#include "TextSource.h"

#include <algorithm>

#include "DbError.h"
#include "DbFiles_p.h"
#include "FileNames.h"
#include "FileRoutines.h"
#include "FindFile.h"
#include "StringRoutines.h"
#include "TFileStream.h"
#include "TextCursor_p.h"

namespace {

// The extensions the text driver lists as tables.
constexpr const char* TableExtensions[] = {".txt", ".csv", ".tab", ".asc"};

class TTextSource : public TDbSource {
public:
  TTextSource(AnsiString Folder, TTextSchema Defaults) : folder_(std::move(Folder)), defaults_(std::move(Defaults)) {}

  std::vector<AnsiString> TableNames() override {
    std::vector<AnsiString> names;
    TSearchRec found;
    if (FindFirst(folder_ + "*.*", faAnyFile & ~faDirectory, found) == 0) {
      do {
        const AnsiString ext = ExtractFileExt(found.Name);
        if (std::any_of(std::begin(TableExtensions), std::end(TableExtensions),
                        [&](const char* e) { return SameText(ext, e); }))
          names.push_back(found.Name);
      } while (FindNext(found) == 0);
    }
    return names;
  }

  std::unique_ptr<TDbCursor> OpenTable(const AnsiString& Name) override {
    AnsiString name = FindFileNamed(folder_, Name);
    if (name.empty() && Name.find('#') != AnsiString::npos) {
      AnsiString dotted = Name;
      std::replace(dotted.begin(), dotted.end(), '#', '.');
      name = FindFileNamed(folder_, dotted);
    }
    if (name.empty()) RaiseDbError(folder_ + Name, "no such text file");
    const AnsiString fileName = folder_ + name;
    TTextSchema schema = defaults_;
    const AnsiString schemaName = FindFileNamed(folder_, "Schema.ini");
    if (!schemaName.empty()) ApplySchemaIni(folder_ + schemaName, name, schema);
    std::unique_ptr<TStream> input;
    try {
      input = std::make_unique<TFileStream>(fileName, fmOpenRead | fmShareDenyNone);
    } catch (const EStreamError& e) {
      RaiseDbError(fileName, e.Message());
    }
    return std::make_unique<TTextCursor>(std::move(input), std::move(schema), fileName);
  }

private:
  AnsiString folder_;
  TTextSchema defaults_;
};

}  // namespace

std::unique_ptr<TDbSource> OpenTextSource(const AnsiString& Folder, bool HeaderRow, const AnsiString& Format) {
  if (Folder.empty() || !DirectoryExists(Folder)) RaiseDbError(Folder, "no such folder");
  TTextSchema defaults;
  defaults.Header = HeaderRow;
  if (!ParseTextFormat(Format, defaults)) RaiseDbError(Folder, "the text format " + Format + " is not known");
  return std::make_unique<TTextSource>(IncludeTrailingPathDelimiter(Folder), std::move(defaults));
}
