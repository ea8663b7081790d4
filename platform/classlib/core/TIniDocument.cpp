#include "TIniDocument_p.h"

#include <algorithm>

#include "StringRoutines.h"

namespace {

constexpr std::string_view Utf8Bom = "\xEF\xBB\xBF";
constexpr std::string_view CrLf = "\r\n";
constexpr std::string_view Lf = "\n";

// The blanks the profile functions trim around names and values.
bool isBlank(char c) { return c == ' ' || c == '\t' || c == '\r' || c == '\n' || c == '\v' || c == '\f'; }

void trim(std::string_view text, std::size_t& begin, std::size_t& end) {
  while (begin < end && isBlank(text[begin])) ++begin;
  while (end > begin && isBlank(text[end - 1])) --end;
}

std::string_view trimmed(std::string_view text) {
  std::size_t begin = 0, end = text.size();
  trim(text, begin, end);
  return text.substr(begin, end - begin);
}

// Names compare without regard to the case of ASCII letters; LowerCase keeps double-byte
// characters whole, so two Chinese names differing only in a trail byte stay different.
std::string fold(std::string_view name) { return LowerCase(trimmed(name)); }

}  // namespace

void TIniDocument::Load(std::string Bytes) {
  std::string_view text(Bytes);
  bom_.clear();
  if (text.substr(0, Utf8Bom.size()) == Utf8Bom) {
    bom_ = Utf8Bom;
    text.remove_prefix(Utf8Bom.size());
  }
  lines_.clear();
  newLine_ = CrLf;
  bool sawBreak = false;
  while (!text.empty()) {
    std::size_t lf = text.find('\n');
    TLine line;
    if (lf == std::string_view::npos) {
      line.Text = text;
      text = {};
    } else {
      bool cr = lf > 0 && text[lf - 1] == '\r';
      line.Text = text.substr(0, cr ? lf - 1 : lf);
      line.Break = cr ? CrLf : Lf;
      text.remove_prefix(lf + 1);
      if (!sawBreak) newLine_ = line.Break;
      sawBreak = true;
    }
    classify(line);
    lines_.push_back(std::move(line));
  }
  reindex();
}

std::string TIniDocument::Save() const {
  std::size_t size = bom_.size();
  for (const TLine& line : lines_) size += line.Text.size() + line.Break.size();
  std::string out;
  out.reserve(size);
  out += bom_;
  for (const TLine& line : lines_) {
    out += line.Text;
    out += line.Break;
  }
  return out;
}

void TIniDocument::classify(TLine& Line) {
  std::string_view text(Line.Text);
  std::size_t begin = 0, end = text.size();
  trim(text, begin, end);
  Line.NameBegin = Line.NameEnd = Line.ValueBegin = Line.ValueEnd = 0;
  if (begin == end) {
    Line.Kind = TKind::Blank;
    return;
  }
  if (text[begin] == ';') {
    Line.Kind = TKind::Comment;
    return;
  }
  if (text[begin] == '[') {
    // A "]" byte may be the second half of a double-byte character of the name.
    int found = AnsiPos("]", text.substr(begin + 1, end - begin - 1));
    if (found > 0) {
      std::size_t close = begin + static_cast<std::size_t>(found);
      Line.Kind = TKind::Header;
      Line.NameBegin = begin + 1;
      Line.NameEnd = close;
      trim(text, Line.NameBegin, Line.NameEnd);
      return;
    }
  }
  std::size_t eq = text.find('=', begin);
  if (eq == std::string_view::npos || eq >= end) {
    Line.Kind = TKind::KeyNoValue;
    Line.NameBegin = begin;
    Line.NameEnd = end;
    return;
  }
  Line.NameBegin = begin;
  Line.NameEnd = eq;
  trim(text, Line.NameBegin, Line.NameEnd);
  Line.ValueBegin = eq + 1;
  Line.ValueEnd = end;
  trim(text, Line.ValueBegin, Line.ValueEnd);
  // "=value" has no name the profile functions could look up.
  Line.Kind = Line.NameBegin == Line.NameEnd ? TKind::Other : TKind::Key;
}

void TIniDocument::reindex() {
  sections_.clear();
  firstSection_.clear();
  for (std::size_t i = 0; i < lines_.size(); ++i) {
    const TLine& line = lines_[i];
    if (line.Kind == TKind::Header) {
      if (!sections_.empty()) sections_.back().End = i;
      sections_.push_back({i, lines_.size(), {}});
      firstSection_.try_emplace(fold(line.Name()), sections_.size() - 1);
    } else if ((line.Kind == TKind::Key || line.Kind == TKind::KeyNoValue) && !sections_.empty()) {
      sections_.back().FirstKey.try_emplace(fold(line.Name()), i);
    }
  }
}

