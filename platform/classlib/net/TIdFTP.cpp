#include "TIdFTP.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <atomic>
#include <cerrno>
#include <chrono>
#include <cstring>
#include <ctime>
#include <mutex>
#include <thread>

#include "CodePage.h"
#include "DateRoutines.h"
#include "FtpListing.h"
#include "SysPath.h"
#include "TFtpSession_p.h"
#include "TThread.h"
#include "TypInfo.h"

DEFINE_CLASS(TIdFTP, TComponent, Published::String("Host", &TIdFTP::Host, &TIdFTP::SetHost),
             Published::String("Username", &TIdFTP::Username, &TIdFTP::SetUsername),
             Published::String("Password", &TIdFTP::Password, &TIdFTP::SetPassword),
             Published::Integer("Port", &TIdFTP::Port, &TIdFTP::SetPort),
             Published::Integer("ConnectTimeout", &TIdFTP::ConnectTimeout, &TIdFTP::SetConnectTimeout),
             Published::Integer("ReadTimeout", &TIdFTP::ReadTimeout, &TIdFTP::SetReadTimeout),
             Published::Event("OnConnected", &TIdFTP::OnConnected),
             Published::Event("OnDisconnected", &TIdFTP::OnDisconnected),
             Published::Event("OnWorkBegin", &TIdFTP::OnWorkBegin), Published::Event("OnWork", &TIdFTP::OnWork),
             Published::Event("OnWorkEnd", &TIdFTP::OnWorkEnd))

namespace {

// A listing larger than this is no folder a person browses; the transfer is ended.
constexpr std::size_t MaxListing = 64u * 1024 * 1024;
// OnWork is handed to the main thread at most this often.
constexpr auto WorkInterval = std::chrono::milliseconds(100);
// A server's reply in an error message is cut to this many bytes.
constexpr std::size_t MaxReplyText = 300;

// The mutex of the session with its owner, so that a thread can tell that it holds the lock
// itself (an event handler of a main-thread command calling Disconnect) without locking twice.
class TUseLock {
public:
  bool TryLock() {
    if (owner_.load() == std::this_thread::get_id()) return false;
    if (!mutex_.try_lock()) return false;
    owner_.store(std::this_thread::get_id());
    return true;
  }
  void Unlock() {
    owner_.store(std::thread::id());
    mutex_.unlock();
  }

private:
  std::mutex mutex_;
  std::atomic<std::thread::id> owner_{};
};

bool hasLineBreakOrNul(const std::string& s) { return s.find_first_of(std::string("\r\n\0", 3)) != std::string::npos; }

// A text of the server fit for a message: control characters become blanks.
std::string printable(std::string s) {
  if (s.size() > MaxReplyText) s.resize(MaxReplyText);
  for (char& c : s)
    if (static_cast<unsigned char>(c) < 0x20 || c == 0x7F) c = ' ';
  return s;
}

bool isReplyLine(const std::string& line) {
  return line.size() >= 3 && line[0] >= '1' && line[0] <= '5' && line[1] >= '0' && line[1] <= '9' &&
         line[2] >= '0' && line[2] <= '9' && (line.size() == 3 || line[3] == ' ' || line[3] == '-');
}

// The last final reply of the server that says a command failed (4xx or 5xx); "" when none did.
std::string failureReply(const std::vector<std::string>& replies) {
  for (auto it = replies.rbegin(); it != replies.rend(); ++it)
    if (isReplyLine(*it) && ((*it)[0] == '4' || (*it)[0] == '5') && (it->size() == 3 || (*it)[3] == ' ')) return *it;
  return {};
}

// The path of a "257" reply (PWD): the text between the first quote and its closing quote, a
// doubled quote standing for one. "" when there is none.
std::string quotedPath(const std::string& reply) {
  const std::size_t open = reply.find('"');
  if (open == std::string::npos) return {};
  std::string path;
  for (std::size_t i = open + 1; i < reply.size(); ++i) {
    if (reply[i] != '"') {
      path += reply[i];
    } else if (i + 1 < reply.size() && reply[i + 1] == '"') {
      path += '"';
      ++i;
    } else {
      return path;
    }
  }
  return {};
}

TDateTime localTime(const TFtpRawEntry& e) {
  if (e.TimeIsUtc) {
    std::tm t{};
    t.tm_year = e.Year - 1900;
    t.tm_mon = e.Month - 1;
    t.tm_mday = e.Day;
    t.tm_hour = e.Hour;
    t.tm_min = e.Minute;
    t.tm_sec = e.Second;
    return SystemTimeToDateTime(timegm(&t), 0);
  }
  return EncodeDate(e.Year, e.Month, e.Day) + EncodeTime(e.Hour, e.Minute, e.Second, 0);
}

TIdDirItemType itemType(TFtpEntryKind kind) {
  switch (kind) {
    case fekDirectory: return ditDirectory;
    case fekLink: return ditSymbolicLink;
    case fekOther: return ditOther;
    case fekFile: break;
  }
  return ditFile;
}

// A local file, closed when it goes out of scope.
class TFileHandle {
public:
  explicit TFileHandle(int Fd) : fd_(Fd) {}
  ~TFileHandle() {
    if (fd_ >= 0) ::close(fd_);
  }
  TFileHandle(const TFileHandle&) = delete;
  TFileHandle& operator=(const TFileHandle&) = delete;
  int Get() const { return fd_; }
  // Closes the file; false (errno set) when the last writes could not be stored.
  bool Close() {
    const int fd = fd_;
    fd_ = -1;
    return ::close(fd) == 0;
  }

private:
  int fd_;
};

AnsiString systemError(const AnsiString& What, const AnsiString& FileName, int Error) {
  return What + " " + FileName + ": " + std::strerror(Error);
}

}  // namespace

