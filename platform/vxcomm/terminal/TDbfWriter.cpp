#include "TDbfWriter.h"

#include <algorithm>

#include "Exception.h"
#include "VxText.h"

namespace {

constexpr std::uint8_t DbaseIII = 0x03;         // version byte of a table without memo file
constexpr std::uint8_t LanguageGbk = 0x7A;      // language driver id of code page 936
constexpr char HeaderTerminator = 0x0D;
constexpr char EndOfFile = 0x1A;
constexpr char LiveRecord = ' ';                 // '*' would mark a deleted record
constexpr std::size_t HeaderSize = 32;
constexpr std::size_t DescriptorSize = 32;

void putLe(std::string& out, std::uint32_t value, int bytes) {
  for (int i = 0; i < bytes; ++i) out += static_cast<char>((value >> (8 * i)) & 0xFF);
}

std::size_t recordSize(const std::vector<TDbfField>& fields) {
  std::size_t size = 1;  // the deletion flag
  for (const TDbfField& f : fields) size += static_cast<std::size_t>(f.Length);
  return size;
}

void checkField(const TDbfField& f) {
  const bool nameOk = !f.Name.empty() && f.Name.size() <= TDbfWriter::FieldNameMax;
  bool sizeOk = false;
  switch (f.Type) {
    case 'C': sizeOk = f.Length >= 1 && f.Length <= TDbfWriter::CharLengthMax && f.Decimals == 0; break;
    case 'N': sizeOk = f.Length >= 1 && f.Length <= TDbfWriter::NumberLengthMax && f.Decimals >= 0 &&
                       (f.Decimals == 0 || f.Decimals <= f.Length - 2); break;
    case 'D': sizeOk = f.Length == 8 && f.Decimals == 0; break;
    case 'L': sizeOk = f.Length == 1 && f.Decimals == 0; break;
    default: break;
  }
  if (!nameOk || !sizeOk) throw EConvertError("Invalid dBASE field " + f.Name);
}

std::string fieldValue(const TDbfField& f, const AnsiString& value) {
  const auto length = static_cast<std::size_t>(f.Length);
  if (f.Type == 'N') {
    if (value.size() > length) throw EConvertError("Value " + value + " does not fit field " + f.Name);
    return std::string(length - value.size(), ' ') + value;
  }
  AnsiString text = VxClipText(value, length);
  text.resize(length, ' ');
  return text;
}

}  // namespace

TDbfWriter::TDbfWriter(std::vector<TDbfField> fields, int year, int month, int day)
    : fields_(std::move(fields)), year_(year), month_(month), day_(day) {
  if (fields_.empty()) throw EConvertError("A dBASE table needs at least one field");
  std::for_each(fields_.begin(), fields_.end(), checkField);
}

void TDbfWriter::AddRecord(const std::vector<AnsiString>& values) {
  if (values.size() != fields_.size()) throw EConvertError("Record does not match the fields");
  std::string record(1, LiveRecord);
  for (std::size_t i = 0; i < fields_.size(); ++i) record += fieldValue(fields_[i], values[i]);
  records_.push_back(std::move(record));
}

void TDbfWriter::writeHeader(std::string& out) const {
  out += static_cast<char>(DbaseIII);
  out += static_cast<char>(year_ - 1900);
  out += static_cast<char>(month_);
  out += static_cast<char>(day_);
  putLe(out, static_cast<std::uint32_t>(records_.size()), 4);
  putLe(out, static_cast<std::uint32_t>(HeaderSize + DescriptorSize * fields_.size() + 1), 2);
  putLe(out, static_cast<std::uint32_t>(recordSize(fields_)), 2);
  std::string reserved(20, '\0');
  reserved[17] = static_cast<char>(LanguageGbk);  // byte 29 of the header
  out += reserved;
}

void TDbfWriter::writeFieldDescriptor(std::string& out, const TDbfField& field) const {
  std::string name = field.Name;
  name.resize(11, '\0');
  out += name;
  out += field.Type;
  out += std::string(4, '\0');  // field address in memory, unused in files
  out += static_cast<char>(field.Length);
  out += static_cast<char>(field.Decimals);
  out += std::string(14, '\0');
}

std::string TDbfWriter::Bytes() const {
  std::string out;
  writeHeader(out);
  for (const TDbfField& field : fields_) writeFieldDescriptor(out, field);
  out += HeaderTerminator;
  for (const std::string& record : records_) out += record;
  out += EndOfFile;
  return out;
}
