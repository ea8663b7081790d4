#include "TFtpSession_p.h"

#include <poll.h>
#include <sys/socket.h>

#include <memory>
#include <mutex>

namespace {

// libcurl's global set-up, once for the process (thread-safe from libcurl 7.84 on, and done
// once here all the same).
void initCurl() {
  static std::once_flag once;
  std::call_once(once, [] { curl_global_init(CURL_GLOBAL_DEFAULT); });
}

// The largest body buffer libcurl takes: fewer, larger writes for big files.
constexpr long BufferSize = 512 * 1024;
// The longest wait for a socket before libcurl looks at its buffers again.
constexpr int PollMs = 10;

bool unreserved(unsigned char c) {
  return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || (c >= '0' && c <= '9') || c == '-' || c == '.' ||
         c == '_' || c == '~';
}

// The URL path of an absolute server path: "/%2F" and the rest percent-encoded byte by byte,
// so that the path reaches the server exactly as given ("%2F" makes it absolute rather than
// relative to the login folder). A folder ends in "/" (libcurl then lists it).
std::string urlPath(const std::string& Path, bool Directory) {
  static const char hex[] = "0123456789ABCDEF";
  std::string url = "/%2F";
  std::size_t i = 0;
  while (i < Path.size() && Path[i] == '/') ++i;
  for (; i < Path.size(); ++i) {
    const auto c = static_cast<unsigned char>(Path[i]);
    if (unreserved(c) || c == '/') {
      url += static_cast<char>(c);
    } else {
      url += '%';
      url += hex[c >> 4];
      url += hex[c & 15];
    }
  }
  if (Directory && url.back() != '/') url += '/';
  return url;
}

long seconds(long Milliseconds) { return Milliseconds <= 0 ? 0 : (Milliseconds + 999) / 1000; }

struct TUrlDeleter {
  void operator()(CURLU* Url) const { curl_url_cleanup(Url); }
};
struct TListDeleter {
  void operator()(curl_slist* List) const { curl_slist_free_all(List); }
};

}  // namespace

TFtpSession::TFtpSession() { initCurl(); }

TFtpSession::~TFtpSession() { Close(); }

std::size_t TFtpSession::onHeader(char* Data, std::size_t Size, std::size_t Count, void* Self) {
  auto* self = static_cast<TFtpSession*>(Self);
  const std::size_t bytes = Size * Count;
  self->partial_.append(Data, bytes);
  std::size_t end = 0;
  while ((end = self->partial_.find('\n')) != std::string::npos) {
    std::string line = self->partial_.substr(0, end);
    if (!line.empty() && line.back() == '\r') line.pop_back();
    self->replies_.push_back(std::move(line));
    self->partial_.erase(0, end + 1);
  }
  // A reply line that never ends is no reply; it is not kept growing.
  if (self->partial_.size() > 64 * 1024) self->partial_.clear();
  return bytes;
}

std::size_t TFtpSession::onWrite(char* Data, std::size_t Size, std::size_t Count, void* Self) {
  auto* self = static_cast<TFtpSession*>(Self);
  const std::size_t bytes = Size * Count;
  // A command without a body gets libcurl's own header-like lines here; they are not data.
  if (self->request_ == nullptr || !self->request_->Body || !self->request_->Sink) return bytes;
  return self->request_->Sink(Data, bytes) ? bytes : 0;
}

std::size_t TFtpSession::onRead(char* Data, std::size_t Size, std::size_t Count, void* Self) {
  auto* self = static_cast<TFtpSession*>(Self);
  if (self->request_ == nullptr || !self->request_->Source) return 0;
  return self->request_->Source(Data, Size * Count);
}

int TFtpSession::onProgress(void* Self, curl_off_t, curl_off_t DlNow, curl_off_t, curl_off_t UlNow) {
  auto* self = static_cast<TFtpSession*>(Self);
  if (self->request_ == nullptr || !self->request_->Progress) return 0;
  return self->request_->Progress(self->request_->Upload ? UlNow : DlNow) ? 0 : 1;
}

