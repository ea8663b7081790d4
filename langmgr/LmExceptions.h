// The errors of the language manager and their fixed texts. The texts are resource strings,
// so they can be translated like any other library text.
//
//   ELanguageStorageError  a language id that is no system locale, a failed id check, a
//                          folder that could not be created when saving a language, an
//                          unsupported iterator step
//   ELmHashException       an invalid growth factor or table size of a hash map
//   Exception              SLangManagerNotInitialized: registered strings translated while no
//                          language manager exists
#pragma once

#include "Exception.h"
#include "ResourceString.h"

class ELanguageStorageError : public Exception {
public:
  using Exception::Exception;
};

class ELmHashException : public Exception {
public:
  using Exception::Exception;
};

extern TResStringRec SInvalidLanguageID;          // "Invalid Language ID %d"
extern TResStringRec SErrorCheckingLanguage;      // the locale lookup itself failed
extern TResStringRec SCannotCreateDirectories;    // followed by the folder, no blank between
extern TResStringRec SPreviousNotSupported;       // string iterators only go forward
extern TResStringRec SIteratorWithoutStorage;     // an iterator started without its storage
extern TResStringRec SHashIncrTooSmall;           // growth factor below 2
extern TResStringRec SHashInvalidSize;            // growth to fewer slots than entries
extern TResStringRec SLangManagerNotInitialized;  // no language manager exists