void CheckLocalFileName(const AnsiString& Name) {
  if (Name.empty()) throw EIdFTPError("The server listed a file without a name.");
  // A backslash counts only as a character of its own, not as the second byte of a double-byte
  // character (which GBK allows).
  bool refused = Name.find("..") != AnsiString::npos;
  for (std::size_t i = 0; i < Name.size() && !refused; ++i) {
    const auto c = static_cast<unsigned char>(Name[i]);
    if (IsDBCSLeadByte(c) && i + 1 < Name.size() && IsDBCSTrailByte(static_cast<unsigned char>(Name[i + 1]))) {
      ++i;
      continue;
    }
    refused = c < 0x20 || c == 0x7F || c == '/' || c == '\\';
  }
  if (refused)
    throw EIdFTPError("The server's name \"" + printable(Name) +
                      "\" cannot name a local file: it holds a folder delimiter, \"..\" or a control character.");
}

struct TIdFTP::Data {
  AnsiString host;
  AnsiString username;
  AnsiString password;
  int port = 21;
  int connectTimeout = 15000;
  int readTimeout = 60000;

  TUseLock use;                            // held while a command runs on the session
  std::atomic<bool> connected{false};
  std::atomic<bool> abort{false};          // ends the running transfer
  std::atomic<bool> closeRequested{false}; // Disconnect came while a command ran
  TFtpSession session;
  TFtpSession::TSettings settings;         // those of the open connection
  bool utf8 = false;
  bool mlsd = false;
  std::string currentDir = "/";            // the server's encoding
  std::vector<TIdFTPListItem> listing;
  // Events handed to the main thread run only while this lives.
  std::shared_ptr<int> alive = std::make_shared<int>(0);
};

// One command on the session: holds its lock (refusing when another command runs) and, once
// released, runs OnDisconnected when the command found the connection gone.
class TIdFTP::TCommand {
public:
  explicit TCommand(TIdFTP& Ftp, bool NeedConnection = true) : ftp_(Ftp), d_(*Ftp.d_) {
    if (!d_.use.TryLock()) throw EIdFTPError("The connection is busy with another transfer.");
    locked_ = true;
    if (d_.closeRequested.exchange(false)) d_.session.Close();
    d_.abort.store(false);
    // Time-outs changed while connected apply from the next command on.
    d_.settings.ConnectTimeoutMs = d_.connectTimeout;
    d_.settings.ReadTimeoutMs = d_.readTimeout;
    if (NeedConnection && !d_.connected.load()) {
      release();
      throw EIdFTPError("Not connected.");
    }
  }
  ~TCommand() { release(); }
  TCommand(const TCommand&) = delete;
  TCommand& operator=(const TCommand&) = delete;

