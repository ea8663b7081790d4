#include "TFilePagesFixture.h"

#include <fcntl.h>
#include <sys/stat.h>

#include <algorithm>
#include <cstdio>
#include <fstream>
#include <iterator>

#include "CodePage.h"
#include "TIniFile.h"
#include "TListItem.h"
#include "TListItems.h"
#include "TListView.h"
#include "TPanel.h"
#include "TStrings.h"
#include "VxComm.h"
#include "uFileConvert.h"

namespace fs = std::filesystem;

namespace {

std::string readAll(const fs::path& Path) {
  std::ifstream in(Path, std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

}  // namespace

TFilePagesFixture::TFilePagesFixture() {
  // The first call makes the folder a seeded terminal.
  vxCheckPort();
}

void TFilePagesFixture::OpenCommPage(const std::string& ExtraOptions) {
  WriteSettings("[sysoptions]\nrunmode=1\nDir=" + terminal.Pc().string() + "\n" + ExtraOptions);
  CreateWindow();
  ASSERT_TRUE(WaitIdle());
}

std::string TFilePagesFixture::PcFolder() const { return terminal.Pc().string() + "/"; }

void TFilePagesFixture::WritePcFile(const std::string& Name, const std::string& Bytes) const {
  TVxTestTerminal::Write(terminal.Pc() / Name, Bytes);
}

std::string TFilePagesFixture::ReadPcFile(const std::string& Name) const { return readAll(terminal.Pc() / Name); }

bool TFilePagesFixture::PcFileExists(const std::string& Name) const { return fs::exists(terminal.Pc() / Name); }

void TFilePagesFixture::PutTerminalFile(std::int32_t Number, const std::string& Name, const std::string& Bytes,
                                        bool Recycled, std::time_t Modified) const {
  char prefix[16];
  std::snprintf(prefix, sizeof prefix, "%08d ", static_cast<int>(Number));
  const fs::path path = terminal.Folder() / (Recycled ? "recycle" : "files") / (prefix + Name);
  TVxTestTerminal::Write(path, Bytes);
  if (Modified != 0) SetModified(path, Modified);
}

std::time_t TFilePagesFixture::LocalTime(int Year, int Month, int Day, int Hour, int Minute) {
  std::tm when{};
  when.tm_year = Year - 1900;
  when.tm_mon = Month - 1;
  when.tm_mday = Day;
  when.tm_hour = Hour;
  when.tm_min = Minute;
  when.tm_isdst = -1;
  return std::mktime(&when);
}

void TFilePagesFixture::SetModified(const fs::path& Path, std::time_t Modified) {
  const timespec times[2] = {{Modified, 0}, {Modified, 0}};
  ASSERT_EQ(utimensat(AT_FDCWD, Path.c_str(), times, 0), 0);
}

void TFilePagesFixture::SetTerminalValue(const std::string& Section, const std::string& Key,
                                         const std::string& Value) const {
  TIniFile ini((terminal.Folder() / "terminal.ini").string());
  ini.WriteString(Section, Key, Value);
}

std::vector<std::string> TFilePagesFixture::TerminalNames(bool Recycled) const {
  std::vector<std::string> names;
  for (const auto& entry : fs::directory_iterator(terminal.Folder() / (Recycled ? "recycle" : "files"))) {
    const std::string file = entry.path().filename().string();
    names.push_back(file.substr(file.find(' ') + 1));
  }
  std::sort(names.begin(), names.end());
  return names;
}

std::string TFilePagesFixture::ReadTerminalFile(const std::string& Name) const {
  for (const auto& entry : fs::directory_iterator(terminal.Folder() / "files")) {
    const std::string file = entry.path().filename().string();
    if (file.substr(file.find(' ') + 1) == Name) return readAll(entry.path());
  }
  return {};
}

std::vector<std::string> TFilePagesFixture::Captions(const TListView* View) {
  std::vector<std::string> captions;
  for (int i = 0; i < View->Items()->Count(); ++i) captions.push_back(AnsiToUtf8(View->Items()->Item(i)->Caption()));
  return captions;
}

std::string TFilePagesFixture::Cell(const TListView* View, const std::string& Caption, int Column) {
  for (int i = 0; i < View->Items()->Count(); ++i) {
    const TListItem* item = View->Items()->Item(i);
    if (AnsiToUtf8(item->Caption()) != Caption) continue;
    if (Column == 0) return Caption;
    return Column - 1 < item->SubItems()->Count() ? AnsiToUtf8(item->SubItems()->Strings(Column - 1)) : "";
  }
  return {};
}

void TFilePagesFixture::Select(TListView* View, const std::vector<std::string>& CaptionsUtf8) {
  for (int i = 0; i < View->Items()->Count(); ++i) {
    TListItem* item = View->Items()->Item(i);
    const std::string caption = AnsiToUtf8(item->Caption());
    item->SetSelected(std::find(CaptionsUtf8.begin(), CaptionsUtf8.end(), caption) != CaptionsUtf8.end());
  }
}

std::string TFilePagesFixture::Status() const { return AnsiToUtf8(window->pnlState->Caption()); }

std::string TFilePagesFixture::TableAsText() const {
  if (dmUtils == nullptr) return {};
  const fs::path probe = terminal.Pc().parent_path() / "conversion-probe";
  fs::create_directories(probe);
  std::ofstream(probe / "KHDA.DBF", std::ios::binary) << ReadTerminalFile("KHDA.DBF");
  std::string text;
  if (dmUtils->ConvertFile((probe / "KHDA.DBF").string(), TConvertType::TXT)) text = readAll(probe / "KHDA.txt");
  fs::remove_all(probe);
  return text;
}

bool TFilePagesFixture::ConvertsTableInto(std::uint8_t Type) const {
  if (dmUtils == nullptr) return false;
  const fs::path probe = terminal.Pc().parent_path() / "conversion-probe";
  fs::create_directories(probe);
  std::ofstream(probe / "KHDA.DBF", std::ios::binary) << ReadTerminalFile("KHDA.DBF");
  const bool converts = dmUtils->ConvertFile((probe / "KHDA.DBF").string(), static_cast<TConvertType>(Type));
  fs::remove_all(probe);
  return converts;
}
