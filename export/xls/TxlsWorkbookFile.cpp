#include "TxlsWorkbookFile.h"

#include <algorithm>

#include "CompoundFile.h"
#include "Exception.h"
#include "ExlsFileError.h"
#include "Format.h"
#include "TAtomicFileStream.h"

namespace {

[[noreturn]] void cannotCreate(const AnsiString& fileName, const AnsiString& reason) {
  throw ExlsFileError(Format(xlsmsg::CannotCreateFile, {fileName}) + ". " + reason);
}

}  // namespace

TxlsWorkbookFile::TxlsWorkbookFile(const AnsiString& FileName) : fileName_(FileName) {
  try {
    file_ = std::make_unique<TCompoundFileWriter>(FileName);
  } catch (const EOleStorageError& e) {
    cannotCreate(FileName, e.Reason());
  }
  try {
    stream_ = std::make_unique<TAtomicFileStream>(FileName);
    globals_ = std::make_unique<TAtomicFileStream>(FileName);
  } catch (const EFCreateError& e) {
    // It names the file and gives the reason already.
    throw ExlsFileError(e.Message());
  }
}

TxlsWorkbookFile::~TxlsWorkbookFile() = default;

TStream& TxlsWorkbookFile::Stream() { return *stream_; }

TStream& TxlsWorkbookFile::Globals() { return *globals_; }

void TxlsWorkbookFile::Commit() {
  try {
    const auto size = static_cast<std::size_t>(stream_->Size());
    stream_->SetPosition(0);
    file_->WriteStream(u"Workbook", {{nullptr, size, stream_.get()}});
    file_->Commit();
  } catch (const EOleStorageError& e) {
    cannotCreate(fileName_, e.Reason());
  } catch (const EStreamError& e) {
    cannotCreate(fileName_, e.Message());
  }
}

void TxlsWorkbookFile::Commit(TStream& Globals, std::int64_t InsertAt) {
  try {
    const auto size = static_cast<std::size_t>(stream_->Size());
    const std::size_t at = std::min(static_cast<std::size_t>(std::max<std::int64_t>(InsertAt, 0)), size);
    const auto globalsSize = static_cast<std::size_t>(Globals.Size());
    stream_->SetPosition(0);
    Globals.SetPosition(0);
    file_->WriteStream(u"Workbook", {{nullptr, at, stream_.get()},
                                     {nullptr, globalsSize, &Globals},
                                     {nullptr, size - at, stream_.get()}});
    file_->Commit();
  } catch (const EOleStorageError& e) {
    cannotCreate(fileName_, e.Reason());
  } catch (const EStreamError& e) {
    cannotCreate(fileName_, e.Message());
  }
}