  TFtpSession::TResult Perform(const TFtpSession::TRequest& Request) {
    TFtpSession::TResult result = d_.session.Perform(d_.settings, Request);
    if (d_.closeRequested.exchange(false)) {
      // Disconnect came during the command: the connection goes now; the event has run.
      d_.session.Close();
      throw EIdFTPError("The connection was closed.");
    }
    if (result.Ok()) return result;
    failure_ = describe(result);
    reply_ = failureReply(d_.session.Replies());
    if (d_.connected.load() && !d_.session.ConnectionAlive()) {
      // libcurl ends the control connection after some refusals ("550" to a CWD, say). A
      // server that answered is still there: the session goes on with a new login. Without an
      // answer, or with "421" (the server is closing), the connection is lost.
      const std::string& reply = reply_;
      if (reply.empty() || reply.rfind("421", 0) == 0 || !login()) {
        d_.session.Close();
        if (d_.connected.exchange(false)) lost_ = true;
      }
    }
    return result;
  }

  // The server's reply that refused the last command ("" when none did).
  const std::string& FailureReply() const { return reply_; }

  // Logs in on a new connection (the settings of the open one).
  bool login() {
    TFtpSession::TRequest request;
    if (d_.utf8) request.Quote = {"*OPTS UTF8 ON"};
    return d_.session.Perform(d_.settings, request).Ok();
  }

  // A file transfer, told by the work events: OnWorkBegin with Max, OnWork as bytes move, and
  // the last count and OnWorkEnd however the transfer ends.
  TFtpSession::TResult Transfer(TFtpSession::TRequest& Request, TWorkMode Mode, std::int64_t Max) {
    using Clock = std::chrono::steady_clock;
    TIdFTP* ftp = &ftp_;
    std::int64_t moved = 0;
    std::int64_t shown = 0;
    Clock::time_point last = Clock::now();
    Request.Progress = [&](std::int64_t Moved) {
      moved = Moved;
      if (moved != shown && Clock::now() - last >= WorkInterval) {
        shown = moved;
        last = Clock::now();
        ftp->deliver([ftp, Mode, count = moved] {
          if (ftp->OnWork) ftp->OnWork(ftp, Mode, count);
        });
      }
      return !d_.abort.load();
    };
    ftp->deliver([ftp, Mode, Max] {
      if (ftp->OnWorkBegin) ftp->OnWorkBegin(ftp, Mode, Max);
    });
    struct TEnd {
      TIdFTP* Ftp;
      TWorkMode Mode;
      const std::int64_t& Moved;
      const std::int64_t& Shown;
      ~TEnd() {
        if (Moved != Shown)
          Ftp->deliver(
              [ftp = Ftp, mode = Mode, count = Moved] {
                if (ftp->OnWork) ftp->OnWork(ftp, mode, count);
              },
              true);
        Ftp->deliver(
            [ftp = Ftp, mode = Mode] {
              if (ftp->OnWorkEnd) ftp->OnWorkEnd(ftp, mode);
            },
            true);
      }
    } end{ftp, Mode, moved, shown};
    return Perform(Request);
  }

  // Raises the failure of a command: Local when given, else what the last Perform said.
  [[noreturn]] void Fail(const AnsiString& Local = {}) {
    AnsiString message = Local.empty() ? failure_ : Local;
    if (lost_) message += " (the connection was lost)";
    throw EIdFTPError(message);
  }

  void release() {
    if (!locked_) return;
    locked_ = false;
    d_.use.Unlock();
    if (lost_) ftp_.fireDisconnected(true);
  }

private:
  TIdFTP& ftp_;
  TIdFTP::Data& d_;
  // The server's reply when it refused, else what failed.
  AnsiString describe(const TFtpSession::TResult& Result) const {
    if (Result.Code == CURLE_ABORTED_BY_CALLBACK) return "The transfer was ended.";
    const std::string reply = failureReply(d_.session.Replies());
    if (!reply.empty()) return ftp_.fromServer(printable(reply));
    std::string text = curl_easy_strerror(Result.Code);
    if (!Result.Error.empty() && Result.Error != text) text += ": " + Result.Error;
    return printable(text);
  }

  bool locked_ = false;
  bool lost_ = false;
  AnsiString failure_;
  std::string reply_;
};

TIdFTP::TIdFTP(TComponent* AOwner) : TComponent(AOwner), d_(std::make_unique<Data>()) {}

TIdFTP::~TIdFTP() {
  // Handed-over events of this component must not run any more.
  d_->alive.reset();
  d_->abort.store(true);
}

