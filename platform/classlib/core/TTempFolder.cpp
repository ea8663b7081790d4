#include "TTempFolder.h"

#include <stdlib.h>

#include <cerrno>
#include <cstring>
#include <filesystem>
#include <system_error>

#include "Exception.h"
#include "FileNames.h"
#include "SysPath.h"

TTempFolder::TTempFolder(const AnsiString& Prefix) {
  std::error_code ec;
  const std::filesystem::path base = std::filesystem::temp_directory_path(ec);
  std::string pattern = ((ec ? std::filesystem::path("/tmp") : base) / ToSysPath(Prefix + "XXXXXX")).string();
  // mkdtemp makes a new folder that only its owner may enter.
  if (::mkdtemp(pattern.data()) == nullptr)
    throw EInOutError("Unable to create a temporary folder: " + AnsiString(std::strerror(errno)), errno);
  path_ = IncludeTrailingPathDelimiter(FromSysPath(pattern));
}

TTempFolder::~TTempFolder() {
  // remove_all removes a link inside the folder, not what it points to.
  std::error_code ec;
  std::filesystem::remove_all(ToSysPath(path_), ec);
}
