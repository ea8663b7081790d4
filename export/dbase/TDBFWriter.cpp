#include "TDBFWriter.h"

#include "DateRoutines.h"
#include "Exception.h"
#include "Format.h"
#include "DbfRecord.h"
#include "DbtMemo.h"
#include "ExportSource.h"
#include "FileNames.h"
#include "TAtomicFileStream.h"
#include "TBlobField.h"
#include "TDataExportText.h"
#include "TExportColumn.h"
#include "TExportColumns.h"
#include "TFileStream.h"
#include "TypInfo.h"

DEFINE_CLASS(TDBFWriter, TExportWriter)

namespace {

bool isFile(TStream* stream) {
  return dynamic_cast<TAtomicFileStream*>(stream) != nullptr || dynamic_cast<TFileStream*>(stream) != nullptr;
}

}  // namespace

TDBFWriter::TDBFWriter(TDataExport* Owner, TStream* Stream) : TExportWriter(Owner, Stream) {}

TDBFWriter::~TDBFWriter() = default;

void TDBFWriter::AddField(const TDBFFieldDescriptor& Descriptor) { fields_.push_back(Descriptor); }

void TDBFWriter::WriteHeader() {
  bool memoFields = false;
  std::uint32_t recordLength = 1;
  for (const TDBFFieldDescriptor& f : fields_) {
    memoFields = memoFields || f.Type == 'M';
    recordLength += static_cast<std::uint32_t>(f.Length);
  }
  // A longer header or record wraps in its 16-bit length: no reader could open the table.
  const int headerLength = (FieldCount() + 1) * dbase::FieldDescriptorSize + 1;
  if (headerLength > dbase::MaxHeaderLength)
    throw Exception(Format("A dBASE table holds %d fields at most; this one would have %d",
                           {(dbase::MaxHeaderLength - 1) / dbase::FieldDescriptorSize - 1, FieldCount()}));
  if (recordLength > static_cast<std::uint32_t>(dbase::MaxRecordLength))
    throw Exception(Format("A dBASE record holds %d bytes at most; this table's records would have %d",
                           {dbase::MaxRecordLength, static_cast<std::int64_t>(recordLength)}));
  const auto* owner = dynamic_cast<const TDataExportText*>(Owner());
  const bool memoFile = memoFields && isFile(Stream()) && owner != nullptr && !owner->FileName().empty();

  header_ = TDBFHeader{};
  header_.Version = memoFile ? dbase::VersionDbase3Memo : dbase::VersionDbase3;
  DecodeDate(Date(), header_.Year, header_.Month, header_.Day);
  header_.FieldCount = FieldCount();
  header_.RecordLength = recordLength;

  if (memoFile) {
    memo_ = std::make_unique<TAtomicFileStream>(ChangeFileExt(owner->FileName(), ".dbt"));
    const auto block = DbtHeaderBlock(0);
    memo_->WriteBuffer(block.data(), block.size());
    nextBlock_ = 1;
  }

  std::string bytes;
  bytes.reserve(header_.HeaderLength());
  const auto head = header_.Bytes();
  bytes.append(head.begin(), head.end());
  for (const TDBFFieldDescriptor& f : fields_) {
    const auto d = f.Bytes();
    bytes.append(d.begin(), d.end());
  }
  bytes += static_cast<char>(dbase::HeaderTerminator);
  WriteBytes(bytes.data(), bytes.size());
}

void TDBFWriter::StartRecord() {
  record_.clear();
  DbfDeletionFlag(record_);
  ++header_.RecordCount;
}

void TDBFWriter::WriteFieldValue(int Index, std::string_view Value) {
  const TDBFFieldDescriptor& f = Field(Index);
  if (Value.empty()) {
    DbfBlankField(record_, f.Length);
    return;
  }
  switch (f.Type) {
    case 'C': DbfCharacterField(record_, Value, f.Length, Owner() != nullptr ? Owner()->Encoding() : 0); break;
    case 'N': DbfNumericField(record_, Value, f.Length); break;
    case 'D':
      if (Value.size() == dbase::DateLength)
        record_.append(Value);
      else
        DbfBlankField(record_, f.Length);
      break;
    case 'L':
      DbfLogicalField(record_, Value[0]);
      DbfBlankField(record_, f.Length - 1);
      break;
    default: DbfBlankField(record_, f.Length); break;
  }
}

void TDBFWriter::WriteMemoField(int Index) {
  const TDBFFieldDescriptor& f = Field(Index);
  if (!HasMemoFile()) {
    DbfBlankField(record_, f.Length);
    return;
  }
  const std::int64_t block = WriteMemo(Index);
  if (f.Length == dbase::MemoFieldLength)
    DbfMemoField(record_, block);
  else
    DbfBlankField(record_, f.Length);
}

void TDBFWriter::EndRecord() { WriteBytes(record_.data(), record_.size()); }

std::int64_t TDBFWriter::WriteMemo(int Index) {
  TDataExport* owner = Owner();
  if (owner == nullptr || !HasMemoFile()) return -1;
  const TExportSourceRef source = owner->SourceRef();
  if (source.Kind != esDataSet && source.Kind != esDBGrid) return -1;
  if (Index < 0 || Index >= owner->Columns()->Count()) return -1;
  // The field the column was made from (its name may be an alias).
  const auto* blob = dynamic_cast<const TBlobField*>(SourceField(source, owner->Columns()->Items(Index)->ColumnIndex()));
  if (blob == nullptr || blob->IsNull()) return -1;
  if (dynamic_cast<const TWideMemoField*>(blob) != nullptr) {
    // A memo of wide text goes into the file in the table's encoding, as its other text does.
    std::string text;
    EncodeExportText(blob->AsWideString(), owner->Encoding(), text);
    return writeMemoBytes(text);
  }
  return writeMemoBytes(blob->AsString());
}

std::int64_t TDBFWriter::writeMemoBytes(std::string_view Memo) {
  if (Memo.empty() || Memo.size() > DbtMaxMemoSize) return -1;
  memoBlocks_.clear();
  const std::uint32_t blocks = DbtMemoBlocks(memoBlocks_, Memo);
  memo_->WriteBuffer(memoBlocks_.data(), static_cast<std::int64_t>(memoBlocks_.size()));
  const std::uint32_t first = nextBlock_;
  nextBlock_ += blocks;
  return first;
}

void TDBFWriter::WriteEndOfFile() {
  const char end = static_cast<char>(dbase::EndOfFile);
  WriteBytes(&end, 1);
  if (Stream() == nullptr) return;
  // The count of the records written, in place.
  const std::int64_t at = Stream()->Position();
  const auto count = DbfRecordCount(header_.RecordCount);
  Stream()->SetPosition(dbase::RecordCountOffset);
  Stream()->WriteBuffer(count.data(), count.size());
  Stream()->SetPosition(at);
}

void TDBFWriter::CloseMemo() {
  if (!HasMemoFile() || memoClosed_) return;
  const std::int64_t at = memo_->Position();
  const auto block = DbtHeaderBlock(nextBlock_);
  memo_->SetPosition(0);
  memo_->WriteBuffer(block.data(), 4);
  memo_->SetPosition(at);
  memoClosed_ = true;
}

void TDBFWriter::Finish() {
  if (!HasMemoFile()) return;
  CloseMemo();
  memo_->Commit();
}
