// TExportLocale: where the export library's message texts come from, and the error the library
// raises with them.
//
// ExportLoadStr(Id) asks the locale's OnLocalize callback first, when one is set, and takes a
// non-empty answer; otherwise it reads the built-in message (ExportMessages.h, translated by the
// language manager when a language file has the message's key), cut to 1023 characters as the
// message buffers of the platform the library came from hold; an id the library does not carry
// gives "". An exporter formats the text with its arguments and raises EDataExportError.
//
// The locale is one per process, made on first use; set OnLocalize before exports run, since
// exports on worker threads read it without a lock.
#pragma once

#include <functional>
#include <initializer_list>

#include "Exception.h"
#include "TVarRec.h"

// Answers the text of message Id; leaving Text empty keeps the built-in text.
using TExportLocalizeEvent = std::function<void(int Id, AnsiString& Text)>;

class TExportLocale {
public:
  AnsiString LoadStr(int Id) const;

  TExportLocalizeEvent OnLocalize;
};

TExportLocale& ExportLocale();
AnsiString ExportLoadStr(int Id);

// The export library's failures: a text of its message table with its arguments filled in.
class EDataExportError : public Exception {
public:
  using Exception::Exception;
};

// Raises EDataExportError with message Id formatted with Args.
[[noreturn]] void RaiseExportError(int Id, std::initializer_list<TVarRec> Args = {});
