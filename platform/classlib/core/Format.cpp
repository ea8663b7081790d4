#include "Format.h"

#include <charconv>

#include "AnsiChars_p.h"
#include "CodePage.h"
#include "Exception.h"
#include "FloatText.h"
#include "IntegerText.h"

namespace {

using TKind = TVarRec::TKind;

// Padding beyond this is taken for a broken format (a translation with "%999999999d" must not
// exhaust memory).
constexpr long long kMaxWidth = 16 * 1024 * 1024;

class TFormatter {
public:
  TFormatter(std::string_view fmt, const TVarRec* args, std::size_t count, const TFormatSettings& fs)
      : fmt_(fmt), args_(args), count_(count), fs_(fs) {}

  AnsiString Run() {
    while (pos_ < fmt_.size()) {
      std::size_t percent = fmt_.find('%', pos_);
      // "%" (0x25) is never the trail byte of a double-byte character, so plain text is copied
      // up to it as it is.
      out_.append(fmt_.substr(pos_, percent == std::string_view::npos ? std::string_view::npos : percent - pos_));
      if (percent == std::string_view::npos) break;
      pos_ = percent + 1;
      specifier();
    }
    return std::move(out_);
  }

private:
  [[noreturn]] void invalid() const {
    throw EConvertError("Format '" + AnsiString(fmt_) + "' invalid or incompatible with argument");
  }

  char peek() const { return pos_ < fmt_.size() ? fmt_[pos_] : '\0'; }

  const TVarRec& nextArg() {
    if (argIndex_ >= count_) invalid();
    return args_[argIndex_++];
  }

  // A number of digits or "*"; -1 when neither is there.
  long long number() {
    if (peek() == '*') {
      ++pos_;
      const TVarRec& arg = nextArg();
      if (arg.Kind() != TKind::vtInteger && arg.Kind() != TKind::vtInt64) invalid();
      return arg.AsInt64() < 0 ? 0 : arg.AsInt64();
    }
    if (peek() < '0' || peek() > '9') return -1;
    long long value = 0;
    while (peek() >= '0' && peek() <= '9') {
      if (value <= kMaxWidth) value = value * 10 + (fmt_[pos_] - '0');
      ++pos_;
    }
    return value;
  }

  void specifier() {
    if (peek() == '%') {
      out_ += '%';
      ++pos_;
      return;
    }
    long long width = number();
    if (peek() == ':') {
      if (width < 0) invalid();
      ++pos_;
      argIndex_ = static_cast<std::size_t>(width);
      width = -1;
    }
    bool left = false;
    if (width < 0) {
      if (peek() == '-') {
        left = true;
        ++pos_;
      }
      width = number();
    }
    long long precision = -1;
    if (peek() == '.') {
      ++pos_;
      precision = number();
      if (precision < 0) precision = 0;
    }
    if (pos_ >= fmt_.size()) invalid();
    char type = fmt_[pos_++];
    if (type >= 'a' && type <= 'z') type = static_cast<char>(type - 'a' + 'A');
    if (width > kMaxWidth || precision > kMaxWidth) invalid();
    std::string text = convert(type, nextArg(), precision);
    pad(text, width, left);
  }

  std::string convert(char type, const TVarRec& arg, long long precision) {
    switch (type) {
      case 'D': return integer(arg, precision, false, false);
      case 'U': return integer(arg, precision, true, false);
      case 'X': return integer(arg, precision, true, true);
      case 'E': case 'F': case 'G': case 'N': case 'M': return floating(type, arg, precision);
      case 'S': return stringArg(arg, precision);
      case 'P': {
        if (arg.Kind() != TKind::vtPointer) invalid();
        return IntToHex(static_cast<std::int64_t>(reinterpret_cast<std::uintptr_t>(arg.AsPointer())),
                        static_cast<int>(sizeof(void*) * 2));
      }
      default: invalid();
    }
  }

  static std::string digits(std::uint64_t value, bool hex) {
    if (hex) return IntToHex(static_cast<std::int64_t>(value), 0);
    char buf[24];
    auto res = std::to_chars(buf, buf + sizeof buf, value);
    return std::string(buf, res.ptr);
  }

