#include "TDataPacket.h"

#include <algorithm>
#include <cstring>
#include <limits>

#include "CodePage.h"
#include "DBConsts.h"
#include "Format.h"

namespace {

// How a column's values are kept in a record.
enum class TSlot : std::uint8_t { Int32, Int64, Double, Currency, Date, Boolean, Ansi, Wide };

TSlot slotOf(const TDbColumn& Column) {
  switch (Column.DataType) {
    case ftSmallint: case ftInteger: case ftWord: case ftAutoInc: return TSlot::Int32;
    case ftLargeint: return TSlot::Int64;
    case ftFloat: return TSlot::Double;
    case ftCurrency: case ftBCD: case ftFMTBcd: return TSlot::Currency;
    case ftDate: case ftTime: case ftDateTime: case ftTimeStamp: return TSlot::Date;
    case ftBoolean: return TSlot::Boolean;
    case ftString: case ftFixedChar: case ftGuid: case ftMemo: case ftFmtMemo: case ftOraClob: case ftBlob:
    case ftBytes: case ftVarBytes: case ftGraphic: case ftTypedBinary: case ftParadoxOle: case ftDBaseOle:
    case ftOraBlob: return TSlot::Ansi;
    case ftWideString: case ftFixedWideChar: case ftWideMemo: return TSlot::Wide;
    default: throw EDatabaseError(Format(SFieldTypeUnsupported, {Column.Name}));
  }
}

// Bytes of a value in the fixed part; texts keep their offset in the record and their length.
std::size_t slotSize(TSlot Slot) {
  switch (Slot) {
    case TSlot::Int32: return 4;
    case TSlot::Boolean: return 1;
    default: return 8;
  }
}

template <class T>
void put(std::string& Buffer, std::size_t Offset, T Value) {
  std::memcpy(Buffer.data() + Offset, &Value, sizeof Value);
}

template <class T>
T get(const char* Record, std::size_t Offset) {
  T value;
  std::memcpy(&value, Record + Offset, sizeof value);
  return value;
}

// Records are written into shared blocks that grow from the first size to the largest; a
// record above a quarter of the largest gets a block of its own.
constexpr std::size_t FirstBlockSize = std::size_t{1} << 12;
constexpr std::size_t BlockSize = std::size_t{1} << 20;

}  // namespace

struct TDataPacket::Impl {
  std::vector<TDbColumn> columns;
  std::vector<TSlot> slots;
  std::vector<std::size_t> offsets;  // of each column's fixed part within a record
  std::size_t nullBytes = 0;
  std::size_t fixedSize = 0;

  std::vector<std::unique_ptr<char[]>> blocks;     // shared by many records
  std::vector<std::unique_ptr<char[]>> bigBlocks;  // one large record each
  std::size_t blockSize = 0;                       // of the last shared block
  std::size_t blockUsed = 0;                       // of the last shared block
  std::size_t blockBytes = 0;         // all blocks together
  std::vector<const char*> records;
  std::string scratch;  // the record being built

  const char* store(const std::string& Record);
  void encode(std::size_t Column, const Variant& Value);
};

const char* TDataPacket::Impl::store(const std::string& Record) {
  const std::size_t size = Record.size();
  char* target;
  if (size > BlockSize / 4) {
    // A large record gets its own block, so the shared block keeps filling.
    target = bigBlocks.emplace_back(std::make_unique_for_overwrite<char[]>(size)).get();
    blockBytes += size;
  } else {
    if (blocks.empty() || blockSize - blockUsed < size) {
      // Small tables take small blocks; the blocks grow with the table up to BlockSize.
      blockSize = blocks.empty() ? FirstBlockSize : std::min(blockSize * 2, BlockSize);
      while (blockSize < size) blockSize *= 2;
      blocks.push_back(std::make_unique_for_overwrite<char[]>(blockSize));
      blockBytes += blockSize;
      blockUsed = 0;
    }
    target = blocks.back().get() + blockUsed;
    blockUsed += size;
  }
  std::memcpy(target, Record.data(), size);
  return target;
}

void TDataPacket::Impl::encode(std::size_t Column, const Variant& Value) {
  const std::size_t at = offsets[Column];
  if (Value.IsNull() || Value.IsEmpty()) {
    scratch[Column / 8] = static_cast<char>(scratch[Column / 8] | (1 << (Column % 8)));
    return;
  }
  auto appendBytes = [&](const void* Bytes, std::size_t Length) {
    if (Length > std::numeric_limits<std::uint32_t>::max() || scratch.size() > std::numeric_limits<std::uint32_t>::max())
      throw EDatabaseError(Format("Value of field '%s' too large", {columns[Column].Name}));
    put(scratch, at, static_cast<std::uint32_t>(scratch.size()));
    put(scratch, at + 4, static_cast<std::uint32_t>(Length));
    scratch.append(static_cast<const char*>(Bytes), Length);
  };
  switch (slots[Column]) {
    case TSlot::Int32: put(scratch, at, static_cast<std::int32_t>(Value.AsInteger())); break;
    case TSlot::Int64: put(scratch, at, Value.AsInt64()); break;
    case TSlot::Double: put(scratch, at, Value.AsFloat()); break;
    case TSlot::Currency: put(scratch, at, Value.AsCurrency().Value); break;
    case TSlot::Date: put(scratch, at, Value.AsDateTime()); break;
    case TSlot::Boolean: put(scratch, at, static_cast<std::uint8_t>(Value.AsBoolean())); break;
    case TSlot::Ansi: {
      if (const AnsiString* held = Value.AnsiText()) {
        appendBytes(held->data(), held->size());
        break;
      }
      AnsiString text = Value.VarType() == varOleStr ? WideToAnsi(Value.AsWideString()) : Value.AsString();
      appendBytes(text.data(), text.size());
      break;
    }
    case TSlot::Wide: {
      WideString text = Value.AsWideString();
      appendBytes(text.data(), text.size() * sizeof(char16_t));
      break;
    }
  }
}

