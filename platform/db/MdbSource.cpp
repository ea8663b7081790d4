#include "MdbSource.h"

#include <mdbtools.h>

#include <cstring>

#include "CodePage.h"
#include "DbError.h"
#include "DbNumbers_p.h"
#include "FileRoutines.h"
#include "FloatText.h"
#include "Format.h"
#include "StringRoutines.h"
#include "SysPath.h"

namespace {

// Jet 3 pages are 2 KB, later ones 4 KB; the version number sits at 0x14 of page 0.
constexpr std::int64_t MinPageSize = 2048;
constexpr int VersionOffset = 0x14;
constexpr std::uint32_t HighestKnownVersion = 0x06;  // Access 2019
// Bound text of any column but a memo is at most a page of UCS-2 as UTF-8.
constexpr std::size_t TextBindSize = 16 * 1024;
// Memos and OLE headers are bound with this much room; a longer memo is refused, not cut.
constexpr std::size_t MemoBindSize = 4 * 1024 * 1024;

struct TMdbCloser {
  void operator()(MdbHandle* mdb) const { mdb_close(mdb); }
};
struct TTableFreer {
  void operator()(MdbTableDef* table) const { mdb_free_tabledef(table); }
};

// Checks what libmdb takes on trust before it is given the file.
void checkFile(const AnsiString& FileName) {
  const std::int64_t size = FileSizeByName(FileName);
  if (size < 0) RaiseDbError(FileName, "no such file");
  if (size < 2 * MinPageSize) RaiseDbError(FileName, "the file is too short for an Access database");
  std::FILE* f = std::fopen(ToSysPath(FileName).c_str(), "rb");
  if (!f) RaiseDbError(FileName, "the file cannot be read");
  unsigned char head[VersionOffset + 4] = {};
  const std::size_t got = std::fread(head, 1, sizeof head, f);
  std::fclose(f);
  const std::uint32_t version = head[VersionOffset] | (head[VersionOffset + 1] << 8) | (head[VersionOffset + 2] << 16) |
                                (std::uint32_t{head[VersionOffset + 3]} << 24);
  if (got != sizeof head || head[0] != 0 || version > HighestKnownVersion)
    RaiseDbError(FileName, "not an Access database");
}

template <class T>
T load(const unsigned char* p) {
  T value;
  std::memcpy(&value, p, sizeof value);  // little-endian on every platform this builds for
  return value;
}

TFieldType fieldType(const MdbColumn& column) {
  switch (column.col_type) {
    case MDB_BOOL: return ftBoolean;
    case MDB_BYTE: return ftWord;
    case MDB_INT: return ftSmallint;
    case MDB_LONGINT: return column.is_long_auto ? ftAutoInc : ftInteger;
    case MDB_MONEY: return ftBCD;
    case MDB_FLOAT:
    case MDB_DOUBLE:
    case MDB_NUMERIC: return ftFloat;
    case MDB_DATETIME: return ftDateTime;
    case MDB_BINARY: return ftBytes;
    case MDB_TEXT: return ftWideString;
    case MDB_OLE: return ftBlob;
    case MDB_MEMO: return ftWideMemo;
    case MDB_REPID: return ftGuid;
    default: return ftUnknown;
  }
}

class TMdbCursor : public TDbCursor {
public:
  TMdbCursor(std::shared_ptr<MdbHandle> Mdb, MdbTableDef* Table, AnsiString FileName)
      : mdb_(std::move(Mdb)), table_(Table), fileName_(std::move(FileName)) {
    mdb_read_columns(table_.get());
    const unsigned count = table_->num_cols;
    buffers_.resize(count);
    lengths_.resize(count);
    for (unsigned i = 0; i < count; ++i) {
      const MdbColumn& c = column(i);
      TDbColumn out;
      out.Name = Utf8ToAnsi(c.name);
      out.DataType = fieldType(c);
      if (out.DataType == ftWideString) out.Size = c.col_size / 2;  // UCS-2 bytes
      if (out.DataType == ftBytes) out.Size = c.col_size;
      if (c.col_type == MDB_NUMERIC) {
        out.Precision = c.col_prec;
        out.Scale = c.col_scale;
      }
      columns_.push_back(out);
      const bool large = c.col_type == MDB_MEMO || c.col_type == MDB_OLE;
      buffers_[i].assign(large ? MemoBindSize : TextBindSize, '\0');
      mdb_bind_column(table_.get(), int(i + 1), buffers_[i].data(), &lengths_[i]);
    }
    mdb_rewind_table(table_.get());
  }

  const std::vector<TDbColumn>& Columns() const override { return columns_; }
  void Rewind() override { mdb_rewind_table(table_.get()); }
  long long RecordCountHint() const override { return table_->num_rows; }

  bool Next(std::vector<Variant>& Row) override {
    if (!mdb_fetch_row(table_.get())) return false;
    Row.resize(columns_.size());
    for (std::size_t i = 0; i < columns_.size(); ++i) Row[i] = value(i);
    return true;
  }

private:
  MdbColumn& column(std::size_t i) const {
    return *static_cast<MdbColumn*>(g_ptr_array_index(table_->columns, guint(i)));
  }

