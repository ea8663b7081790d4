#include "TExportWriter.h"

#include <algorithm>

#include "CodePage.h"
#include "ExportTextHelpers.h"
#include "TDataExport.h"
#include "TStream.h"
#include "TypInfo.h"

DEFINE_CLASS(TExportWriter, TObject)

namespace {

constexpr char32_t ReplacementCharacter = 0xFFFD;

void appendLittleEndian(std::string& out, std::uint32_t value, int bytes) {
  for (int i = 0; i < bytes; ++i) out += static_cast<char>((value >> (8 * i)) & 0xFF);
}

bool isHighSurrogate(char16_t c) { return c >= 0xD800 && c <= 0xDBFF; }
bool isLowSurrogate(char16_t c) { return c >= 0xDC00 && c <= 0xDFFF; }

// The text with every surrogate that is not part of a pair replaced by U+FFFD; Text itself
// when it has none.
std::u16string_view pairedSurrogates(std::u16string_view text, WideString& storage) {
  for (std::size_t i = 0; i < text.size(); ++i) {
    const bool paired = isHighSurrogate(text[i]) && i + 1 < text.size() && isLowSurrogate(text[i + 1]);
    if (paired) {
      ++i;
    } else if (isHighSurrogate(text[i]) || isLowSurrogate(text[i])) {
      if (storage.empty()) storage.assign(text);
      storage[i] = static_cast<char16_t>(ReplacementCharacter);
    }
  }
  return storage.empty() ? text : std::u16string_view(storage);
}

}  // namespace

void EncodeExportText(std::u16string_view Text, int Encoding, std::string& Out) {
  switch (Encoding) {
    case 0:
    case 1:
    case 2:
    {
      // Every code page this system converts writes ASCII as ASCII: only the part from the
      // first to the last other character goes through the converter, which keeps exports of
      // mostly plain text fast.
      auto ascii = [](char16_t c) { return c < 0x80; };
      const auto first = std::find_if_not(Text.begin(), Text.end(), ascii);
      if (first == Text.end()) {
        Out.append(Text.begin(), Text.end());
        return;
      }
      const auto last = std::find_if_not(Text.rbegin(), Text.rend(), ascii).base();
      Out.append(Text.begin(), first);
      AppendWideToCodePage(
          Text.substr(static_cast<std::size_t>(first - Text.begin()), static_cast<std::size_t>(last - first)), Encoding,
          Out);
      Out.append(last, Text.end());
      return;
    }
    case 3: {
      WideString repaired;
      Out += WideToUtf8(pairedSurrogates(Text, repaired));
      return;
    }
    case 4:
      for (char16_t c : Text) appendLittleEndian(Out, c, 2);
      return;
    case 5:
      for (std::size_t i = 0; i < Text.size(); ++i) {
        char32_t c = Text[i];
        if (isHighSurrogate(Text[i]) && i + 1 < Text.size() && isLowSurrogate(Text[i + 1])) {
          c = 0x10000 + ((static_cast<char32_t>(Text[i]) - 0xD800) << 10) + (static_cast<char32_t>(Text[i + 1]) - 0xDC00);
          ++i;
        } else if (isHighSurrogate(Text[i]) || isLowSurrogate(Text[i])) {
          c = ReplacementCharacter;
        }
        appendLittleEndian(Out, c, 4);
      }
      return;
    default: return;
  }
}

std::string_view ExportSignature(int Encoding) {
  switch (Encoding) {
    case 3: return std::string_view("\xEF\xBB\xBF", 3);
    case 4: return std::string_view("\xFF\xFE", 2);
    case 5: return std::string_view("\xFF\xFE\x00\x00", 4);
    default: return {};
  }
}

TExportWriter::TExportWriter(TDataExport* Owner, TStream* Stream) : owner_(Owner), stream_(Stream) {}

void TExportWriter::Write(const WideString& Text) {
  if (owner_ == nullptr || Text.empty()) return;
  bytes_.clear();
  EncodeExportText(Text, owner_->Encoding(), bytes_);
  WriteBytes(bytes_.data(), bytes_.size());
}

AnsiString TExportWriter::AlignToStr(int Align) const {
  switch (Align) {
    case 0: return "Left alignment";
    case 1: return "Center alignment";
    case 2: return "Right alignment";
    default: return "Unknown alignment";
  }
}

void TExportWriter::Finish() {}

void TExportWriter::WriteLn(const WideString& Text) { Write(Text + u"\r\n"); }

void TExportWriter::EmptyLine() { WriteLn(WideString()); }

void TExportWriter::CharLine(char16_t Ch, int Count) { WriteLn(WideString(static_cast<std::size_t>(std::max(Count, 0)), Ch)); }

void TExportWriter::WriteSignature() {
  if (owner_ == nullptr) return;
  const std::string_view mark = ExportSignature(owner_->Encoding());
  WriteBytes(mark.data(), mark.size());
}

void TExportWriter::WriteBytes(const void* Buffer, std::size_t Count) {
  if (stream_ != nullptr && Count > 0) stream_->WriteBuffer(Buffer, static_cast<std::int64_t>(Count));
}

WideString TExportWriter::PadLeft(const WideString& Text, char16_t Ch, int Width) {
  const std::size_t w = static_cast<std::size_t>(std::max(Width, 0));
  if (Text.size() >= w) return Text.substr(0, w);
  return WideString(w - Text.size(), Ch) + Text;
}

WideString TExportWriter::PadRight(const WideString& Text, char16_t Ch, int Width) {
  const std::size_t w = static_cast<std::size_t>(std::max(Width, 0));
  if (Text.size() >= w) return Text.substr(0, w);
  return Text + WideString(w - Text.size(), Ch);
}

WideString TExportWriter::PadCenter(const WideString& Text, char16_t Ch, int Width) {
  const std::size_t w = static_cast<std::size_t>(std::max(Width, 0));
  if (Text.size() >= w) return Text.substr(0, w);
  const std::size_t missing = w - Text.size();
  return WideString(missing / 2, Ch) + Text + WideString(missing - missing / 2, Ch);
}