const AnsiString& TIdFTP::Host() const { return d_->host; }
void TIdFTP::SetHost(const AnsiString& Value) { d_->host = Value; }
const AnsiString& TIdFTP::Username() const { return d_->username; }
void TIdFTP::SetUsername(const AnsiString& Value) { d_->username = Value; }
const AnsiString& TIdFTP::Password() const { return d_->password; }
void TIdFTP::SetPassword(const AnsiString& Value) { d_->password = Value; }
int TIdFTP::Port() const { return d_->port; }
void TIdFTP::SetPort(int Value) { d_->port = Value; }
int TIdFTP::ConnectTimeout() const { return d_->connectTimeout; }
void TIdFTP::SetConnectTimeout(int Value) { d_->connectTimeout = Value; }
int TIdFTP::ReadTimeout() const { return d_->readTimeout; }
void TIdFTP::SetReadTimeout(int Value) { d_->readTimeout = Value; }

std::string TIdFTP::toServer(const AnsiString& Text) const { return d_->utf8 ? AnsiToUtf8(Text) : Text; }
AnsiString TIdFTP::fromServer(const std::string& Text) const { return d_->utf8 ? Utf8ToAnsi(Text) : Text; }

void TIdFTP::deliver(std::function<void()> Event, bool Later) {
  if (IsMainThread() && !Later) {
    Event();
    return;
  }
  TThread::Queue(nullptr, [alive = std::weak_ptr<int>(d_->alive), Event = std::move(Event)] {
    if (!alive.expired()) Event();
  });
}

void TIdFTP::fireConnected() {
  deliver([this] {
    if (OnConnected) OnConnected(this);
  });
}

void TIdFTP::fireDisconnected(bool Later) {
  deliver(
      [this] {
        if (OnDisconnected) OnDisconnected(this);
      },
      Later);
}

std::string TIdFTP::serverPath(const AnsiString& Name) const {
  std::string name = toServer(Name);
  if (hasLineBreakOrNul(name)) throw EIdFTPError("The name cannot be sent to the server: " + printable(Name));
  if (!name.empty() && name.front() == '/') return name;
  std::string path = d_->currentDir;
  if (name.empty()) return path;
  if (path.empty() || path.back() != '/') path += '/';
  return path + name;
}

bool TIdFTP::Connected() {
  if (!d_->connected.load()) return false;
  if (!d_->use.TryLock()) return true;  // a command runs: it tells when the connection ends
  bool lost = false;
  if (!d_->session.ConnectionAlive()) {
    d_->session.Close();
    lost = d_->connected.exchange(false);
  }
  d_->use.Unlock();
  if (lost) fireDisconnected(true);
  return !lost && d_->connected.load();
}

void TIdFTP::Connect() {
  // An open connection ends first, as a disconnect.
  Disconnect();
  {
    TCommand command(*this, false);
    d_->session.Close();
    if (d_->port < 1 || d_->port > 65535) throw EIdFTPError("Invalid port number: " + std::to_string(d_->port));
    if (d_->host.empty()) throw EIdFTPError("No host name given.");
    for (char c : d_->host)
      if (static_cast<unsigned char>(c) <= ' ' || std::string_view("/\\@?#").find(c) != std::string_view::npos)
        throw EIdFTPError("Invalid host name: " + printable(d_->host));
    // The login goes before the server's encoding is known: the program's own text.
    d_->utf8 = false;
    TFtpSession::TSettings settings;
    settings.Host = AnsiToUtf8(d_->host);
    settings.Port = d_->port;
    settings.User = d_->username.empty() ? AnsiString("anonymous") : d_->username;
    settings.Password = d_->password;
    if (hasLineBreakOrNul(settings.User) || hasLineBreakOrNul(settings.Password))
      throw EIdFTPError("The user name or password holds a line break.");
    settings.ConnectTimeoutMs = d_->connectTimeout;
    settings.ReadTimeoutMs = d_->readTimeout;
    d_->settings = settings;

    TFtpSession::TRequest login;
    login.Quote = {"*FEAT"};
    TFtpSession::TResult result = command.Perform(login);
    if (!result.Ok()) {
      d_->session.Close();
      command.Fail();
    }
    // The features are the lines between "211-" and "211 ".
    bool inFeatures = false;
    d_->mlsd = false;
    for (const std::string& line : d_->session.Replies()) {
      if (line.rfind("211-", 0) == 0) {
        inFeatures = true;
      } else if (inFeatures && line.rfind("211", 0) == 0) {
        inFeatures = false;
      } else if (inFeatures) {
        const std::size_t start = line.find_first_not_of(' ');
        if (start == std::string::npos) continue;
        const std::string feature = line.substr(start);
        if (feature == "UTF8" || feature.rfind("UTF8 ", 0) == 0) d_->utf8 = true;
        if (feature.rfind("MLST", 0) == 0 || feature.rfind("MLSD", 0) == 0) d_->mlsd = true;
      }
    }
    std::string entry = d_->session.EntryPath();
    if (d_->utf8) {
      TFtpSession::TRequest utf8;
      utf8.Quote = {"*OPTS UTF8 ON"};
      result = command.Perform(utf8);
      if (!result.Ok()) {
        d_->session.Close();
        command.Fail();
      }
    }
    d_->currentDir = !entry.empty() && entry.front() == '/' ? entry : "/";
    d_->listing.clear();
    d_->connected.store(true);
  }
  fireConnected();
}

