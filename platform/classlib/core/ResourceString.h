// Resource strings: the translatable fixed texts of the libraries (messages of exceptions,
// captions of standard dialogs). Each text is a TResStringRec holding its built-in text, and
// code reads it through LoadResString, never directly. A translator may point the record at a
// replacement text (Redirect); from then on every load yields the replacement. Whoever sets
// Redirect keeps the replacement alive and puts nullptr back before freeing it.
//
//   TResStringRec SListFull = {"The list is full"};
//   throw EListError(LoadResString(&SListFull));
//
// Main thread only, like the translation that redirects them.
#pragma once

#include "System.h"

struct TResStringRec {
  const char* Text;                      // built-in text, ANSI code page
  const AnsiString* Redirect = nullptr;  // replacement text, when translated
};

inline AnsiString LoadResString(const TResStringRec* ResStringRec) {
  if (ResStringRec == nullptr) return {};
  if (ResStringRec->Redirect != nullptr) return *ResStringRec->Redirect;
  return ResStringRec->Text;
}
