#include "ConnectionString_p.h"

#include "DbTypes.h"
#include "StringRoutines.h"
#include "TADOConnection.h"

namespace {

[[noreturn]] void malformed() {
  throw EDatabaseError(
      "Format of the initialization string is not valid: a quoted value is not closed, or text "
      "follows its closing quote.");
}

}  // namespace

TConnectionString::TConnectionString(std::string_view Text) {
  std::size_t at = 0;
  bool first = true;
  while (at <= Text.size()) {
    const std::size_t end = Text.find_first_of(";=", at);
    AnsiString key = Trim(Text.substr(at, end == std::string_view::npos ? std::string_view::npos : end - at));
    AnsiString value;
    bool hasValue = end != std::string_view::npos && Text[end] == '=';
    at = end == std::string_view::npos ? Text.size() + 1 : end + 1;
    if (hasValue) {
      while (at < Text.size() && (Text[at] == ' ' || Text[at] == '\t')) ++at;
      if (at < Text.size() && (Text[at] == '"' || Text[at] == '\'')) {
        const char quote = Text[at++];
        for (;;) {
          if (at >= Text.size()) malformed();
          if (Text[at] == quote) {
            if (at + 1 < Text.size() && Text[at + 1] == quote) {
              value += quote;
              at += 2;
              continue;
            }
            ++at;
            break;
          }
          value += Text[at++];
        }
        while (at < Text.size() && (Text[at] == ' ' || Text[at] == '\t')) ++at;
        if (at < Text.size() && Text[at] != ';') malformed();
        ++at;
      } else {
        const std::size_t stop = Text.find(';', at);
        value = Trim(Text.substr(at, stop == std::string_view::npos ? std::string_view::npos : stop - at));
        at = stop == std::string_view::npos ? Text.size() + 1 : stop + 1;
      }
    }
    if (key.empty()) continue;
    if (first && !hasValue) kind_ = key;
    first = false;
    bool replaced = false;
    for (auto& [k, v] : pairs_)
      if (SameText(k, key)) {
        v = value;
        replaced = true;
      }
    if (!replaced) pairs_.emplace_back(key, value);
  }
}

AnsiString TConnectionString::Value(std::string_view Key) const {
  for (const auto& [k, v] : pairs_)
    if (SameText(k, Key)) return v;
  return {};
}

bool TConnectionString::Has(std::string_view Key) const {
  for (const auto& [k, v] : pairs_)
    if (SameText(k, Key)) return true;
  return false;
}

AnsiString TConnectionString::Kind() const { return kind_; }

AnsiString ConnectionStringValue(const AnsiString& Value) {
  const bool plain = Value.find_first_of(";\"'") == AnsiString::npos && Trim(Value) == Value;
  if (plain) return Value;
  AnsiString quoted = "\"";
  for (char c : Value) {
    if (c == '"') quoted += '"';
    quoted += c;
  }
  return quoted + '"';
}
