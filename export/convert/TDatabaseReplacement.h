// TDatabaseReplacement: a database file that is written beside its final name and put in
// place only once it is complete, so that a conversion that fails part-way leaves no half
// database and an earlier one as it was.
//
//   TDatabaseReplacement replacement(dest);
//   export->SetDatabaseName(replacement.FileName());   // write into the part file
//   export->Execute();
//   replacement.Commit();                               // only now dest changes
//
// A SQLite database at Target (one this platform wrote) is copied into the part file first,
// so that its other tables stay; no file at Target gives an empty place for a new database.
// Any other file at Target (a real Access database, a file of no database kind) is left where
// it is and FileName is Target itself, for the exporter to refuse without touching it.
//
// The part file is named as FileReplace.h names them and removed (with SQLite's journal beside
// it) when the object goes without Commit. Errors: EFCreateError when the part file cannot be
// made or filled (a read-only folder, a full disk), EInOutError when Commit cannot rename it.
#pragma once

#include "System.h"

class TDatabaseReplacement {
public:
  explicit TDatabaseReplacement(const AnsiString& Target);
  ~TDatabaseReplacement();
  TDatabaseReplacement(const TDatabaseReplacement&) = delete;
  TDatabaseReplacement& operator=(const TDatabaseReplacement&) = delete;

  // Where the database is to be written.
  const AnsiString& FileName() const { return fileName_; }
  // The part file holds a copy of a database that was at Target.
  bool Copied() const { return copied_; }
  // Puts the part file in Target's place; nothing when FileName is Target itself.
  void Commit();

private:
  void discard();

  AnsiString target_;
  AnsiString resolved_;  // the file the part replaces (a link's target)
  AnsiString fileName_;
  AnsiString part_;  // "" when Target is written directly
  bool copied_ = false;
};
