// The export library's numbered messages.
//
// The library's message ids run from 34000 to 34902; the ones below are those this library and
// its exporters raise, each with its built-in English text. The texts are resource strings
// (ResourceString.h): the unit's initialisation registers each with the language manager under
// its key, so a language file can translate it like the program's other texts. A message is
// read through ExportLoadStr (TExportLocale.h), never directly.
#pragma once

#include "ResourceString.h"
#include "System.h"

inline constexpr int SExportSourceNotAssigned = 34014;  // "%s": the source kind's name
inline constexpr int SSheetDefineError = 34015;         // sheet name, reason
inline constexpr int SExportSourceClosed = 34016;       // the source kind's name
inline constexpr int SExportSourceEmpty = 34017;        // the source kind's name
inline constexpr int SResultFileNameMissing = 34023;
inline constexpr int SMSAccessNotInstalled = 34024;
inline constexpr int SDirectoryNotCreated = 34025;      // the folder
inline constexpr int SAccessDatabaseNotWritten = 34026; // the database file
inline constexpr int SDatabasePasswordRefused = 34027;  // the database file
inline constexpr int SExcelRowLimit = 34822;

inline constexpr int ExportMessageFirst = 34000;
inline constexpr int ExportMessageLast = 34902;

struct TExportMessage {
  int Id;
  const char* Key;  // the language files' key
  TResStringRec* Text;
};

// The messages the library carries, in id order.
const TExportMessage* ExportMessages();
int ExportMessageCount();
// The message of an id, nullptr when the library carries none.
const TExportMessage* FindExportMessage(int Id);

// Registers every message with the language manager / takes them back (the unit does this).
void RegisterExportMessages();
void UnregisterExportMessages();
