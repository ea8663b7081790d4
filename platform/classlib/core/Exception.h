// The exception classes of the run-time library. Every layer derives its own from Exception
// (ELanguageStorageError, ...), so a caller can catch one base and show Message.
#pragma once

#include <exception>

#include "System.h"

class Exception : public std::exception {
public:
  explicit Exception(AnsiString message) : message_(std::move(message)) {}
  const AnsiString& Message() const noexcept { return message_; }
  void SetMessage(AnsiString message) { message_ = std::move(message); }
  const char* what() const noexcept override { return message_.c_str(); }

private:
  AnsiString message_;
};

// A text could not be converted to a number or date, a format string was malformed, or an
// object could not be assigned to another.
class EConvertError : public Exception {
public:
  using Exception::Exception;
};

// A file operation failed; ErrorCode is the operating system's error number (errno).
class EInOutError : public Exception {
public:
  EInOutError(AnsiString message, int errorCode) : Exception(std::move(message)), ErrorCode(errorCode) {}
  int ErrorCode;
};

// A list index was out of range, or a sorted list refused a duplicate.
class EListError : public Exception {
public:
  using Exception::Exception;
};
class EStringListError : public EListError {
public:
  using EListError::EListError;
};

// A component name was invalid or not unique within its owner.
class EComponentError : public Exception {
public:
  using Exception::Exception;
};

// A published property does not exist, has no setter, or was given a value of the wrong kind.
class EPropertyError : public Exception {
public:
  using Exception::Exception;
};

// A variant could not be converted to the type asked for, or the value does not fit it.
class EVariantError : public Exception {
public:
  using Exception::Exception;
};

// Silent exception: ends an operation without a message.
class EAbort : public Exception {
public:
  using Exception::Exception;
};

// Stream failures: EReadError/EWriteError when fewer bytes than asked for could be moved,
// EFOpenError/EFCreateError when a file stream cannot open or create its file.
class EStreamError : public Exception {
public:
  using Exception::Exception;
};
class EReadError : public EStreamError {
public:
  using EStreamError::EStreamError;
};
class EWriteError : public EStreamError {
public:
  using EStreamError::EStreamError;
};
class EFOpenError : public EStreamError {
public:
  using EStreamError::EStreamError;
};
class EFCreateError : public EStreamError {
public:
  using EStreamError::EStreamError;
};

// A thread could not be created, or a thread operation was used wrongly (see TThread.h).
class EThread : public Exception {
public:
  using Exception::Exception;
};

// An ini file could not be written (see TIniFile.h).
class EIniFileException : public Exception {
public:
  using Exception::Exception;
};