TDataPacket::TDataPacket() : TDataPacket(std::vector<TDbColumn>{}) {}

TDataPacket::TDataPacket(std::vector<TDbColumn> Columns) : d_(std::make_unique<Impl>()) {
  d_->nullBytes = (Columns.size() + 7) / 8;
  std::size_t offset = d_->nullBytes;
  for (const TDbColumn& column : Columns) {
    TSlot slot = slotOf(column);
    d_->slots.push_back(slot);
    d_->offsets.push_back(offset);
    offset += slot == TSlot::Ansi || slot == TSlot::Wide ? 8 : slotSize(slot);
  }
  d_->fixedSize = offset;
  d_->columns = std::move(Columns);
}

TDataPacket::~TDataPacket() = default;
TDataPacket::TDataPacket(TDataPacket&& Other) noexcept = default;
TDataPacket& TDataPacket::operator=(TDataPacket&& Other) noexcept = default;

const std::vector<TDbColumn>& TDataPacket::Columns() const { return d_->columns; }

std::int64_t TDataPacket::RecordCount() const { return static_cast<std::int64_t>(d_->records.size()); }

void TDataPacket::AppendRecord(const std::vector<Variant>& Values) {
  Impl& d = *d_;
  if (Values.size() != d.columns.size())
    throw EDatabaseError(Format(SRecordValueCount, {static_cast<int>(Values.size()), static_cast<int>(d.columns.size())}));
  d.scratch.assign(d.fixedSize, '\0');
  for (std::size_t i = 0; i < Values.size(); ++i) {
    try {
      d.encode(i, Values[i]);
    } catch (const EVariantError& e) {
      throw EDatabaseError(Format("Invalid value for field '%s': %s", {d.columns[i].Name, e.Message()}));
    } catch (const EConvertError& e) {
      throw EDatabaseError(Format("Invalid value for field '%s': %s", {d.columns[i].Name, e.Message()}));
    }
  }
  d.records.push_back(d.store(d.scratch));
}

void TDataPacket::ReadRecord(std::int64_t Index, std::vector<Variant>& Values) const {
  const Impl& d = *d_;
  if (Index < 0 || Index >= RecordCount()) throw EDatabaseError(SRecordNotFound);
  const char* record = d.records[static_cast<std::size_t>(Index)];
  Values.resize(d.columns.size());
  for (std::size_t i = 0; i < d.columns.size(); ++i) {
    if (record[i / 8] & (1 << (i % 8))) {
      Values[i] = Variant::Null();
      continue;
    }
    const std::size_t at = d.offsets[i];
    switch (d.slots[i]) {
      case TSlot::Int32: Values[i] = Variant(static_cast<int>(get<std::int32_t>(record, at))); break;
      case TSlot::Int64: Values[i] = Variant(static_cast<long long>(get<std::int64_t>(record, at))); break;
      case TSlot::Double: Values[i] = Variant(get<double>(record, at)); break;
      case TSlot::Currency: Values[i] = Variant(Currency::FromScaled(get<std::int64_t>(record, at))); break;
      case TSlot::Date: Values[i] = Variant::FromDateTime(get<double>(record, at)); break;
      case TSlot::Boolean: Values[i] = Variant(get<std::uint8_t>(record, at) != 0); break;
      // Texts go into the storage of the caller's values, which a cursor keeps from record to
      // record.
      case TSlot::Ansi:
        Values[i].SetText(std::string_view(record + get<std::uint32_t>(record, at), get<std::uint32_t>(record, at + 4)));
        break;
      case TSlot::Wide: {
        // Through a kept text: the record's bytes need not be aligned for char16_t.
        static thread_local WideString text;
        text.resize(get<std::uint32_t>(record, at + 4) / sizeof(char16_t));
        std::memcpy(text.data(), record + get<std::uint32_t>(record, at), text.size() * sizeof(char16_t));
        Values[i].SetText(text);
        break;
      }
    }
  }
}

std::size_t TDataPacket::MemorySize() const {
  return d_->blockBytes + d_->records.capacity() * sizeof(const char*) + sizeof(Impl);
}
