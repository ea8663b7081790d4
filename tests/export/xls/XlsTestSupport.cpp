#include "XlsTestSupport.h"

#include <freexl.h>
#include <unistd.h>

#include <algorithm>
#include <array>
#include <cstdio>
#include <map>
#include <sstream>

#include "ClasslibGui.h"
#include "CodePage.h"
#include "DataExportUnit.h"
#include "TxlsWorkbookFile.h"
#include "TxlsWorkbookWriter.h"

namespace {

class GuiEnvironment : public ::testing::Environment {
public:
  void SetUp() override {
    ClasslibGuiInitialize();
    DataExportInitialize();
  }
  void TearDown() override {
    DataExportFinalize();
    ClasslibGuiFinalize();
  }
};

[[maybe_unused]] ::testing::Environment* const environment = ::testing::AddGlobalTestEnvironment(new GuiEnvironment);

std::string escape(const std::string& text) {
  std::string out;
  for (char c : text) {
    switch (c) {
      case '\\': out += "\\\\"; break;
      case '\n': out += "\\n"; break;
      case '\t': out += "\\t"; break;
      case '\r': out += "\\r"; break;
      default: out += c;
    }
  }
  return out;
}

std::string number(double value) {
  char buffer[64];
  std::snprintf(buffer, sizeof buffer, "%.17g", value);
  return buffer;
}

}  // namespace

TTempDir::TTempDir() {
  static int counter = 0;
  path_ = std::filesystem::temp_directory_path() /
          ("xls-test-" + std::to_string(::getpid()) + "-" + std::to_string(counter++));
  std::filesystem::remove_all(path_);
  std::filesystem::create_directories(path_);
}

TTempDir::~TTempDir() {
  std::error_code ec;
  std::filesystem::remove_all(path_, ec);
}

std::vector<TRecord> SplitRecords(const std::string& stream) {
  std::vector<TRecord> records;
  std::size_t at = 0;
  while (at + 4 <= stream.size()) {
    TRecord r;
    r.Offset = at;
    r.Id = U16At(stream, at);
    const std::size_t length = U16At(stream, at + 2);
    if (at + 4 + length > stream.size()) break;
    r.Data = stream.substr(at + 4, length);
    records.push_back(std::move(r));
    at += 4 + length;
  }
  return records;
}

std::vector<TRecord> RecordsWithId(const std::vector<TRecord>& records, std::uint16_t id) {
  std::vector<TRecord> out;
  std::copy_if(records.begin(), records.end(), std::back_inserter(out), [id](const TRecord& r) { return r.Id == id; });
  return out;
}

std::uint16_t U16At(const std::string& data, std::size_t offset) {
  return static_cast<std::uint16_t>(static_cast<std::uint8_t>(data.at(offset)) |
                                    (static_cast<std::uint8_t>(data.at(offset + 1)) << 8));
}

std::uint32_t U32At(const std::string& data, std::size_t offset) {
  return U16At(data, offset) | (static_cast<std::uint32_t>(U16At(data, offset + 2)) << 16);
}

std::string Hex(const std::string& bytes) {
  std::string out;
  char buffer[4];
  for (unsigned char c : bytes) {
    std::snprintf(buffer, sizeof buffer, "%02X ", c);
    out += buffer;
  }
  if (!out.empty()) out.pop_back();
  return out;
}

std::string Bytes(std::initializer_list<int> bytes) {
  std::string out;
  for (int b : bytes) out += static_cast<char>(b);
  return out;
}

TDbColumn Column(const char* name, TFieldType type, int size) {
  TDbColumn c;
  c.Name = name;
  c.DataType = type;
  c.Size = size;
  return c;
}

std::vector<std::string> Lines(const std::string& text) {
  std::vector<std::string> lines;
  std::istringstream in(text);
  for (std::string line; std::getline(in, line);) lines.push_back(line);
  return lines;
}

std::vector<std::string> Matching(const std::vector<std::string>& lines, const std::string& prefix) {
  std::vector<std::string> out;
  for (const std::string& line : lines)
    if (line.rfind(prefix, 0) == 0) out.push_back(line);
  return out;
}

std::string RunCommand(const std::string& command, int* status) {
  std::string output;
  FILE* pipe = ::popen(command.c_str(), "r");
  if (pipe == nullptr) {
    if (status != nullptr) *status = -1;
    return output;
  }
  std::array<char, 4096> buffer{};
  std::size_t n;
  while ((n = std::fread(buffer.data(), 1, buffer.size(), pipe)) > 0) output.append(buffer.data(), n);
  const int rc = ::pclose(pipe);
  if (status != nullptr) *status = rc;
  return output;
}

namespace {

// The texts and numbers of a dump by sheet and cell ("0 R1C2" -> line), with the sheet names.
std::map<std::string, std::string> TextsAndNumbers(const std::string& dump) {
  std::map<std::string, std::string> cells;
  std::istringstream lines(dump);
  int sheet = -1;
  for (std::string line; std::getline(lines, line);) {
    if (line.rfind("sheet\t", 0) == 0) {
      cells["sheet " + std::to_string(++sheet)] = line;
      continue;
    }
    const std::size_t tab = line.find('\t');
    const std::string kind = line.substr(tab + 1, line.find('\t', tab + 1) - tab - 1);
    if (kind == "text" || kind == "number") cells[std::to_string(sheet) + " " + line.substr(0, tab)] = line;
  }
  return cells;
}

}  // namespace

