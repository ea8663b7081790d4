// TTempFolder: a folder of one operation's own under the system's temporary folder, for files
// that pass through on their way elsewhere.
//
//   TTempFolder relay("hhm-relay-");     // "/tmp/hhm-relay-Xa3f9Q/"
//   fetch(relay.Path() + name);
//   ...                                  // the folder and all it holds go with the object
//
// The folder is new (never one that existed before) and only its owner may enter it, so
// nothing of anybody else's is in it and nobody else can put anything there. Its removal takes
// everything in it and never follows a link out of it.
#pragma once

#include "System.h"

class TTempFolder {
public:
  // Raises EInOutError when the folder cannot be made.
  explicit TTempFolder(const AnsiString& Prefix);
  ~TTempFolder();
  TTempFolder(const TTempFolder&) = delete;
  TTempFolder& operator=(const TTempFolder&) = delete;

  // The folder, with a trailing delimiter.
  const AnsiString& Path() const { return path_; }

private:
  AnsiString path_;
};
