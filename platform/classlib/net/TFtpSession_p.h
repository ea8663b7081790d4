// TFtpSession: one FTP control connection over libcurl, for TIdFTP only (may change at any
// time).
//
// libcurl speaks FTP by URL and keeps the control connection of an easy handle open between
// transfers, so a session is one easy handle whose options are set afresh for every command:
// the login (user, password), the time-outs, passive mode, and a URL that names the server path
// the command works on. Paths are always absolute and sent as they are (no CWD walk), so the
// server's working folder never matters to a transfer. Raw commands (CWD, PWD, DELE, FEAT) go
// as "quote" commands before the transfer; a command with nothing to transfer asks for no body.
// Every reply line the server sends is collected, for the replies a command needs (PWD, FEAT)
// and for the text of a failure.
//
// The commands run through a multi handle of the session's own, whose wait for the sockets is
// kept short: libcurl 7.88 can read a final reply into its buffer while the data connection
// still looks quiet, and its blocking call then sleeps a whole second before it looks again.
#pragma once

#include <curl/curl.h>

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

class TFtpSession {
public:
  struct TSettings {
    std::string Host;  // as the user typed it, UTF-8
    int Port = 21;
    std::string User;      // the server's encoding
    std::string Password;  // the server's encoding
    long ConnectTimeoutMs = 15000;
    long ReadTimeoutMs = 60000;
  };

  struct TRequest {
    std::string Path;        // absolute server path in the server's encoding; "" for none
    bool Directory = false;  // Path names a folder (a listing)
    bool Body = false;       // a transfer (RETR, STOR, a listing) rather than commands only
    const char* ListCommand = nullptr;  // "MLSD" or "LIST" for a listing
    std::vector<std::string> Quote;     // raw commands sent first; a leading "*" lets one fail
    bool Upload = false;
    std::int64_t UploadSize = -1;
    std::int64_t ResumeFrom = 0;
    // Bounds the whole command, however the server paces it; 0 for no bound.
    long TimeoutMs = 0;
    // Body bytes of a download or listing; false ends the transfer.
    std::function<bool(const char* Data, std::size_t Size)> Sink;
    // Fills an upload buffer; returns the bytes written, 0 at the end, or CURL_READFUNC_ABORT.
    std::function<std::size_t(char* Data, std::size_t Size)> Source;
    // Called often during the command with the bytes moved so far; false ends the command.
    std::function<bool(std::int64_t Moved)> Progress;
  };

  struct TResult {
    CURLcode Code = CURLE_OK;
    std::string Error;           // libcurl's description of a failure
    std::int64_t RemoteSize = -1;  // what the server said the file holds (SIZE, or the transfer's)
    bool Ok() const { return Code == CURLE_OK; }
  };

  TFtpSession();
  ~TFtpSession();
  TFtpSession(const TFtpSession&) = delete;
  TFtpSession& operator=(const TFtpSession&) = delete;

  // Runs one command; the reply lines of the server are in Replies() afterwards.
  TResult Perform(const TSettings& Settings, const TRequest& Request);
  const std::vector<std::string>& Replies() const { return replies_; }
  // The folder the server put the login in (its answer to the first PWD); "" when unknown.
  std::string EntryPath() const;
  // True while the control connection is open and the server has sent nothing unasked (a
  // server that closes an idle connection says so first, or just closes it).
  bool ConnectionAlive() const;
  // Drops the control connection at once. The socket is shut down first, so that a server that
  // no longer answers cannot hold up the polite QUIT libcurl sends while closing.
  void Close();

private:
  // Runs the prepared handle through the multi handle to its end.
  CURLcode run();
  static std::size_t onHeader(char* Data, std::size_t Size, std::size_t Count, void* Self);
  static std::size_t onWrite(char* Data, std::size_t Size, std::size_t Count, void* Self);
  static std::size_t onRead(char* Data, std::size_t Size, std::size_t Count, void* Self);
  static int onProgress(void* Self, curl_off_t DlTotal, curl_off_t DlNow, curl_off_t UlTotal, curl_off_t UlNow);

  CURLM* multi_ = nullptr;  // holds the open connection between commands
  CURL* handle_ = nullptr;
  curl_socket_t socket_ = CURL_SOCKET_BAD;  // the control connection after the last command
  const TRequest* request_ = nullptr;
  std::vector<std::string> replies_;
  std::string partial_;  // a reply line not ended yet
};