TFtpSession::TResult TFtpSession::Perform(const TSettings& Settings, const TRequest& Request) {
  TResult result;
  replies_.clear();
  partial_.clear();
  if (multi_ == nullptr) multi_ = curl_multi_init();
  if (handle_ == nullptr) handle_ = curl_easy_init();
  if (multi_ == nullptr || handle_ == nullptr) {
    result.Code = CURLE_OUT_OF_MEMORY;
    result.Error = "libcurl could not be started";
    return result;
  }
  // Options of the previous command go; the open connection stays.
  curl_easy_reset(handle_);

  std::unique_ptr<CURLU, TUrlDeleter> url(curl_url());
  const std::string port = std::to_string(Settings.Port);
  if (!url || curl_url_set(url.get(), CURLUPART_SCHEME, "ftp", 0) != CURLUE_OK ||
      curl_url_set(url.get(), CURLUPART_HOST, Settings.Host.c_str(), 0) != CURLUE_OK ||
      curl_url_set(url.get(), CURLUPART_PORT, port.c_str(), 0) != CURLUE_OK ||
      curl_url_set(url.get(), CURLUPART_PATH, urlPath(Request.Path, Request.Directory).c_str(), 0) != CURLUE_OK) {
    result.Code = CURLE_URL_MALFORMAT;
    result.Error = "Invalid host name or port: " + Settings.Host;
    return result;
  }

  std::unique_ptr<curl_slist, TListDeleter> quote;
  for (const std::string& command : Request.Quote) {
    curl_slist* grown = curl_slist_append(quote.get(), command.c_str());
    if (grown == nullptr) {
      result.Code = CURLE_OUT_OF_MEMORY;
      result.Error = "Out of memory";
      return result;
    }
    quote.release();
    quote.reset(grown);
  }

  char error[CURL_ERROR_SIZE] = {};
  CURL* h = handle_;
  curl_easy_setopt(h, CURLOPT_CURLU, url.get());
  curl_easy_setopt(h, CURLOPT_PROTOCOLS_STR, "ftp");
  curl_easy_setopt(h, CURLOPT_USERNAME, Settings.User.c_str());
  curl_easy_setopt(h, CURLOPT_PASSWORD, Settings.Password.c_str());
  curl_easy_setopt(h, CURLOPT_ERRORBUFFER, error);
  curl_easy_setopt(h, CURLOPT_NOSIGNAL, 1L);
  // Passive mode (EPSV, then PASV); the address of a PASV reply is not followed, only its port,
  // so a server cannot send the data connection elsewhere.
  curl_easy_setopt(h, CURLOPT_FTP_SKIP_PASV_IP, 1L);
  curl_easy_setopt(h, CURLOPT_FTP_FILEMETHOD, static_cast<long>(CURLFTPMETHOD_NOCWD));
  curl_easy_setopt(h, CURLOPT_MAXCONNECTS, 1L);
  curl_easy_setopt(h, CURLOPT_BUFFERSIZE, BufferSize);
  // Time-outs: the connection and login, each reply, and a transfer that moves nothing.
  curl_easy_setopt(h, CURLOPT_CONNECTTIMEOUT_MS, Settings.ConnectTimeoutMs);
  curl_easy_setopt(h, CURLOPT_SERVER_RESPONSE_TIMEOUT, seconds(Settings.ReadTimeoutMs));
  curl_easy_setopt(h, CURLOPT_LOW_SPEED_LIMIT, 1L);
  curl_easy_setopt(h, CURLOPT_LOW_SPEED_TIME, seconds(Settings.ReadTimeoutMs));
  if (Request.TimeoutMs > 0) curl_easy_setopt(h, CURLOPT_TIMEOUT_MS, Request.TimeoutMs);
  curl_easy_setopt(h, CURLOPT_HEADERFUNCTION, &TFtpSession::onHeader);
  curl_easy_setopt(h, CURLOPT_HEADERDATA, this);
  curl_easy_setopt(h, CURLOPT_WRITEFUNCTION, &TFtpSession::onWrite);
  curl_easy_setopt(h, CURLOPT_WRITEDATA, this);
  curl_easy_setopt(h, CURLOPT_NOPROGRESS, 0L);
  curl_easy_setopt(h, CURLOPT_XFERINFOFUNCTION, &TFtpSession::onProgress);
  curl_easy_setopt(h, CURLOPT_XFERINFODATA, this);
  if (quote) curl_easy_setopt(h, CURLOPT_QUOTE, quote.get());
  if (!Request.Body) curl_easy_setopt(h, CURLOPT_NOBODY, 1L);
  if (Request.ListCommand != nullptr) curl_easy_setopt(h, CURLOPT_CUSTOMREQUEST, Request.ListCommand);
  if (Request.Upload) {
    curl_easy_setopt(h, CURLOPT_UPLOAD, 1L);
    curl_easy_setopt(h, CURLOPT_READFUNCTION, &TFtpSession::onRead);
    curl_easy_setopt(h, CURLOPT_READDATA, this);
    if (Request.UploadSize >= 0)
      curl_easy_setopt(h, CURLOPT_INFILESIZE_LARGE, static_cast<curl_off_t>(Request.UploadSize));
  }
  if (Request.ResumeFrom > 0)
    curl_easy_setopt(h, CURLOPT_RESUME_FROM_LARGE, static_cast<curl_off_t>(Request.ResumeFrom));

  request_ = &Request;
  result.Code = run();
  request_ = nullptr;
  if (!result.Ok()) result.Error = error[0] != '\0' ? std::string(error) : std::string(curl_easy_strerror(result.Code));
  curl_off_t size = -1;
  if (curl_easy_getinfo(h, CURLINFO_CONTENT_LENGTH_DOWNLOAD_T, &size) == CURLE_OK && size >= 0) result.RemoteSize = size;
  // The URL object goes with this call; the handle must not keep pointing at it.
  curl_easy_setopt(h, CURLOPT_CURLU, nullptr);
  curl_easy_setopt(h, CURLOPT_QUOTE, nullptr);
  curl_easy_setopt(h, CURLOPT_ERRORBUFFER, nullptr);
  return result;
}

