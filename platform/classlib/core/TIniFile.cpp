#include "TIniFile.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <atomic>
#include <cerrno>
#include <cstring>
#include <mutex>
#include <string>
#include <utility>
#include <vector>

#include "Exception.h"
#include "FileDescriptor.h"
#include "FileReplace.h"
#include "StringRoutines.h"
#include "SysPath.h"
#include "TIniDocument_p.h"
#include "TStrings.h"
#include "TypInfo.h"
#include "Updating.h"

DEFINE_CLASS(TIniFile, TCustomIniFile)

namespace {

// One lock for every ini file of the process: a write re-reads, changes and replaces the file
// as one step, and a TIniFile may be shared between threads.
std::mutex& iniLock() {
  static std::mutex lock;
  return lock;
}

// Counts the writes of every TIniFile in the process. A parsed file is trusted only while the
// count is what it was when it was parsed (or written by the same object), so a write through
// another object is seen even when the file system's times are too coarse to tell.
std::atomic<std::uint64_t> writeCount{0};

// What tells one version of a file from another without reading it.
struct TFileSignature {
  bool Exists = false;
  dev_t Device = 0;
  ino_t Inode = 0;
  off_t Size = 0;
  std::int64_t Modified = 0;  // nanoseconds
  std::int64_t Changed = 0;
  bool operator==(const TFileSignature&) const = default;
};

std::int64_t nanoseconds(const timespec& t) { return std::int64_t{t.tv_sec} * 1000000000 + t.tv_nsec; }

TFileSignature signatureOf(const struct stat& st) {
  return {true, st.st_dev, st.st_ino, st.st_size, nanoseconds(st.st_mtim), nanoseconds(st.st_ctim)};
}

// Closes a file descriptor when it goes out of scope.
class TFd {
public:
  explicit TFd(int fd) : fd_(fd) {}
  ~TFd() {
    if (fd_ >= 0) ::close(fd_);
  }
  TFd(const TFd&) = delete;
  TFd& operator=(const TFd&) = delete;
  int get() const { return fd_; }

private:
  int fd_;
};

// Reads the whole file; returns 0 or the errno of the failure.
int readAll(int fd, std::string& bytes, std::size_t expected) {
  bytes.clear();
  bytes.reserve(expected);
  char buffer[65536];
  for (;;) {
    ssize_t n = ::read(fd, buffer, sizeof buffer);
    if (n == 0) return 0;
    if (n < 0) {
      if (errno == EINTR) continue;
      return errno;
    }
    bytes.append(buffer, static_cast<std::size_t>(n));
  }
}

bool hasLineBreak(const AnsiString& text) { return text.find_first_of("\r\n") != AnsiString::npos; }

// A value as the profile functions give it: one pair of enclosing quotes (both " or both ')
// removed, so that quotes can protect blanks at either end.
AnsiString unquoted(std::string_view v) {
  if (v.size() >= 2 && (v.front() == '"' || v.front() == '\'') && v.back() == v.front()) v = v.substr(1, v.size() - 2);
  return AnsiString(v);
}

// Replaces the lines of Strings, notifying its owner once.
void fill(TStrings* Strings, const std::vector<std::string>& Lines) {
  Updating(*Strings, [&] {
    Strings->Clear();
    for (const std::string& line : Lines) Strings->Add(line);
  });
}

}  // namespace

struct TIniFile::TFileState {
  bool Loaded = false;
  TFileSignature Signature;
  std::uint64_t WriteCount = 0;
  int ReadError = 0;  // errno of a file that exists but could not be read
  // The file last written and not yet flushed to the disk; empty when there is none.
  std::filesystem::path Unsynced;
};

TIniFile::TIniFile(const AnsiString& FileName)
    : TCustomIniFile(FileName),
      path_(ToSysPath(FileName)),
      document_(std::make_unique<TIniDocument>()),
      state_(std::make_unique<TFileState>()) {}

TIniFile::~TIniFile() {
  try {
    UpdateFile();
  } catch (const EIniFileException&) {
    // The text is in the file already; only the confirmation that it reached the disk failed,
    // and a destructor has no caller to tell.
  }
}

void TIniFile::refresh() {
  struct stat st;
  TFileSignature signature;
  if (::stat(path_.c_str(), &st) == 0) signature = signatureOf(st);
  if (state_->Loaded && signature == state_->Signature && state_->WriteCount == writeCount) return;

  std::string bytes;
  int error = 0;
  if (signature.Exists) {
    if (!S_ISREG(st.st_mode)) {
      error = S_ISDIR(st.st_mode) ? EISDIR : EINVAL;  // a folder or device is no ini file
    } else {
      TFd fd(::open(path_.c_str(), O_RDONLY | O_CLOEXEC));
      if (fd.get() < 0) {
        error = errno;
      } else {
        // The file may have been replaced since the stat: describe what was read.
        if (::fstat(fd.get(), &st) == 0) signature = signatureOf(st);
        error = readAll(fd.get(), bytes, static_cast<std::size_t>(st.st_size));
      }
    }
  }
  if (error != 0) bytes.clear();
  document_->Load(std::move(bytes));
  state_->Loaded = true;
  state_->Signature = signature;
  state_->WriteCount = writeCount;
  state_->ReadError = error;
}

