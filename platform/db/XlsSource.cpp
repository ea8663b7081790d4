#include "XlsSource.h"

#include "Biff8Workbook_p.h"
#include "CodePage.h"
#include "CompoundFile.h"
#include "DbError.h"
#include "StringRoutines.h"
#include "XlsCompoundFile_p.h"
#include "XlsCursor_p.h"

namespace {

class TXlsSource : public TDbSource {
public:
  TXlsSource(std::shared_ptr<const TBiff8Workbook> Workbook, AnsiString FileName)
      : workbook_(std::move(Workbook)), fileName_(std::move(FileName)) {}

  std::vector<AnsiString> TableNames() override {
    std::vector<AnsiString> names;
    for (const auto& sheet : workbook_->Sheets()) names.push_back(WideToAnsi(sheet.Name));
    return names;
  }

  // Jet names a sheet "Name$" and quotes it in brackets. Names are compared as the ANSI text
  // TableNames gives, so that a sheet whose name the code page cannot hold still opens.
  std::unique_ptr<TDbCursor> OpenTable(const AnsiString& Name) override {
    AnsiString wanted = Name;
    if (wanted.size() >= 2 && wanted.front() == '[' && wanted.back() == ']') wanted = wanted.substr(1, wanted.size() - 2);
    const std::vector<AnsiString> names = TableNames();
    for (int pass = 0; pass < 2; ++pass) {
      for (std::size_t i = 0; i < names.size(); ++i)
        if (SameText(names[i], wanted)) return std::make_unique<TXlsCursor>(workbook_, i);
      if (wanted.empty() || wanted.back() != '$') break;
      wanted.pop_back();
    }
    RaiseDbError(fileName_, "the workbook has no sheet " + Name);
  }

private:
  std::shared_ptr<const TBiff8Workbook> workbook_;
  AnsiString fileName_;
};

}  // namespace

std::unique_ptr<TDbSource> OpenXlsSource(const AnsiString& FileName) {
  auto workbook = std::make_shared<const TBiff8Workbook>(ReadWorkbookStream(FileName), FileName);
  return std::make_unique<TXlsSource>(std::move(workbook), FileName);
}

std::unique_ptr<TDbSource> OpenXlsBytes(std::string_view Bytes, const AnsiString& FileName) {
  std::string stream = IsCompoundDocument(Bytes) ? ReadWorkbookStreamFromBytes(Bytes, FileName) : std::string(Bytes);
  auto workbook = std::make_shared<const TBiff8Workbook>(std::move(stream), FileName);
  return std::make_unique<TXlsSource>(std::move(workbook), FileName);
}
