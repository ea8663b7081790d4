#include "TVxMemoryStore.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>

#include "EVxError.h"
#include "TVxPartFile.h"

namespace fs = std::filesystem;

namespace {

// Closes a file descriptor when the scope ends.
struct Fd {
  int Value;
  explicit Fd(int value) : Value(value) {}
  ~Fd() {
    if (Value >= 0) ::close(Value);
  }
  Fd(const Fd&) = delete;
  Fd& operator=(const Fd&) = delete;
};

// Reads length bytes at offset; bytes past the end of the file read as 0.
void readAt(int fd, std::uint8_t* buffer, std::size_t length, std::int64_t offset) {
  std::size_t done = 0;
  while (done < length) {
    const ssize_t n = ::pread(fd, buffer + done, length - done, static_cast<off_t>(offset) + static_cast<off_t>(done));
    if (n < 0 && errno == EINTR) continue;
    if (n < 0) throw EVxError(vxErrStorage);
    if (n == 0) break;
    done += static_cast<std::size_t>(n);
  }
  std::memset(buffer + done, 0, length - done);
}

void writeAt(int fd, const std::uint8_t* data, std::size_t length, std::int64_t offset) {
  std::size_t done = 0;
  while (done < length) {
    const ssize_t n = ::pwrite(fd, data + done, length - done, static_cast<off_t>(offset) + static_cast<off_t>(done));
    if (n < 0 && errno == EINTR) continue;
    if (n <= 0) throw EVxError(vxErrStorage);
    done += static_cast<std::size_t>(n);
  }
}

void checkImageArea(int area, std::int32_t address) {
  if (area != TVxMemoryStore::AreaSystem && area != TVxMemoryStore::AreaFont) throw EVxError(vxErrBadArea);
  if (address != 0) throw EVxError(vxErrBadAddress);
}

}  // namespace

TVxMemoryStore::TVxMemoryStore(fs::path folder, std::int32_t memorySize)
    : folder_(std::move(folder)), memorySize_(memorySize) {}

fs::path TVxMemoryStore::path(int area) const {
  switch (area) {
    case AreaMemory: return folder_ / "memory.img";
    case AreaSystem: return folder_ / "os.img";
    case AreaFont: return folder_ / "font.img";
    default: throw EVxError(vxErrBadArea);
  }
}

void TVxMemoryStore::checkRange(std::int32_t address, std::int32_t length) const {
  if (address < 0 || length < 0 || std::int64_t{address} + length > memorySize_) throw EVxError(vxErrBadAddress);
}

void TVxMemoryStore::Write(int area, std::int32_t address, const std::uint8_t* data, std::int32_t length,
                           const TVxTransferOptions& transfer) {
  if (length < 0) throw EVxError(vxErrBadParameter);
  if (area == AreaMemory) {
    checkRange(address, length);
    Fd fd(::open(path(area).c_str(), O_RDWR | O_CREAT | O_CLOEXEC, 0644));
    if (fd.Value < 0) throw EVxError(vxErrStorage);
    VxTransfer(length, transfer, [&](std::int64_t offset, std::size_t chunk) {
      writeAt(fd.Value, data + offset, chunk, address + offset);
    });
    return;
  }
  checkImageArea(area, address);
  if (length == 0) throw EVxError(vxErrBadParameter);  // an empty image would leave the terminal without it
  if (length > ImageMax) throw EVxError(vxErrImageTooLarge);
  const fs::path target = path(area);
  TVxPartFile part(TVxPartFile::Replace, target, vxErrStorage);
  VxTransfer(length, transfer, [&](std::int64_t offset, std::size_t chunk) { part.Write(data + offset, chunk); });
  part.Publish();
}

std::int32_t TVxMemoryStore::Read(int area, std::int32_t address, std::uint8_t* buffer, std::int32_t length,
                                  const TVxTransferOptions& transfer) {
  if (length < 0) throw EVxError(vxErrBadParameter);
  if (area == AreaMemory) {
    checkRange(address, length);
    Fd fd(::open(path(area).c_str(), O_RDONLY | O_CLOEXEC));
    if (fd.Value < 0 && errno != ENOENT) throw EVxError(vxErrStorage);
    VxTransfer(length, transfer, [&](std::int64_t offset, std::size_t chunk) {
      if (fd.Value < 0)
        std::memset(buffer + offset, 0, chunk);  // memory never written
      else
        readAt(fd.Value, buffer + offset, chunk, address + offset);
    });
    return length;
  }
  checkImageArea(area, address);
  Fd fd(::open(path(area).c_str(), O_RDONLY | O_CLOEXEC));
  struct stat st {};
  if (fd.Value < 0 || ::fstat(fd.Value, &st) != 0 || !S_ISREG(st.st_mode)) throw EVxError(vxErrStorage);
  if (st.st_size > ImageMax || st.st_size > length) throw EVxError(vxErrImageTooLarge);
  const auto size = static_cast<std::int32_t>(st.st_size);
  VxTransfer(size, transfer, [&](std::int64_t offset, std::size_t chunk) { readAt(fd.Value, buffer + offset, chunk, offset); });
  return size;
}

void TVxMemoryStore::PutImage(int area, std::string_view bytes) {
  checkImageArea(area, 0);
  const fs::path target = path(area);
  TVxPartFile part(TVxPartFile::Replace, target, vxErrStorage);
  part.Write(bytes.data(), bytes.size());
  part.Publish();
}
