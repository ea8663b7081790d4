// Internal: the text of an ini file, line by line, with the lookups of the profile functions.
//
// This header may change without notice; it is not part of the class library's interface.
//
// Every line is kept as it was read, bytes and line break included, so that saving a document
// gives back the same bytes except for the lines a change touched. The structure is worked
// out from the lines: a line whose first non-blank character is ";" is a comment; "[name]" is a
// section header (the text up to the first "]", blanks around the name removed); a line with
// "=" is a key, its name and value being the blank-trimmed text on either side of the first
// "="; any other non-blank line is a key without a value. Lines before the first header belong
// to no section. Names are matched without regard to the case of ASCII letters (double-byte
// characters are compared whole), and only the first section of a name and the first key of a
// name within it count, as with the profile functions.
#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

class TIniDocument {
public:
  // Takes the whole file. A UTF-8 byte-order mark is kept aside and written back.
  void Load(std::string Bytes);
  void Clear() { Load({}); }
  std::string Save() const;

  // The value of the key, blank-trimmed as in the file; nothing when the section or key is
  // missing or the key has no "=".
  std::optional<std::string_view> Value(std::string_view Section, std::string_view Key) const;
  // The distinct key names of the section, in file order.
  std::vector<std::string> Keys(std::string_view Section) const;
  // The keys of the section with their values (nothing for a key without "="), in file order.
  std::vector<std::pair<std::string, std::optional<std::string_view>>> Entries(std::string_view Section) const;
  // The distinct section names, in file order.
  std::vector<std::string> Sections() const;

  // Each returns whether the text changed. SetValue replaces the value of the first key of the
  // name, or adds the key after the section's last non-blank line, or adds the section at the
  // end of the file. Names must already be valid (see TIniFile).
  bool SetValue(std::string_view Section, std::string_view Key, std::string_view Value);
  bool DeleteKey(std::string_view Section, std::string_view Key);
  // Removes every section of the name, header and lines.
  bool EraseSection(std::string_view Section);

private:
  enum class TKind : unsigned char { Blank, Comment, Header, Key, KeyNoValue, Other };

  struct TLine {
    std::string Text;        // without its line break
    std::string_view Break;  // "\r\n", "\n" or "" (the last line of a file without a final break)
    TKind Kind = TKind::Blank;
    std::size_t NameBegin = 0, NameEnd = 0;    // header or key name within Text
    std::size_t ValueBegin = 0, ValueEnd = 0;  // key value within Text
    std::string_view Name() const { return std::string_view(Text).substr(NameBegin, NameEnd - NameBegin); }
    std::string_view Value() const { return std::string_view(Text).substr(ValueBegin, ValueEnd - ValueBegin); }
  };

  struct TSection {
    std::size_t Header;  // line index of "[name]"
    std::size_t End;     // one past its last line
    std::unordered_map<std::string, std::size_t> FirstKey;  // folded name -> line index
  };

  static void classify(TLine& Line);
  void reindex();
  const TSection* findSection(std::string_view Name) const;
  std::optional<std::size_t> findKey(std::string_view Section, std::string_view Key) const;
  void insertLine(std::size_t At, std::string Text);

  std::string bom_;
  std::string_view newLine_ = "\r\n";  // for added lines: the file's first line break
  std::vector<TLine> lines_;
  std::vector<TSection> sections_;                           // in file order
  std::unordered_map<std::string, std::size_t> firstSection_;  // folded name -> index
};
