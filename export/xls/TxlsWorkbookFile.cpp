#include "TxlsWorkbookFile.h"

#include <algorithm>

#include "CompoundFile.h"
#include "ExlsFileError.h"
#include "Format.h"

namespace {

[[noreturn]] void cannotCreate(const AnsiString& fileName, const EOleStorageError& error) {
  throw ExlsFileError(Format(xlsmsg::CannotCreateFile, {fileName}) + ". " + error.Reason());
}

}  // namespace

TxlsWorkbookFile::TxlsWorkbookFile(const AnsiString& FileName) : fileName_(FileName) {
  try {
    file_ = std::make_unique<TCompoundFileWriter>(FileName);
  } catch (const EOleStorageError& e) {
    cannotCreate(FileName, e);
  }
}

TxlsWorkbookFile::~TxlsWorkbookFile() = default;

void TxlsWorkbookFile::Commit() {
  try {
    file_->WriteStream(u"Workbook", stream_.Memory(), static_cast<std::size_t>(stream_.Size()));
    file_->Commit();
  } catch (const EOleStorageError& e) {
    cannotCreate(fileName_, e);
  }
}

void TxlsWorkbookFile::Commit(TMemoryStream& Globals, std::int64_t InsertAt) {
  const auto size = static_cast<std::size_t>(stream_.Size());
  const std::size_t at = std::min(static_cast<std::size_t>(std::max<std::int64_t>(InsertAt, 0)), size);
  const char* bytes = stream_.Memory();
  try {
    file_->WriteStream(u"Workbook", {{bytes, at},
                                     {Globals.Memory(), static_cast<std::size_t>(Globals.Size())},
                                     {bytes + at, size - at}});
    file_->Commit();
  } catch (const EOleStorageError& e) {
    cannotCreate(fileName_, e);
  }
}
