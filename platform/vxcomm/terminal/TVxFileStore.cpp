#include "TVxFileStore.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <atomic>
#include <charconv>
#include <cstdio>
#include <string_view>

#include "CodePage.h"
#include "EVxError.h"
#include "StringRoutines.h"
#include "SysPath.h"

namespace fs = std::filesystem;

namespace {

constexpr const char* FilesFolder = "files";
constexpr const char* RecycleFolder = "recycle";
constexpr std::string_view PartPrefix = ".part-";

struct StoredName {
  std::int32_t Number;
  std::string SysName;  // the name in the file system's encoding
};

// "00000012 CBSJ.DBF" -> 12 and "CBSJ.DBF"; anything else in the folders is not a terminal file.
std::optional<StoredName> parseStored(std::string_view fileName) {
  const std::size_t blank = fileName.find(' ');
  if (blank == std::string_view::npos || blank == 0 || blank > 10 || blank + 1 == fileName.size())
    return std::nullopt;
  std::int32_t number = 0;
  const auto [end, ec] = std::from_chars(fileName.data(), fileName.data() + blank, number);
  if (ec != std::errc() || end != fileName.data() + blank || number <= 0) return std::nullopt;
  return StoredName{number, std::string(fileName.substr(blank + 1))};
}

[[noreturn]] void storageFailed() { throw EVxError(vxErrStorage); }

void check(const std::error_code& ec) {
  if (ec) storageFailed();
}

// Walks the stored files of one folder, calling visit(number, sysName, path) for each.
template <class Visit>
void scan(const fs::path& folder, Visit&& visit) {
  std::error_code ec;
  fs::directory_iterator it(folder, ec);
  check(ec);
  for (const fs::directory_iterator end; it != end; it.increment(ec)) {
    check(ec);
    const std::string fileName = it->path().filename().string();
    if (auto stored = parseStored(fileName)) visit(stored->Number, stored->SysName, it->path());
  }
  check(ec);
}

TVxFileEntry makeEntry(std::int32_t number, const std::string& sysName, const fs::path& path, bool recycled) {
  struct stat st {};
  if (::stat(path.c_str(), &st) != 0) storageFailed();
  TVxFileEntry entry;
  entry.Number = number;
  entry.Name = FromSysPath(sysName);
  entry.Size = st.st_size;
  entry.Modified = st.st_mtim.tv_sec;
  entry.ModifiedNanoseconds = static_cast<int>(st.st_mtim.tv_nsec);
  entry.Recycled = recycled;
  entry.Path = path;
  return entry;
}

void move(const fs::path& from, const fs::path& to) {
  std::error_code ec;
  fs::rename(from, to, ec);
  check(ec);
}

}  // namespace

TVxFileStore::TVxFileStore(fs::path root) : root_(std::move(root)) {
  std::error_code ec;
  fs::create_directories(folder(false), ec);
  check(ec);
  fs::create_directories(folder(true), ec);
  check(ec);
  // Part files are only ever open within one call; any found now were left by a crash.
  for (fs::directory_iterator it(root_, ec), end; !ec && it != end; it.increment(ec)) {
    if (it->path().filename().string().starts_with(PartPrefix)) fs::remove(it->path(), ec);
  }
}

fs::path TVxFileStore::folder(bool recycled) const { return root_ / (recycled ? RecycleFolder : FilesFolder); }

fs::path TVxFileStore::storedPath(bool recycled, std::int32_t number, const AnsiString& name) const {
  char digits[16];
  std::snprintf(digits, sizeof digits, "%08d ", static_cast<int>(number));
  return folder(recycled) / (fs::path(digits) += ToSysPath(name));
}

std::vector<TVxFileEntry> TVxFileStore::List(bool recycled) const {
  std::vector<TVxFileEntry> entries;
  scan(folder(recycled), [&](std::int32_t number, const std::string& sysName, const fs::path& path) {
    entries.push_back(makeEntry(number, sysName, path, recycled));
  });
  std::sort(entries.begin(), entries.end(),
            [](const TVxFileEntry& a, const TVxFileEntry& b) { return a.Number < b.Number; });
  return entries;
}

