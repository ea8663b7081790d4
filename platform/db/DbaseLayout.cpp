#include "DbaseLayout_p.h"

#include <algorithm>

#include "CodePage.h"
#include "DbError.h"
#include "DbaseFormat.h"
#include "Format.h"

namespace {

std::uint32_t le32(const std::uint8_t* p) {
  return p[0] | (p[1] << 8) | (p[2] << 16) | (std::uint32_t{p[3]} << 24);
}
int le16(const std::uint8_t* p) { return p[0] | (p[1] << 8); }

bool knownVersion(std::uint8_t version) {
  return version == dbase::VersionDbase3 || version == dbase::VersionDbase3Memo ||
         version == dbase::VersionDbase4Memo || version == dbase::VersionVisualFoxPro;
}

// The code page a language-driver byte names, 0 for "the ANSI code page" (0, 0x57, unknown).
int languageDriverCodePage(std::uint8_t id) {
  struct Entry {
    std::uint8_t Id;
    int CodePage;
  };
  static constexpr Entry table[] = {
      {0x01, 437},  {0x02, 850},  {0x03, 1252}, {0x13, 932},  {0x4D, 936},  {0x4E, 949},
      {0x4F, 950},  {0x50, 874},  {0x58, 1252}, {0x59, 1252}, {0x64, 852},  {0x65, 866},
      {0x78, 950},  {0x79, 949},  {0x7A, 936},  {0x7B, 932},  {0x7C, 874},  {0xC8, 1250},
      {0xC9, 1251}, {0xCA, 1254}, {0xCB, 1253}, {0xCC, 1257},
  };
  for (const Entry& e : table)
    if (e.Id == id) return e.CodePage;
  return 0;
}

// The field types the dBASE writers of the terminal and of this program use; other dBASE
// dialects' types (Visual FoxPro's integers, doubles, currency, date-times and null flags ...)
// are binary and would be read as garbage.
bool knownFieldType(char type) {
  switch (type) {
    case 'C': case 'N': case 'F': case 'D': case 'L': case 'M': return true;
    default: return false;
  }
}

// A type byte as the message shows it: the letter, or its code when it is no printable one.
AnsiString typeText(std::uint8_t type) {
  return type > 0x20 && type < 0x7F ? AnsiString(1, static_cast<char>(type)) : Format("$%.2x", {int{type}});
}

}  // namespace

bool TDbaseLayout::HasMemoFields() const {
  return std::any_of(Fields.begin(), Fields.end(), [](const TDbaseField& f) { return f.Type == 'M'; });
}

TDbaseLayout ReadDbaseLayout(TStream& Table, const AnsiString& FileName) {
  const std::int64_t fileSize = Table.Size();
  if (fileSize < dbase::HeaderSize + 1) RaiseDbError(FileName, "the header is shorter than 33 bytes");

  std::uint8_t head[dbase::HeaderSize];
  Table.SetPosition(0);
  if (Table.Read(head, sizeof head) != sizeof head) RaiseDbError(FileName, "the header cannot be read");

  TDbaseLayout layout;
  layout.Version = head[0];
  if (!knownVersion(layout.Version))
    RaiseDbError(FileName, Format("not a dBASE III or IV table (version byte $%.2x)", {int{head[0]}}));
  layout.RecordCount = le32(head + 4);
  layout.HeaderLength = le16(head + 8);
  layout.RecordLength = le16(head + 10);
  const int codePage = languageDriverCodePage(head[29]);
  layout.CodePage = codePage != 0 && codePage != GetACP() && IsValidCodePage(codePage) ? codePage : 0;

  if (layout.HeaderLength < dbase::HeaderSize + 1 || layout.HeaderLength > fileSize)
    RaiseDbError(FileName, Format("the header length %d does not fit the file", {layout.HeaderLength}));
  if (layout.RecordLength == 0) RaiseDbError(FileName, "the record length is 0");
  const std::int64_t dataEnd =
      layout.HeaderLength + std::int64_t{layout.RecordCount} * std::int64_t{layout.RecordLength};
  if (dataEnd > fileSize)
    RaiseDbError(FileName, Format("the record count %u goes past the end of the file", {layout.RecordCount}));

  // The descriptors run from byte 32 to the terminator byte; the header length bounds them.
  std::vector<std::uint8_t> descriptors(layout.HeaderLength - dbase::HeaderSize);
  if (Table.Read(descriptors.data(), std::int64_t(descriptors.size())) != std::int64_t(descriptors.size()))
    RaiseDbError(FileName, "the field descriptors cannot be read");
  int offset = 1;  // after the deletion flag
  for (std::size_t at = 0; at + dbase::FieldDescriptorSize <= descriptors.size() &&
                           descriptors[at] != dbase::HeaderTerminator;
       at += dbase::FieldDescriptorSize) {
    const std::uint8_t* d = descriptors.data() + at;
    TDbaseField field;
    const auto* name = reinterpret_cast<const char*>(d);
    field.Name.assign(name, std::find(name, name + 11, '\0'));
    field.Type = static_cast<char>(d[11]);
    field.Length = d[16];
    field.Decimals = d[17];
    if (!knownFieldType(field.Type))
      RaiseDbError(FileName, Format("the field %s has the type %s, which is not read (only C, N, F, D, L and M are)",
                                    {field.Name, typeText(d[11])}));
    field.Offset = offset;
    offset += field.Length;
    if (offset > layout.RecordLength)
      RaiseDbError(FileName, Format("the fields need more than the record length of %d bytes", {layout.RecordLength}));
    layout.Fields.push_back(std::move(field));
  }
  if (layout.Fields.empty()) RaiseDbError(FileName, "the table has no fields");
  return layout;
}

TDbColumn DbaseColumn(const TDbaseField& Field) {
  TDbColumn column;
  column.Name = Field.Name;
  switch (Field.Type) {
    case 'N':
    case 'F':
      column.Precision = Field.Length;
      column.Scale = Field.Decimals;
      if (Field.Decimals == 0 && Field.Length <= 9)
        column.DataType = ftInteger;
      else if (Field.Decimals == 0 && Field.Length <= 18)
        column.DataType = ftLargeint;
      else
        column.DataType = ftFloat;
      break;
    case 'D': column.DataType = ftDate; break;
    case 'L': column.DataType = ftBoolean; break;
    case 'M': column.DataType = ftMemo; break;
    default:
      column.DataType = ftString;
      column.Size = Field.Length;
      break;
  }
  return column;
}