std::string XlrdDump(const std::string& path, bool formats) {
  const std::string script = std::string(XLS_TEST_SOURCE_DIR) + "/xlrd_dump.py";
  int status = 0;
  std::string out =
      RunCommand("/usr/bin/python3 '" + script + "' " + (formats ? "--formats " : "") + "'" + path + "'", &status);
  if (status != 0) ADD_FAILURE() << "xlrd could not read " << path << ":\n" << out;
  // FreeXL reads every workbook too: the same sheets, and the same texts and numbers where
  // xlrd sees texts and numbers (it has no booleans, errors or dates of its own). It reads no
  // formula results: a cell it reads as NULL is left out of the comparison.
  auto expected = TextsAndNumbers(formats ? RunCommand("/usr/bin/python3 '" + script + "' '" + path + "'") : out);
  const std::string freexlDump = FreeXLDump(path);
  auto freexl = TextsAndNumbers(freexlDump);
  std::istringstream lines(freexlDump);
  int sheet = -1;
  for (std::string line; std::getline(lines, line);) {
    if (line.rfind("sheet\t", 0) == 0)
      ++sheet;
    else if (line.find("\tblank\t") != std::string::npos)
      expected.erase(std::to_string(sheet) + " " + line.substr(0, line.find('\t')));
  }
  std::erase_if(freexl, [&](const auto& entry) { return !expected.contains(entry.first); });
  EXPECT_EQ(freexl, expected) << "FreeXL reads " << path << " otherwise than xlrd";
  return out;
}

std::string FreeXLDump(const std::string& path) {
  const void* handle = nullptr;
  std::ostringstream out;
  if (freexl_open(path.c_str(), &handle) != FREEXL_OK) {
    ADD_FAILURE() << "FreeXL could not open " << path;
    return {};
  }
  unsigned int sheets = 0;
  freexl_get_info(handle, FREEXL_BIFF_SHEET_COUNT, &sheets);
  for (unsigned short s = 0; s < sheets; ++s) {
    const char* name = nullptr;
    freexl_get_worksheet_name(handle, s, &name);
    out << "sheet\t" << (name != nullptr ? name : "") << "\n";
    freexl_select_active_worksheet(handle, s);
    unsigned int rows = 0;
    unsigned short cols = 0;
    freexl_worksheet_dimensions(handle, &rows, &cols);
    for (unsigned int r = 0; r < rows; ++r)
      for (unsigned short c = 0; c < cols; ++c) {
        FreeXL_CellValue value;
        if (freexl_get_cell_value(handle, r, c, &value) != FREEXL_OK) continue;
        out << "R" << r << "C" << c << "\t";
        switch (value.type) {
          case FREEXL_CELL_INT: out << "number\t" << number(value.value.int_value); break;
          case FREEXL_CELL_DOUBLE: out << "number\t" << number(value.value.double_value); break;
          case FREEXL_CELL_TEXT:
          case FREEXL_CELL_SST_TEXT: out << "text\t" << escape(value.value.text_value); break;
          case FREEXL_CELL_NULL: out << "blank\t"; break;
          default: out << "other\t" << (value.value.text_value != nullptr ? value.value.text_value : ""); break;
        }
        out << "\n";
      }
  }
  freexl_close(handle);
  return out.str();
}

TxlsSheetFrame DefaultFrame(int index, const WideString& title) {
  TxlsSheetFrame frame;
  frame.SheetIndex = index;
  frame.Title = title;
  return frame;
}

void WriteTestWorkbook(const std::string& path, const std::vector<TTestSheet>& sheets) {
  TxlsWorkbookFile file(path);
  TxlsWorkbookWriter writer(file.Stream());
  writer.WriteWorkbookPrologue();
  for (std::size_t s = 0; s < sheets.size(); ++s) {
    const TxlsSheetFrame frame = DefaultFrame(static_cast<int>(s), sheets[s].Title);
    writer.WriteSheetPrologue(frame);
    for (const TTestCell& cell : sheets[s].Cells) {
      switch (cell.Type) {
        case TTestCell::Text: writer.WriteLabelSST(cell.Row, cell.Col, cell.Str, cell.XF); break;
        case TTestCell::Number: writer.WriteNumber(cell.Row, cell.Col, cell.Num, cell.XF); break;
        case TTestCell::Boolean: writer.WriteBoolErr(cell.Row, cell.Col, cell.Num != 0, cell.XF); break;
        case TTestCell::Blank: writer.WriteBlank(cell.Row, cell.Col, cell.XF); break;
      }
    }
    writer.WriteSheetEpilogue(frame);
  }
  writer.WriteWorkbookGlobals({});
  file.Commit();
}

std::string ExpectedDump(const std::vector<TTestSheet>& sheets) {
  std::ostringstream out;
  for (const TTestSheet& sheet : sheets) {
    out << "sheet\t" << WideToUtf8(sheet.Title) << "\n";
    std::map<std::pair<int, int>, std::string> lines;
    for (const TTestCell& cell : sheet.Cells) {
      std::string line = "R" + std::to_string(cell.Row) + "C" + std::to_string(cell.Col) + "\t";
      switch (cell.Type) {
        case TTestCell::Text: {
          // The shared string table keeps one LF for CR LF and for a lone CR.
          std::string text = WideToUtf8(cell.Str), normal;
          for (std::size_t i = 0; i < text.size(); ++i) {
            if (text[i] == '\r') {
              normal += '\n';
              if (i + 1 < text.size() && text[i + 1] == '\n') ++i;
            } else {
              normal += text[i];
            }
          }
          line += "text\t" + escape(normal);
          break;
        }
        case TTestCell::Number: line += "number\t" + number(cell.Num); break;
        case TTestCell::Boolean: line += std::string("bool\t") + (cell.Num != 0 ? "1" : "0"); break;
        case TTestCell::Blank: line += "blank\t"; break;
      }
      lines[{cell.Row, cell.Col}] = line;
    }
    for (const auto& [key, line] : lines) out << line << "\n";
  }
  return out.str();
}
