// What kind of database a file is, judged by its first bytes: the question a writer of
// database files asks before it touches one.
//
// dfkSqlite  a SQLite 3 database, what this platform writes for Access targets;
// dfkAccess  a Jet or ACE (Access) database, which this platform reads but never writes;
// dfkOther   any other file (also an empty one);
// dfkNone    no file of that name (or a folder).
#pragma once

#include "System.h"

enum class TDatabaseFileKind { dfkNone, dfkSqlite, dfkAccess, dfkOther };
using enum TDatabaseFileKind;

TDatabaseFileKind DatabaseFileKind(const AnsiString& FileName);
