#include "TxlsWorkbookFile.h"

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