std::optional<TVxFileEntry> TVxFileStore::Find(const AnsiString& name) const {
  // A folder written before names were matched this way may hold two that differ only in case:
  // the one spelt exactly is meant, else the one of the lowest number.
  struct TMatch {
    bool Exact;
    std::int32_t Number;
    std::string SysName;
    fs::path Path;
  };
  std::optional<TMatch> best;
  scan(folder(false), [&](std::int32_t number, const std::string& sysName, const fs::path& path) {
    const AnsiString stored = FromSysPath(sysName);
    if (!SameText(stored, name)) return;
    const bool exact = stored == name;
    if (!best || (exact && !best->Exact) || (exact == best->Exact && number < best->Number))
      best = TMatch{exact, number, sysName, path};
  });
  if (!best) return std::nullopt;
  return makeEntry(best->Number, best->SysName, best->Path, false);
}

std::optional<TVxFileEntry> TVxFileStore::Find(std::int32_t number) const {
  std::optional<TVxFileEntry> found;
  for (bool recycled : {false, true}) {
    scan(folder(recycled), [&](std::int32_t n, const std::string& sysName, const fs::path& path) {
      if (!found && n == number) found = makeEntry(n, sysName, path, recycled);
    });
  }
  return found;
}

std::int32_t TVxFileStore::HighestNumber() const {
  std::int32_t highest = 0;
  for (bool recycled : {false, true})
    scan(folder(recycled), [&](std::int32_t n, const std::string&, const fs::path&) { highest = std::max(highest, n); });
  return highest;
}

fs::path TVxFileStore::NewPartPath() const {
  static std::atomic<unsigned> counter{0};
  return root_ / (std::string(PartPrefix) + std::to_string(::getpid()) + "-" + std::to_string(++counter));
}

void TVxFileStore::Commit(TVxPartFile& part, std::int32_t number, const AnsiString& name, std::time_t modified) {
  part.Close();
  const timespec times[2] = {{0, UTIME_OMIT}, {modified, 0}};
  if (::utimensat(AT_FDCWD, part.Path().c_str(), times, 0) != 0) storageFailed();
  const fs::path target = storedPath(false, number, name);
  if (auto old = Find(number); old && old->Path != target) Remove(*old);
  part.MoveTo(target);
}

void TVxFileStore::MoveToRecycleBin(const TVxFileEntry& entry) {
  move(entry.Path, storedPath(true, entry.Number, entry.Name));
}

void TVxFileStore::Restore(const TVxFileEntry& entry) {
  move(entry.Path, storedPath(false, entry.Number, entry.Name));
}

void TVxFileStore::Remove(const TVxFileEntry& entry) {
  std::error_code ec;
  fs::remove(entry.Path, ec);
  check(ec);
}

void TVxFileStore::RemoveAll() {
  for (bool recycled : {false, true}) {
    std::vector<fs::path> paths;
    scan(folder(recycled), [&](std::int32_t, const std::string&, const fs::path& path) { paths.push_back(path); });
    std::error_code ec;
    for (const fs::path& path : paths) {
      fs::remove(path, ec);
      check(ec);
    }
  }
}

bool TVxFileStore::IsValidName(const AnsiString& name) {
  if (name.empty() || name.size() > NameMax || name == "." || name == "..") return false;
  if (name.back() == ' ' || name.back() == '.') return false;
  constexpr std::string_view forbidden = "\\/:*?\"<>|";
  // Walk by characters: the second byte of a double-byte character may look like '\' or '|'.
  for (std::size_t i = 0; i < name.size(); ++i) {
    const auto byte = static_cast<std::uint8_t>(name[i]);
    if (IsDBCSLeadByte(byte)) {
      if (i + 1 == name.size()) return false;  // a character cut in half
      ++i;
      continue;
    }
    if (byte < 0x20 || byte == 0x7F || forbidden.find(static_cast<char>(byte)) != std::string_view::npos) return false;
  }
  // The name must survive the trip to the file system's encoding and back unchanged.
  return FromSysPath(ToSysPath(name)) == name;
}
