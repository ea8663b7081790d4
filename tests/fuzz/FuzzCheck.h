// What the fuzz targets share: checking a property of the code under test, a scratch folder
// for the files an input becomes, and a few helpers for taking inputs apart.
//
// A harness calls FUZZ_CHECK(condition, "what must hold") for each property beyond "no crash"
// (a written value reads back, no file is lost, a text stays within its buffer). A property
// that fails prints where and what, then aborts, so that libFuzzer reports the input and keeps
// it as crash-<hash> for replaying.
#pragma once

#include <stdlib.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <stdexcept>
#include <string>
#include <string_view>

#define FUZZ_CHECK(condition, what)                                                         \
  do {                                                                                      \
    if (!(condition)) {                                                                     \
      std::fprintf(stderr, "%s:%d: fuzz check failed: %s (%s)\n", __FILE__, __LINE__, what, \
                   #condition);                                                             \
      std::abort();                                                                         \
    }                                                                                       \
  } while (false)

namespace fuzz {

// A folder of its own, made once per process and removed at exit: in memory where the system
// has /dev/shm (the code under test flushes its files to the disk), else in the temporary folder.
inline const std::filesystem::path& ScratchFolder() {
  struct TScratch {
    std::filesystem::path Path;
    TScratch() {
      std::error_code ec;
      const std::filesystem::path base =
          std::filesystem::is_directory("/dev/shm", ec) ? "/dev/shm" : std::filesystem::temp_directory_path();
      std::string pattern = (base / "hhm-fuzz-XXXXXX").string();
      if (!::mkdtemp(pattern.data())) throw std::runtime_error("no temporary folder");
      Path = pattern;
    }
    ~TScratch() {
      std::error_code ec;
      std::filesystem::remove_all(Path, ec);
    }
  };
  static TScratch scratch;
  return scratch.Path;
}

inline void WriteFile(const std::filesystem::path& path, std::string_view bytes) {
  std::ofstream out(path, std::ios::binary | std::ios::trunc);
  out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
}

inline std::string ReadFile(const std::filesystem::path& path) {
  std::ifstream in(path, std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

// Whether text is well-formed UTF-16: every surrogate in a pair, high then low.
inline bool ValidUtf16(std::u16string_view text) {
  for (std::size_t i = 0; i < text.size(); ++i) {
    const char16_t c = text[i];
    if (c >= 0xD800 && c <= 0xDBFF) {
      if (i + 1 == text.size() || text[i + 1] < 0xDC00 || text[i + 1] > 0xDFFF) return false;
      ++i;
    } else if (c >= 0xDC00 && c <= 0xDFFF) {
      return false;
    }
  }
  return true;
}

// Cuts an input into parts at a separator line, so that one input can carry several files:
// Part(data, 0) is the text before the first "\n----\n", Part(data, 1) the text after it up
// to the next, and so on; a missing part is empty.
inline std::string_view Part(std::string_view data, int index) {
  constexpr std::string_view separator = "\n----\n";
  for (int i = 0; i < index; ++i) {
    const std::size_t at = data.find(separator);
    if (at == std::string_view::npos) return {};
    data.remove_prefix(at + separator.size());
  }
  return data.substr(0, data.find(separator));
}

}  // namespace fuzz