void TIdFTP::Disconnect() {
  if (!d_->use.TryLock()) {
    // A command runs: it ends, and closes the connection once it has.
    d_->closeRequested.store(true);
    d_->abort.store(true);
    if (d_->connected.exchange(false)) fireDisconnected();
    return;
  }
  const bool was = d_->connected.exchange(false);
  d_->session.Close();
  d_->use.Unlock();
  if (was) fireDisconnected();
}

void TIdFTP::Abort() { d_->abort.store(true); }

void TIdFTP::ChangeDir(const AnsiString& Dir) {
  TCommand command(*this);
  const std::string target = serverPath(Dir);
  TFtpSession::TRequest request;
  request.Quote = {"CWD " + target, "PWD"};
  const TFtpSession::TResult result = command.Perform(request);
  if (!result.Ok()) command.Fail();
  std::string path;
  for (const std::string& line : d_->session.Replies())
    if (line.rfind("257", 0) == 0) path = quotedPath(line);
  d_->currentDir = !path.empty() && path.front() == '/' ? path : target;
}

AnsiString TIdFTP::RetrieveCurrentDir() const { return fromServer(d_->currentDir); }

void TIdFTP::List() {
  using Clock = std::chrono::steady_clock;
  TCommand command(*this);
  // A listing is read while its caller (the window, as a rule) waits. A server that sends a
  // byte now and then never meets the no-data time-out, so the whole listing, a second try
  // with LIST included, gets no more than that time.
  const long limit = d_->settings.ReadTimeoutMs;
  const Clock::time_point deadline = Clock::now() + std::chrono::milliseconds(std::max(limit, 0L));
  const auto timeLeft = [&]() -> long {
    if (limit <= 0) return 0;
    const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(deadline - Clock::now()).count();
    return std::max<long>(static_cast<long>(left), 1);
  };
  std::string text;
  bool tooLong = false;
  TFtpSession::TRequest request;
  request.Path = d_->currentDir;
  request.Directory = true;
  request.Body = true;
  request.TimeoutMs = timeLeft();
  request.ListCommand = d_->mlsd ? "MLSD" : "LIST";
  request.Sink = [&](const char* Data, std::size_t Size) {
    if (text.size() + Size > MaxListing) {
      tooLong = true;
      return false;
    }
    text.append(Data, Size);
    return true;
  };
  request.Progress = [this](std::int64_t) { return !d_->abort.load(); };
  TFtpSession::TResult result = command.Perform(request);
  bool mlsd = d_->mlsd;
  if (!result.Ok() && mlsd && !tooLong && d_->connected.load()) {
    // A server that announced MLST but does not list with MLSD: its LIST.
    const std::string& reply = command.FailureReply();
    if (reply.rfind("500", 0) == 0 || reply.rfind("502", 0) == 0 || reply.rfind("504", 0) == 0) {
      text.clear();
      mlsd = false;
      request.ListCommand = "LIST";
      request.TimeoutMs = timeLeft();
      result = command.Perform(request);
    }
  }
  if (tooLong) command.Fail("The server's listing is larger than 64 MiB.");
  if (!result.Ok()) command.Fail();

  int year = 0, month = 0, day = 0;
  DecodeDate(Date(), year, month, day);
  std::vector<TIdFTPListItem> listing;
  for (const TFtpRawEntry& raw : ParseFtpListing(text, mlsd ? lfMlsd : lfList, TFtpToday{year, month, day})) {
    TIdFTPListItem item;
    item.FileName = fromServer(raw.Name);
    item.ItemType = itemType(raw.Kind);
    item.Size = raw.Size;
    if (raw.HasTime) {
      item.ModifiedDate = localTime(raw);
      item.HasModifiedDate = true;
    }
    listing.push_back(std::move(item));
  }
  d_->listing = std::move(listing);
}

