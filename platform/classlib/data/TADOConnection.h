// TADOConnection: the connection to a database file or folder, standing in for an ADO
// connection over OLE DB. Tables (TADOTable) and commands (TADOCommand) reach their data
// through it.
//
// ConnectionString is read as OLE DB reads it (see ConnectionString_p.h), for example
//   Provider=Microsoft.Jet.OLEDB.4.0;Data Source=/data/;Extended Properties=dBASE IV;User ID=Admin;Password=;
//   Provider=Microsoft.Jet.OLEDB.4.0;Data Source=/data/;Extended Properties="text;HDR=Yes;FMT=Delimited";
//   Provider=Microsoft.Jet.OLEDB.4.0;Data Source=/data/a.xls;Extended Properties="Excel 8.0;HDR=Yes;IMEX=1";
//   Provider=Microsoft.Jet.OLEDB.4.0;Data Source=/data/a.mdb;User Id=admin;Password=;
// The provider (Jet 4.0 or ACE 12.0), Extended Properties and the file's first bytes choose the
// reader: the dBASE tables of a folder, the text files of a folder (HDR: first row as column
// names, default Yes; FMT: Delimited, CSVDelimited, TabDelimited, Delimited(x), Fixed; the
// folder's Schema.ini wins), the sheets of a workbook, or a database file (SQLite, as this
// platform writes Access targets, or Access). User ID and Password are taken; the files read
// here carry no users.
//
// Open connects (Connected becomes True); opening a table or running a command connects a
// closed connection first, as GetTableNames does. LoginPrompt (default True) asks OnLogin, when
// assigned, for the user name and password before connecting; there is no login dialog. Close
// closes the connection's open tables first and drops its commands' prepared statements.
// GetTableNames fills a list with the source's tables (files of a folder, sheets of a
// workbook, tables of a database).
//
// Published properties: ConnectionString (""), Connected (False), LoginPrompt (True), OnLogin.
//
// Errors: EDatabaseError: a connection string that is no OLE DB string, an unknown provider
// ("Provider cannot be found. It may not be properly installed."), a missing file ("Could not
// find file 'FILE'."), a file of no known kind ("Unrecognized database format 'FILE'."),
// anything the reader raises (with the file name); changing ConnectionString while connected
// ("Operation is not allowed when the object is open.").
#pragma once

#include <functional>
#include <memory>
#include <vector>

#include "TComponent.h"

class TDbSource;
class TStrings;
class TADOTable;
class TADOCommand;

// The text that stands for Value after a key of a connection string ("Data Source=" + ...):
// Value itself, or Value in double quotes with its quotes doubled when it holds ";", a quote,
// or blanks at its ends, so that a file name of any form reads back as it is.
AnsiString ConnectionStringValue(const AnsiString& Value);

using TLoginEvent = std::function<void(TObject* Sender, AnsiString& Username, AnsiString& Password)>;

class TADOConnection : public TComponent {
  DECLARE_CLASS(TADOConnection, TComponent)

  explicit TADOConnection(TComponent* AOwner);
  ~TADOConnection() override;

  const AnsiString& ConnectionString() const { return connectionString_; }
  void SetConnectionString(const AnsiString& Value);
  bool LoginPrompt() const { return loginPrompt_; }
  void SetLoginPrompt(bool Value) { loginPrompt_ = Value; }
  bool Connected() const { return source_ != nullptr; }
  void SetConnected(bool Value);
  void Open() { SetConnected(true); }
  void Close() { SetConnected(false); }

  void GetTableNames(TStrings* List, bool SystemTables = false);
  // Writes what the connection's commands changed to the database now. A database writes its
  // changes by itself when the connection closes, where a failure (a full disk) cannot be
  // reported; here it raises EDatabaseError and those changes are undone. Nothing for a closed
  // connection or a source that only reads.
  void CommitTrans();

  TLoginEvent OnLogin;

private:
  friend class TADOTable;
  friend class TADOCommand;
  // The open source, connecting first when closed.
  TDbSource* source();
  void connect();
  void disconnect();

  AnsiString connectionString_;
  bool loginPrompt_ = true;
  std::unique_ptr<TDbSource> source_;
  std::vector<TADOTable*> tables_;
  std::vector<TADOCommand*> commands_;
};