const TIniDocument::TSection* TIniDocument::findSection(std::string_view Name) const {
  auto it = firstSection_.find(fold(Name));
  return it == firstSection_.end() ? nullptr : &sections_[it->second];
}

std::optional<std::size_t> TIniDocument::findKey(std::string_view Section, std::string_view Key) const {
  const TSection* section = findSection(Section);
  if (section == nullptr) return std::nullopt;
  auto it = section->FirstKey.find(fold(Key));
  if (it == section->FirstKey.end()) return std::nullopt;
  return it->second;
}

std::optional<std::string_view> TIniDocument::Value(std::string_view Section, std::string_view Key) const {
  std::optional<std::size_t> at = findKey(Section, Key);
  if (!at || lines_[*at].Kind != TKind::Key) return std::nullopt;
  return lines_[*at].Value();
}

std::vector<std::pair<std::string, std::optional<std::string_view>>> TIniDocument::Entries(
    std::string_view Section) const {
  std::vector<std::pair<std::string, std::optional<std::string_view>>> entries;
  const TSection* section = findSection(Section);
  if (section == nullptr) return entries;
  std::vector<std::size_t> firsts;
  for (const auto& [name, at] : section->FirstKey) firsts.push_back(at);
  std::sort(firsts.begin(), firsts.end());
  for (std::size_t at : firsts) {
    const TLine& line = lines_[at];
    std::optional<std::string_view> value;
    if (line.Kind == TKind::Key) value = line.Value();
    entries.emplace_back(std::string(line.Name()), value);
  }
  return entries;
}

std::vector<std::string> TIniDocument::Keys(std::string_view Section) const {
  std::vector<std::string> keys;
  for (auto& [name, value] : Entries(Section)) keys.push_back(std::move(name));
  return keys;
}

std::vector<std::string> TIniDocument::Sections() const {
  std::vector<std::size_t> firsts;
  for (const auto& [name, index] : firstSection_) firsts.push_back(index);
  std::sort(firsts.begin(), firsts.end());
  std::vector<std::string> names;
  for (std::size_t index : firsts) names.emplace_back(lines_[sections_[index].Header].Name());
  return names;
}

void TIniDocument::insertLine(std::size_t At, std::string Text) {
  // A line added after the last one of a file without a final line break ends that line first.
  if (At > 0 && lines_[At - 1].Break.empty()) lines_[At - 1].Break = newLine_;
  TLine line;
  line.Text = std::move(Text);
  line.Break = newLine_;
  classify(line);
  lines_.insert(lines_.begin() + static_cast<std::ptrdiff_t>(At), std::move(line));
}

bool TIniDocument::SetValue(std::string_view Section, std::string_view Key, std::string_view Value) {
  if (std::optional<std::size_t> at = findKey(Section, Key)) {
    TLine& line = lines_[*at];
    std::string text;
    if (line.Kind == TKind::Key) {
      // Keep the line's own layout ("name = value") up to where the value starts.
      text = line.Text.substr(0, line.ValueBegin);
    } else {
      text = line.Text.substr(0, line.NameEnd) + "=";
    }
    text += Value;
    if (text == line.Text) return false;
    line.Text = std::move(text);
    classify(line);
    return true;  // the indexes stay valid: no line moved and the name is the same
  }
  std::string keyLine = std::string(trimmed(Key)) + "=" + std::string(Value);
  if (const TSection* section = findSection(Section)) {
    std::size_t at = section->End;
    while (at > section->Header + 1 && lines_[at - 1].Kind == TKind::Blank) --at;
    insertLine(at, std::move(keyLine));
  } else {
    insertLine(lines_.size(), "[" + std::string(trimmed(Section)) + "]");
    insertLine(lines_.size(), std::move(keyLine));
  }
  reindex();
  return true;
}

bool TIniDocument::DeleteKey(std::string_view Section, std::string_view Key) {
  std::optional<std::size_t> at = findKey(Section, Key);
  if (!at) return false;
  lines_.erase(lines_.begin() + static_cast<std::ptrdiff_t>(*at));
  reindex();
  return true;
}

bool TIniDocument::EraseSection(std::string_view Section) {
  std::string name = fold(Section);
  bool erased = false;
  // From the last section back, so that the spans of the earlier ones stay valid.
  for (auto it = sections_.rbegin(); it != sections_.rend(); ++it) {
    if (fold(lines_[it->Header].Name()) != name) continue;
    lines_.erase(lines_.begin() + static_cast<std::ptrdiff_t>(it->Header),
                 lines_.begin() + static_cast<std::ptrdiff_t>(it->End));
    erased = true;
  }
  if (erased) reindex();
  return erased;
}
