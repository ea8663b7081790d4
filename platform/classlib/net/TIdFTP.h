// TIdFTP: the FTP client component: one connection to an FTP server, its working folder, the
// folder's listing, and file transfers both ways, with progress events.
//
//   ftp->SetHost("ftp.example.com"); ftp->SetUsername("meter"); ftp->SetPassword("...");
//   ftp->Connect();                               // logs in; OnConnected
//   ftp->ChangeDir("data");                       // relative to the working folder, or "/..."
//   ftp->List();                                  // DirectoryListing() holds the entries
//   ftp->Get("CBSJ.DBF", "/tmp/x/CBSJ.DBF", true, false);   // OnWorkBegin, OnWork..., OnWorkEnd
//   ftp->Put("/tmp/x/CBSJ.txt", "CBSJ.txt");
//   ftp->Disconnect();                            // OnDisconnected
//
// Names and paths are AnsiString in the ANSI code page. A server that announces UTF-8 (FEAT)
// gets and gives its names in UTF-8, converted here; any other server's names pass as their
// bytes. Server paths use "/"; a name without a leading "/" is taken relative to the working
// folder. Transfers are binary and use passive mode.
//
// Failures raise EIdFTPError with a message in English: the server's reply where it refused a
// command ("550 No such file or directory."), else what failed (the host that does not
// resolve, the refused connection, the time-out). No reply or name the server sends can make a
// command carry a line break: a name holding CR, LF or NUL is refused before it is sent.
//
// Time-outs: ConnectTimeout (default 15000 ms) bounds the connection and the login;
// ReadTimeout (default 60000 ms) bounds the wait for each reply, a transfer during which no
// byte moves, and a whole listing, however slowly the server sends it. A server that stops
// answering so ends the command with an EIdFTPError ("Timeout was reached: ...").
//
// Threads. The component is made and freed on the main thread; its commands may run on another
// thread (a worker), one command at a time. A command started while another one runs raises
// EIdFTPError ("busy") at once rather than waiting. Disconnect and Abort may be called from any
// thread at any time: during a transfer they end it, and the transfer raises EIdFTPError. The
// events always run on the main thread: at once for a command of the main thread, handed over
// (TThread::Queue) for a command of any other thread; handed-over events are dropped once the
// component is gone. OnWork runs at most about ten times a second, and once more with the final
// count before OnWorkEnd.
//
// The connection can end by itself (the server closes it, or a failure breaks it); Connected or
// the failing command notices this, and OnDisconnected is handed over to the main thread.
// OnWorkEnd, too, is always handed over.
//
// Published: Host, Username, Password, Port (default 21), ConnectTimeout, ReadTimeout, and the
// events OnConnected, OnDisconnected, OnWorkBegin, OnWork, OnWorkEnd (with TComponent's Name and
// Tag).
#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "Exception.h"
#include "TComponent.h"

class EIdFTPError : public Exception {
public:
  using Exception::Exception;
};

// Raises EIdFTPError, saying why, when Name - a name from a server's listing - cannot serve as
// the name of a local file: it is empty, holds a path delimiter ("/" or "\\"), "..", or a
// control character. A fetch into a folder under such a name could land outside the folder.
void CheckLocalFileName(const AnsiString& Name);

enum class TWorkMode { wmRead, wmWrite };
using enum TWorkMode;

using TWorkBeginEvent = std::function<void(TObject* Sender, TWorkMode AWorkMode, std::int64_t AWorkCountMax)>;
using TWorkEvent = std::function<void(TObject* Sender, TWorkMode AWorkMode, std::int64_t AWorkCount)>;
using TWorkEndEvent = std::function<void(TObject* Sender, TWorkMode AWorkMode)>;

enum class TIdDirItemType { ditFile, ditDirectory, ditSymbolicLink, ditOther };
using enum TIdDirItemType;

// One entry of a folder's listing.
struct TIdFTPListItem {
  AnsiString FileName;
  TIdDirItemType ItemType = ditFile;
  std::int64_t Size = -1;        // -1 when the listing gives none
  TDateTime ModifiedDate = 0;    // local time; 0 when the listing gives none
  bool HasModifiedDate = false;
};

class TIdFTP : public TComponent {
  DECLARE_CLASS(TIdFTP, TComponent)

  explicit TIdFTP(TComponent* AOwner);
  ~TIdFTP() override;

  const AnsiString& Host() const;
  void SetHost(const AnsiString& Value);
  const AnsiString& Username() const;
  void SetUsername(const AnsiString& Value);
  const AnsiString& Password() const;
  void SetPassword(const AnsiString& Value);
  // 1 to 65535; Connect refuses any other value.
  int Port() const;
  void SetPort(int Value);
  int ConnectTimeout() const;
  void SetConnectTimeout(int Value);
  int ReadTimeout() const;
  void SetReadTimeout(int Value);

  // True while logged in. Between commands it also looks whether the server has closed the
  // connection, and if so ends it here too (OnDisconnected).
  bool Connected();
  // Connects and logs in; the working folder is the one the server gives the login. Raises
  // EIdFTPError when the host is empty or invalid, the port is out of range, the server cannot
  // be reached or refuses the login. An open connection is closed first.
  void Connect();
  // Ends the connection (nothing when there is none); a running transfer ends with an error.
  void Disconnect();
  // Ends a running transfer with an error and keeps the connection when it can.
  void Abort();

  // Makes Dir the working folder (relative to the current one, or absolute) and reads back
  // what the server calls it.
  void ChangeDir(const AnsiString& Dir);
  // The working folder as the server named it at the last change (or at the login).
  AnsiString RetrieveCurrentDir() const;
  // Lists the working folder into DirectoryListing: MLSD where the server offers it, else LIST
  // (Unix and DOS forms). Entries "." and ".." are left out; an empty folder gives an empty
  // listing. A listing above 64 MiB of text, or one that takes longer than ReadTimeout, is
  // refused.
  void List();
  // The entries of the last List, in the server's order (main thread, or the thread that lists).
  const std::vector<TIdFTPListItem>& DirectoryListing() const;

  // Fetches server file Source into local file Dest. An existing Dest is replaced when
  // CanOverwrite, continued from its size when Resume, else refused. A failed or ended transfer
  // leaves what had arrived in Dest.
  void Get(const AnsiString& Source, const AnsiString& Dest, bool CanOverwrite, bool Resume);
  // Stores local file Source as server file Dest, replacing it.
  void Put(const AnsiString& Source, const AnsiString& Dest);
  void Delete(const AnsiString& FileName);
  // The server's size of a file; -1 when the server does not tell (no such file, a folder).
  // Raises only when there is no connection to ask.
  std::int64_t Size(const AnsiString& FileName);

  TNotifyEvent OnConnected;
  TNotifyEvent OnDisconnected;
  TWorkBeginEvent OnWorkBegin;
  TWorkEvent OnWork;
  TWorkEndEvent OnWorkEnd;

private:
  struct Data;
  class TCommand;
  std::string toServer(const AnsiString& Text) const;
  AnsiString fromServer(const std::string& Text) const;
  // The absolute server path of a name; refuses one that holds a line break or NUL.
  std::string serverPath(const AnsiString& Name) const;
  // Runs an event on the main thread (see Threads above); Later hands it over even there (for
  // events told while a command unwinds).
  void deliver(std::function<void()> Event, bool Later = false);
  void fireConnected();
  void fireDisconnected(bool Later = false);
  std::unique_ptr<Data> d_;
};
