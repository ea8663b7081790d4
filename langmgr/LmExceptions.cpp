#include "LmExceptions.h"

TResStringRec SInvalidLanguageID = {"Invalid Language ID %d"};
TResStringRec SErrorCheckingLanguage = {"Error when Checking Language. Please close DEP"};
TResStringRec SCannotCreateDirectories = {"Can NOT create Directories when Saving."};
TResStringRec SPreviousNotSupported = {"Previous operation NOT supported."};
TResStringRec SIteratorWithoutStorage = {"String iterator started without a language storage."};
// The spelling is the one existing callers and tests compare against.
TResStringRec SHashIncrTooSmall = {"Incr should be lagerer than 1"};
TResStringRec SHashInvalidSize = {"New list size is not valid"};
TResStringRec SLangManagerNotInitialized = {"Language Manager NOT initialized."};
