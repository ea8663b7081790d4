// Fuzzes the simulated terminal's two files, settings.ini and terminal.ini, through the
// communication library's exported functions, as a program calls them.
//
// Input: settings.ini, then (after a "\n----\n" line) terminal.ini; an empty second part keeps
// the terminal.ini the terminal was made with. Properties: every text and list stays within the
// buffer the caller gives (guard bytes after each are never written) and every text ends within
// 101 bytes; a file uploaded is the terminal's file byte for byte, and one downloaded uploads
// back the same; no file the terminal was made with is lost or changed, whatever the settings.
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <map>
#include <string>
#include <vector>

#include "FuzzCheck.h"
#include "libvxcomm.h"

namespace {

namespace fs = std::filesystem;

constexpr unsigned char Guard = 0xA5;
constexpr std::size_t GuardBytes = 64;

fs::path terminalFolder() { return fuzz::ScratchFolder() / "terminal"; }

// The files in the terminal's "files" folder, by stored name, with their bytes.
std::map<std::string, std::string> storedFiles() {
  std::map<std::string, std::string> files;
  std::error_code ec;
  for (fs::directory_iterator it(terminalFolder() / "files", ec), end; !ec && it != end; it.increment(ec))
    files[it->path().filename().string()] = fuzz::ReadFile(it->path());
  return files;
}

std::map<std::string, std::string>& seededFiles() {
  static std::map<std::string, std::string> files;
  return files;
}

std::string& seededInfo() {
  static std::string info;
  return info;
}

// A buffer of Size bytes followed by guard bytes.
class TGuardedBuffer {
public:
  explicit TGuardedBuffer(std::size_t Size) : bytes_(Size + GuardBytes, static_cast<char>(Guard)), size_(Size) {}
  char* Data() { return bytes_.data(); }
  bool GuardKept() const {
    for (std::size_t i = size_; i < bytes_.size(); ++i)
      if (static_cast<unsigned char>(bytes_[i]) != Guard) return false;
    return true;
  }
  // Whether the text in the buffer ends within it.
  bool HoldsText() const { return std::memchr(bytes_.data(), '\0', size_) != nullptr; }

private:
  std::vector<char> bytes_;
  std::size_t size_;
};

void checkText(std::int32_t Result, TGuardedBuffer& Buffer) {
  FUZZ_CHECK(Buffer.GuardKept(), "a text stays within the caller's 101 bytes");
  if (Result == 0) FUZZ_CHECK(Buffer.HoldsText(), "a text read ends within the caller's buffer");
}

void errorText(std::int32_t Result) {
  TGuardedBuffer text(VXCOMM_TEXT_SIZE);
  std::int32_t goOn = -1;
  const std::int32_t code = vxGetErrMsg(Result, text.Data(), &goOn);
  FUZZ_CHECK(text.GuardKept() && text.HoldsText(), "an error text stays within the caller's 101 bytes");
  FUZZ_CHECK(goOn == 0 || goOn == 1, "the go-on flag is 0 or 1");
  (void)code;
}

void listFiles(std::int32_t Port, bool Recycled) {
  const std::size_t max = Recycled ? VXCOMM_RECYCLE_LIST_MAX : VXCOMM_FILE_LIST_MAX;
  TGuardedBuffer records(max * sizeof(VxFileRecord));
  std::int32_t count = -1;
  const std::int32_t result = Recycled ? vxGetDelFileList(Port, reinterpret_cast<VxFileRecord*>(records.Data()), &count)
                                       : vxGetNormalFileList(Port, reinterpret_cast<VxFileRecord*>(records.Data()), &count);
  FUZZ_CHECK(records.GuardKept(), "a list stays within the caller's records");
  FUZZ_CHECK(count >= 0 && static_cast<std::size_t>(count) <= max, "the count says how many records were written");
  errorText(result);
}

}  // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***) {
  setenv("VXCOMM_TERMINAL", terminalFolder().c_str(), 1);
  vxCheckPort();  // makes the terminal
  seededFiles() = storedFiles();
  seededInfo() = fuzz::ReadFile(terminalFolder() / "terminal.ini");
  return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string_view input(reinterpret_cast<const char*>(data), size);
  // Transfers run as fast as the PC allows: the first section of a name counts.
  fuzz::WriteFile(terminalFolder() / "settings.ini", "[Transfer]\nRate=0\n" + std::string(fuzz::Part(input, 0)));
  const std::string_view info = fuzz::Part(input, 1);
  fuzz::WriteFile(terminalFolder() / "terminal.ini", info.empty() ? std::string_view(seededInfo()) : info);

  std::int32_t port = vxCheckPort();
  if (port <= 0) port = 255;
  for (std::int32_t id = 1; id <= 7; ++id) {
    TGuardedBuffer out(VXCOMM_TEXT_SIZE);
    const std::int32_t result = vxGetMachSysInfo(port, id, out.Data());
    if (id >= 4) checkText(result, out);
    FUZZ_CHECK(out.GuardKept(), "an information value stays within the caller's buffer");
    errorText(result);
  }
  for (std::int32_t id = 0; id <= 13; ++id) {
    TGuardedBuffer out(VXCOMM_TEXT_SIZE);
    const std::int32_t result = vxGetMachInfo(port, id, out.Data());
    checkText(result, out);
    errorText(result);
  }
  listFiles(port, false);
  listFiles(port, true);

  const fs::path pc = fuzz::ScratchFolder() / "pc";
  fs::create_directories(pc);
  for (const auto& [stored, bytes] : seededFiles()) {
    const std::string name = stored.substr(stored.find(' ') + 1), target = (pc / name).string();
    std::error_code ec;
    fs::remove(target, ec);
    const std::int32_t result = vxUploadFile(port, name.c_str(), target.c_str());
    errorText(result);
    if (result == 0) FUZZ_CHECK(fuzz::ReadFile(target) == bytes, "an uploaded file is the terminal's, byte for byte");
  }
  const std::string source = (pc / "source").string(), back = (pc / "back").string();
  fuzz::WriteFile(source, input.substr(0, 4096));
  if (vxDownloadFile(port, source.c_str(), "FUZZ.DBF") == 0 && vxUploadFile(port, "FUZZ.DBF", back.c_str()) == 0)
    FUZZ_CHECK(fuzz::ReadFile(back) == input.substr(0, 4096), "a file downloaded uploads back the same");
  vxCompleteDelFile(port, "FUZZ.DBF");

  std::vector<char> image(VXCOMM_IMAGE_MAX + GuardBytes, static_cast<char>(Guard));
  std::int32_t length = 0;
  errorText(vxUploadMemory(port, 1, 0, &length, image.data()));
  FUZZ_CHECK(length >= 0 && length <= VXCOMM_IMAGE_MAX, "an image fits the caller's 2 MiB");
  for (std::size_t i = VXCOMM_IMAGE_MAX; i < image.size(); ++i)
    FUZZ_CHECK(static_cast<unsigned char>(image[i]) == Guard, "an image stays within the caller's 2 MiB");
  length = 256;
  errorText(vxUploadMemory(port, 0, 1000, &length, image.data()));
  const VxDateTime clock{26, 6, 30, 23, 59, 59};
  errorText(vxSetDateTime(port, &clock));

  const std::map<std::string, std::string> files = storedFiles();
  for (const auto& [stored, bytes] : seededFiles()) {
    const auto it = files.find(stored);
    FUZZ_CHECK(it != files.end(), "no file the terminal was made with is lost");
    FUZZ_CHECK(it->second == bytes, "no file the terminal was made with is changed");
  }
  return 0;
}