CURLcode TFtpSession::run() {
  if (curl_multi_add_handle(multi_, handle_) != CURLM_OK) return CURLE_FAILED_INIT;
  CURLcode code = CURLE_OK;
  int running = 1;
  while (running > 0) {
    if (curl_multi_perform(multi_, &running) != CURLM_OK) {
      code = CURLE_FAILED_INIT;
      break;
    }
    if (running > 0 && curl_multi_poll(multi_, nullptr, 0, PollMs, nullptr) != CURLM_OK) {
      code = CURLE_FAILED_INIT;
      break;
    }
  }
  int left = 0;
  while (CURLMsg* message = curl_multi_info_read(multi_, &left))
    if (message->msg == CURLMSG_DONE && message->easy_handle == handle_) code = message->data.result;
  // The connection can be asked for only while the handle belongs to the multi handle.
  socket_ = CURL_SOCKET_BAD;
  if (curl_easy_getinfo(handle_, CURLINFO_ACTIVESOCKET, &socket_) != CURLE_OK) socket_ = CURL_SOCKET_BAD;
  curl_multi_remove_handle(multi_, handle_);
  return code;
}

std::string TFtpSession::EntryPath() const {
  char* path = nullptr;
  if (handle_ == nullptr || curl_easy_getinfo(handle_, CURLINFO_FTP_ENTRY_PATH, &path) != CURLE_OK || path == nullptr)
    return {};
  return path;
}

bool TFtpSession::ConnectionAlive() const {
  if (handle_ == nullptr || socket_ == CURL_SOCKET_BAD) return false;
  // Between commands the server has nothing to say: anything readable is the end of the
  // connection (a closed socket, or a "421" before the server closes it).
  pollfd fd{socket_, POLLIN, 0};
  const int ready = ::poll(&fd, 1, 0);
  return ready == 0;
}

void TFtpSession::Close() {
  if (socket_ != CURL_SOCKET_BAD) ::shutdown(socket_, SHUT_RDWR);
  socket_ = CURL_SOCKET_BAD;
  // The multi handle holds the connection: it goes first, then the easy handle.
  if (multi_ != nullptr) curl_multi_cleanup(multi_);
  multi_ = nullptr;
  if (handle_ != nullptr) curl_easy_cleanup(handle_);
  handle_ = nullptr;
}