[[noreturn]] void TIniFile::writeError(const AnsiString& Reason) const {
  throw EIniFileException("Unable to write to " + FileName() + ": " + Reason);
}

void TIniFile::checkName(const AnsiString& Name, bool IsKey) const {
  AnsiString name = Trim(Name);
  bool bad = name.empty() || hasLineBreak(Name);
  if (!bad && IsKey) bad = name.find('=') != AnsiString::npos || name[0] == '[' || name[0] == ';';
  // "]" may be the trail byte of a character: the header must end at the "]" written after the
  // name, which a name ending in a lead byte would take for its own second byte.
  if (!bad && !IsKey) bad = AnsiPos("]", name + "]") != static_cast<int>(name.size()) + 1;
  if (bad) writeError(AnsiString(IsKey ? "the key name \"" : "the section name \"") + Name + "\" cannot be stored in an ini file");
}

void TIniFile::save() {
  // Until the new text is in the file, the parsed one is not the file's: a failed write leaves
  // the next call to read the file again.
  state_->Loaded = false;
  if (state_->ReadError != 0) writeError(AnsiString("the file cannot be read (") + std::strerror(state_->ReadError) + ")");
  std::filesystem::path target, part;
  const int fd = OpenReplacingPart(path_, target, part);
  if (fd < 0) {
    const int error = errno;
    // A folder the user may not write holds a file he may: the settings still reach the file.
    struct stat old;
    if (::stat(target.c_str(), &old) == 0) return saveInPlace(target);
    writeError(std::strerror(error));
  }
  // A second descriptor outlives the commit, so that what is recorded is the renamed file
  // (the rename changes its times).
  TFd written(::dup(fd));
  const std::string text = document_->Save();
  if (WriteDescriptor(fd, text.data(), text.size()) != text.size()) {
    const int error = errno;
    DiscardReplacingPart(fd, part);
    writeError(std::strerror(error));
  }
  if (!CommitReplacingPart(fd, part, target)) writeError(std::strerror(errno));
  saved(written.get(), target);
}

void TIniFile::saveInPlace(const std::filesystem::path& target) {
  TFd fd(::open(target.c_str(), O_WRONLY | O_CLOEXEC));
  if (fd.get() < 0) writeError(std::strerror(errno));
  const std::string text = document_->Save();
  // Written over the old text, then cut to the new length: a failure in between leaves the
  // file whole up to where the write stopped.
  if (WriteDescriptor(fd.get(), text.data(), text.size()) != text.size()) writeError(std::strerror(errno));
  if (::ftruncate(fd.get(), static_cast<off_t>(text.size())) != 0) writeError(std::strerror(errno));
  saved(fd.get(), target);
}

void TIniFile::saved(int Fd, const std::filesystem::path& target) {
  struct stat written;
  state_->Signature = ::fstat(Fd, &written) == 0 ? signatureOf(written) : TFileSignature{};
  state_->WriteCount = ++writeCount;
  state_->Loaded = true;
  state_->Unsynced = target;
}

AnsiString TIniFile::ReadString(const AnsiString& Section, const AnsiString& Ident, const AnsiString& Default) {
  std::lock_guard lock(iniLock());
  refresh();
  std::optional<std::string_view> value = document_->Value(Section, Ident);
  return value ? unquoted(*value) : Default;
}

void TIniFile::WriteString(const AnsiString& Section, const AnsiString& Ident, const AnsiString& Value) {
  checkName(Section, false);
  checkName(Ident, true);
  if (hasLineBreak(Value)) writeError("the value of \"" + Ident + "\" holds a line break");
  std::lock_guard lock(iniLock());
  refresh();
  if (document_->SetValue(Section, Ident, Value)) save();
}

void TIniFile::ReadSection(const AnsiString& Section, TStrings* Strings) {
  std::lock_guard lock(iniLock());
  refresh();
  fill(Strings, document_->Keys(Section));
}

void TIniFile::ReadSections(TStrings* Strings) {
  std::lock_guard lock(iniLock());
  refresh();
  fill(Strings, document_->Sections());
}

void TIniFile::ReadSectionValues(const AnsiString& Section, TStrings* Strings) {
  std::lock_guard lock(iniLock());
  refresh();
  std::vector<std::string> lines;
  for (auto& [name, value] : document_->Entries(Section))
    lines.push_back(name + "=" + (value ? unquoted(*value) : AnsiString()));
  fill(Strings, lines);
}

void TIniFile::EraseSection(const AnsiString& Section) {
  std::lock_guard lock(iniLock());
  refresh();
  if (document_->EraseSection(Section)) save();
}

void TIniFile::DeleteKey(const AnsiString& Section, const AnsiString& Ident) {
  std::lock_guard lock(iniLock());
  refresh();
  if (document_->DeleteKey(Section, Ident)) save();
}

void TIniFile::UpdateFile() {
  std::lock_guard lock(iniLock());
  if (state_->Unsynced.empty()) return;
  // The file's data and then the folder entry the rename made.
  if (!SyncFileAndFolder(std::exchange(state_->Unsynced, {}))) writeError(std::strerror(errno));
}