const std::vector<TIdFTPListItem>& TIdFTP::DirectoryListing() const { return d_->listing; }

void TIdFTP::Get(const AnsiString& Source, const AnsiString& Dest, bool CanOverwrite, bool Resume) {
  TCommand command(*this);
  const std::string source = serverPath(Source);
  const std::filesystem::path local = ToSysPath(Dest);
  struct stat info {};
  const bool exists = ::stat(local.c_str(), &info) == 0;
  if (exists && !CanOverwrite && !Resume) throw EIdFTPError("The file " + Dest + " exists.");
  const std::int64_t resumeFrom = exists && Resume && S_ISREG(info.st_mode) ? info.st_size : 0;
  TFileHandle file(::open(local.c_str(), O_WRONLY | O_CREAT | O_CLOEXEC | (resumeFrom > 0 ? O_APPEND : O_TRUNC), 0666));
  if (file.Get() < 0) throw EIdFTPError(systemError("Cannot create", Dest, errno));

  int writeError = 0;
  TFtpSession::TRequest request;
  request.Path = source;
  request.Body = true;
  request.ResumeFrom = resumeFrom;
  request.Sink = [&](const char* Data, std::size_t Size) {
    while (Size > 0) {
      const ssize_t written = ::write(file.Get(), Data, Size);
      if (written < 0) {
        if (errno == EINTR) continue;
        writeError = errno;
        return false;
      }
      Data += written;
      Size -= static_cast<std::size_t>(written);
    }
    return true;
  };
  const TFtpSession::TResult result = command.Transfer(request, wmRead, 0);
  const bool closed = file.Close();
  if (writeError != 0) command.Fail(systemError("Cannot write", Dest, writeError));
  if (!result.Ok()) command.Fail();
  if (!closed) command.Fail(systemError("Cannot write", Dest, errno));
}

void TIdFTP::Put(const AnsiString& Source, const AnsiString& Dest) {
  TCommand command(*this);
  const std::string target = serverPath(Dest);
  TFileHandle file(::open(ToSysPath(Source).c_str(), O_RDONLY | O_CLOEXEC));
  if (file.Get() < 0) throw EIdFTPError(systemError("Cannot open", Source, errno));
  struct stat info {};
  if (::fstat(file.Get(), &info) != 0 || !S_ISREG(info.st_mode)) throw EIdFTPError("Not a file: " + Source);

  int readError = 0;
  TFtpSession::TRequest request;
  request.Path = target;
  request.Body = true;
  request.Upload = true;
  request.UploadSize = info.st_size;
  request.Source = [&](char* Data, std::size_t Size) -> std::size_t {
    for (;;) {
      const ssize_t got = ::read(file.Get(), Data, Size);
      if (got >= 0) return static_cast<std::size_t>(got);
      if (errno == EINTR) continue;
      readError = errno;
      return CURL_READFUNC_ABORT;
    }
  };
  const TFtpSession::TResult result = command.Transfer(request, wmWrite, info.st_size);
  if (readError != 0) command.Fail(systemError("Cannot read", Source, readError));
  if (!result.Ok()) command.Fail();
}

void TIdFTP::Delete(const AnsiString& FileName) {
  TCommand command(*this);
  TFtpSession::TRequest request;
  request.Quote = {"DELE " + serverPath(FileName)};
  const TFtpSession::TResult result = command.Perform(request);
  if (!result.Ok()) command.Fail();
}

std::int64_t TIdFTP::Size(const AnsiString& FileName) {
  TCommand command(*this);
  TFtpSession::TRequest request;
  request.Path = serverPath(FileName);
  const TFtpSession::TResult result = command.Perform(request);
  if (!result.Ok()) {
    if (!d_->connected.load()) command.Fail();
    return -1;
  }
  return result.RemoteSize;
}
