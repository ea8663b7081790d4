#include "FindFile.h"

#include <dirent.h>
#include <sys/stat.h>
#include <unicode/uchar.h>

#include <algorithm>
#include <cerrno>
#include <string>
#include <vector>

#include "CodePage.h"
#include "DateRoutines.h"
#include "FileNames.h"
#include "SysPath.h"

struct TSearchRec::TFindState {
  struct Entry {
    std::string SysName;  // as the file system has it, for the order
    AnsiString Name;
    std::int64_t Size;
    int Attr;
    TDateTime Time;
  };
  std::vector<Entry> Entries;
  std::size_t Next = 0;
};

TSearchRec::TSearchRec() = default;
TSearchRec::~TSearchRec() = default;
TSearchRec::TSearchRec(TSearchRec&&) noexcept = default;
TSearchRec& TSearchRec::operator=(TSearchRec&&) noexcept = default;

namespace {

char16_t fold(char16_t c) { return static_cast<char16_t>(u_foldCase(c, U_FOLD_CASE_DEFAULT)); }

// Wildcard match, "*" and "?", without regard to case.
bool matches(std::u16string_view mask, std::u16string_view name) {
  std::size_t m = 0, n = 0, starMask = std::u16string_view::npos, starName = 0;
  while (n < name.size()) {
    if (m < mask.size() && (mask[m] == u'?' || (mask[m] != u'*' && fold(mask[m]) == fold(name[n])))) {
      ++m;
      ++n;
    } else if (m < mask.size() && mask[m] == u'*') {
      starMask = m++;
      starName = n;
    } else if (starMask != std::u16string_view::npos) {
      m = starMask + 1;
      n = ++starName;
    } else {
      return false;
    }
  }
  while (m < mask.size() && mask[m] == u'*') ++m;
  return m == mask.size();
}

int attributesOf(const std::string& name, const struct stat& st) {
  int attr = 0;
  if (S_ISDIR(st.st_mode))
    attr |= faDirectory;
  else if (S_ISREG(st.st_mode))
    attr |= faArchive;
  else
    attr |= faSysFile;
  if ((st.st_mode & S_IWUSR) == 0) attr |= faReadOnly;
  if (name.size() > 1 && name[0] == '.' && name != "..") attr |= faHidden;
  return attr;
}

void fill(TSearchRec& f) {
  auto& state = *f.FindHandle;
  const auto& e = state.Entries[state.Next++];
  f.Name = e.Name;
  f.Size = e.Size;
  f.Attr = e.Attr;
  f.TimeStamp = e.Time;
  f.Time = DateTimeToFileDate(e.Time);
}

}  // namespace

int FindFirst(std::string_view Path, int Attr, TSearchRec& F) {
  FindClose(F);
  F.ExcludeAttr = ~Attr & (faHidden | faSysFile | faVolumeID | faDirectory);
  AnsiString dir = ExtractFilePath(Path);
  AnsiString maskText = ExtractFileName(Path);
  WideString mask = maskText == "*.*" ? u"*" : AnsiToWide(maskText);
  std::string sysDir = dir.empty() ? std::string(".") : ToSysPath(dir).string();

  DIR* handle = ::opendir(sysDir.c_str());
  if (handle == nullptr) return errno;
  auto state = std::make_unique<TSearchRec::TFindState>();
  while (dirent* entry = ::readdir(handle)) {
    std::string name = entry->d_name;
    if (!matches(mask, Utf8ToWide(name))) continue;
    std::string full = sysDir + "/" + name;
    struct stat st {};
    // A link that leads nowhere is still listed, as the link itself.
    if (::stat(full.c_str(), &st) != 0 && ::lstat(full.c_str(), &st) != 0) continue;
    int attr = attributesOf(name, st);
    if ((attr & F.ExcludeAttr) != 0) continue;
    state->Entries.push_back({name, FromSysPath(name), S_ISDIR(st.st_mode) ? 0 : static_cast<std::int64_t>(st.st_size),
                              attr, SystemTimeToDateTime(st.st_mtim.tv_sec, st.st_mtim.tv_nsec)});
  }
  ::closedir(handle);
  if (state->Entries.empty()) return ENOENT;
  std::sort(state->Entries.begin(), state->Entries.end(),
            [](const auto& a, const auto& b) { return a.SysName < b.SysName; });
  F.FindHandle = std::move(state);
  fill(F);
  return 0;
}

int FindNext(TSearchRec& F) {
  if (!F.FindHandle || F.FindHandle->Next >= F.FindHandle->Entries.size()) return ENOENT;
  fill(F);
  return 0;
}

void FindClose(TSearchRec& F) { F.FindHandle.reset(); }
