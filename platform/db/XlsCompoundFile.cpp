#include "XlsCompoundFile_p.h"

#include <memory>

#include "CompoundFile.h"
#include "DbError.h"

namespace {

// Opens the document over Source (a file name, or bytes and a name), reporting one that cannot
// be read as the backends report files.
template <class... TSource>
std::unique_ptr<TCompoundFileReader> openDocument(const AnsiString& FileName, const TSource&... Source) {
  try {
    return std::make_unique<TCompoundFileReader>(Source..., FileName);
  } catch (const EOleStorageError& e) {
    RaiseDbError(FileName, "not a readable compound document (" + e.Reason() + ")");
  }
}

std::string readWorkbook(const TCompoundFileReader& Document, const AnsiString& FileName) {
  if (!Document.HasStream(u"Workbook")) {
    RaiseDbError(FileName, Document.HasStream(u"Book") ? "Excel 5.0/95 workbooks are not read, only Excel 97-2003 ones"
                                                       : "the compound document holds no workbook");
  }
  try {
    return Document.ReadStream(u"Workbook");
  } catch (const EOleStorageError& e) {
    RaiseDbError(FileName, "the workbook stream cannot be read (" + e.Reason() + ")");
  }
}

}  // namespace

std::string ReadWorkbookStream(const AnsiString& FileName) { return readWorkbook(*openDocument(FileName), FileName); }

std::string ReadWorkbookStreamFromBytes(std::string_view Bytes, const AnsiString& FileName) {
  return readWorkbook(*openDocument(FileName, Bytes), FileName);
}