  std::string integer(const TVarRec& arg, long long precision, bool asUnsigned, bool hex) {
    bool negative = false;
    std::uint64_t magnitude;
    switch (arg.Kind()) {
      case TKind::vtInteger:
        // A 32-bit argument shows its own 32 bits when read unsigned (-1 is FFFFFFFF).
        if (asUnsigned)
          magnitude = static_cast<std::uint32_t>(arg.AsInt64());
        else if ((negative = arg.AsInt64() < 0))
          magnitude = 0 - static_cast<std::uint64_t>(arg.AsInt64());
        else
          magnitude = static_cast<std::uint64_t>(arg.AsInt64());
        break;
      case TKind::vtInt64:
        if (!asUnsigned && (negative = arg.AsInt64() < 0))
          magnitude = 0 - static_cast<std::uint64_t>(arg.AsInt64());
        else
          magnitude = static_cast<std::uint64_t>(arg.AsInt64());
        break;
      case TKind::vtUInt64: magnitude = arg.AsUInt64(); break;
      default: invalid();
    }
    std::string text = digits(magnitude, hex);
    if (precision > static_cast<long long>(text.size())) text.insert(0, static_cast<std::size_t>(precision) - text.size(), '0');
    return negative ? "-" + text : text;
  }

  std::string floating(char type, const TVarRec& arg, long long precision) {
    if (arg.Kind() != TKind::vtExtended && arg.Kind() != TKind::vtCurrency) invalid();
    const bool money = arg.Kind() == TKind::vtCurrency;
    auto write = [&](TFloatFormat format, int prec, int digits) {
      return money ? CurrToStrF(arg.AsCurrency(), format, digits, fs_)
                   : FloatToStrF(arg.AsExtended(), format, prec, digits, fs_);
    };
    const int p = precision < 0 ? -1 : static_cast<int>(precision > 18 ? 18 : precision);
    switch (type) {
      case 'E': return write(TFloatFormat::ffExponent, p < 0 ? 15 : p, 3);
      case 'F': return write(TFloatFormat::ffFixed, 18, p < 0 ? 2 : p);
      case 'G': return write(TFloatFormat::ffGeneral, p < 0 ? 15 : p, 3);
      case 'N': return write(TFloatFormat::ffNumber, 18, p < 0 ? 2 : p);
      default: return write(TFloatFormat::ffCurrency, 18, p < 0 ? fs_.CurrencyDecimals : p);
    }
  }

  std::string stringArg(const TVarRec& arg, long long precision) {
    std::string text;
    switch (arg.Kind()) {
      case TKind::vtString: text = arg.AsString(); break;
      case TKind::vtChar: text = std::string(1, arg.AsChar()); break;
      case TKind::vtWideString: text = WideToAnsi(arg.AsWideString()); break;
      case TKind::vtWideChar: text = WideToAnsi(std::u16string(1, arg.AsWideChar())); break;
      default: invalid();
    }
    if (precision >= 0 && static_cast<std::size_t>(precision) < text.size())
      text.resize(ansichars::WholeCharsPrefix(text, static_cast<std::size_t>(precision)));
    return text;
  }

  void pad(const std::string& text, long long width, bool left) {
    std::size_t fill = width > static_cast<long long>(text.size()) ? static_cast<std::size_t>(width) - text.size() : 0;
    if (!left) out_.append(fill, ' ');
    out_ += text;
    if (left) out_.append(fill, ' ');
  }

  std::string_view fmt_;
  const TVarRec* args_;
  std::size_t count_;
  const TFormatSettings& fs_;
  std::size_t pos_ = 0;
  std::size_t argIndex_ = 0;
  AnsiString out_;
};

}  // namespace

AnsiString Format(std::string_view Fmt, const TVarRec* Args, std::size_t Count, const TFormatSettings& Settings) {
  return TFormatter(Fmt, Args, Count, Settings).Run();
}

AnsiString Format(std::string_view Fmt, std::initializer_list<TVarRec> Args, const TFormatSettings& Settings) {
  return Format(Fmt, Args.begin(), Args.size(), Settings);
}

AnsiString Format(std::string_view Fmt, std::initializer_list<TVarRec> Args) {
  return Format(Fmt, Args.begin(), Args.size(), *FormatSettingsSnapshot());
}
