// Language files for the tests: written into a temporary folder in any of the encodings the
// storage reads.
#pragma once

#include <filesystem>
#include <fstream>
#include <initializer_list>
#include <string>

#include "../platform/classlib/core/TempFolder.h"
#include "CodePage.h"

class LanguageFolder : public TempFolder {
public:
  // The folder as the language manager takes it.
  WideString Path() const { return Utf8ToWide(prefix()); }

  // Writes the lines as UTF-8 with its mark (the default), UTF-16LE with its mark, or GBK.
  enum Encoding { Utf8, Utf16, Gbk };
  std::filesystem::path Write(const std::string& name, std::initializer_list<const char*> lines,
                              Encoding encoding = Utf8) const {
    std::string text;
    for (const char* line : lines) text += std::string(line) + "\r\n";
    std::string bytes;
    switch (encoding) {
      case Utf8: bytes = "\xEF\xBB\xBF" + text; break;
      case Gbk: bytes = Utf8ToAnsi(text, 936); break;
      case Utf16:
        bytes = "\xFF\xFE";
        for (char16_t c : Utf8ToWide(text)) {
          bytes.push_back(static_cast<char>(c & 0xFF));
          bytes.push_back(static_cast<char>(c >> 8));
        }
        break;
    }
    return WriteBytes(name, bytes);
  }

  std::filesystem::path WriteBytes(const std::string& name, const std::string& bytes) const {
    const std::filesystem::path file = path() / name;
    std::filesystem::create_directories(file.parent_path());
    std::ofstream(file, std::ios::binary) << bytes;
    return file;
  }

  std::string Read(const std::string& name) const {
    std::ifstream in(path() / name, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), {});
  }
};