  // Fixed-size values straight from the row's bytes in the page buffer.
  const unsigned char* raw(const MdbColumn& c, int size) const {
    if (c.cur_value_start < 0 || c.cur_value_len < size || c.cur_value_start + size > int(sizeof mdb_->pg_buf))
      RaiseDbError(fileName_, Format("the value of column %s lies outside its page", {AnsiString(c.name)}));
    return mdb_->pg_buf + c.cur_value_start;
  }

  Variant value(std::size_t i) {
    MdbColumn& c = column(i);
    const char* text = buffers_[i].data();
    if (c.col_type == MDB_BOOL) return Variant(std::strcmp(text, "0") != 0 && text[0] != '\0');
    if (c.cur_value_len == 0) return Null();
    switch (c.col_type) {
      case MDB_BYTE: return Variant(int(raw(c, 1)[0]));
      case MDB_INT: return Variant(int(load<std::int16_t>(raw(c, 2))));
      case MDB_LONGINT: return Variant(int(load<std::int32_t>(raw(c, 4))));
      case MDB_FLOAT: return Variant(double(load<float>(raw(c, 4))));
      case MDB_DOUBLE: return Variant(load<double>(raw(c, 8)));
      case MDB_DATETIME: return Variant::FromDateTime(load<double>(raw(c, 8)));
      case MDB_MONEY: return Variant(Currency::FromScaled(load<std::int64_t>(raw(c, 8))));
      case MDB_NUMERIC: {
        double number = 0;
        return ParseDbFloat(text, number) ? Variant(number) : Null();
      }
      case MDB_TEXT:
      case MDB_MEMO: {
        if (c.col_type == MDB_MEMO && std::strlen(text) >= MemoBindSize - 1)
          RaiseDbError(fileName_, Format("a memo of column %s is longer than %d bytes", {AnsiString(c.name), int(MemoBindSize)}));
        return Variant(Utf8ToWide(text));
      }
      case MDB_OLE: {
        std::size_t size = 0;
        void* data = mdb_ole_read_full(mdb_.get(), &c, &size);
        if (!data) return Null();
        AnsiString bytes(static_cast<const char*>(data), size);
        std::free(data);
        return Variant(bytes);
      }
      case MDB_BINARY: {
        const int size = c.cur_value_len;
        return Variant(AnsiString(reinterpret_cast<const char*>(raw(c, size)), std::size_t(size)));
      }
      case MDB_REPID: return Variant(AnsiString(text));
      default: return Null();
    }
  }

  std::shared_ptr<MdbHandle> mdb_;
  std::unique_ptr<MdbTableDef, TTableFreer> table_;
  AnsiString fileName_;
  std::vector<TDbColumn> columns_;
  std::vector<std::vector<char>> buffers_;
  std::vector<int> lengths_;
};

class TMdbSource : public TDbSource {
public:
  TMdbSource(std::shared_ptr<MdbHandle> Mdb, AnsiString FileName) : mdb_(std::move(Mdb)), fileName_(std::move(FileName)) {}

  std::vector<AnsiString> TableNames() override {
    std::vector<AnsiString> names;
    for (MdbCatalogEntry* entry : userTables()) names.push_back(Utf8ToAnsi(entry->object_name));
    return names;
  }

  std::unique_ptr<TDbCursor> OpenTable(const AnsiString& Name) override {
    AnsiString wanted = Name;
    if (wanted.size() >= 2 && wanted.front() == '[' && wanted.back() == ']') wanted = wanted.substr(1, wanted.size() - 2);
    for (MdbCatalogEntry* entry : userTables()) {
      if (!SameText(Utf8ToAnsi(entry->object_name), wanted)) continue;
      MdbTableDef* table = mdb_read_table(entry);
      if (!table) RaiseDbError(fileName_, "the definition of table " + Name + " cannot be read");
      return std::make_unique<TMdbCursor>(mdb_, table, fileName_);
    }
    RaiseDbError(fileName_, "the database has no table " + Name);
  }

private:
  std::vector<MdbCatalogEntry*> userTables() {
    std::vector<MdbCatalogEntry*> entries;
    GPtrArray* catalog = mdb_->catalog;
    for (guint i = 0; catalog && i < catalog->len; ++i) {
      auto* entry = static_cast<MdbCatalogEntry*>(g_ptr_array_index(catalog, i));
      if (entry->object_type == MDB_TABLE && !mdb_is_system_table(entry)) entries.push_back(entry);
    }
    return entries;
  }

  std::shared_ptr<MdbHandle> mdb_;
  AnsiString fileName_;
};

}  // namespace

std::unique_ptr<TDbSource> OpenMdbSource(const AnsiString& FileName) {
  checkFile(FileName);
  std::shared_ptr<MdbHandle> mdb(mdb_open(ToSysPath(FileName).c_str(), MDB_NOFLAGS), TMdbCloser());
  if (!mdb) RaiseDbError(FileName, "libmdb cannot open it as an Access database");
  mdb_set_bind_size(mdb.get(), MemoBindSize);
  mdb_set_boolean_fmt_numbers(mdb.get());
  if (!mdb_read_catalog(mdb.get(), MDB_TABLE)) RaiseDbError(FileName, "the catalog of the database cannot be read");
  return std::make_unique<TMdbSource>(std::move(mdb), FileName);
}
