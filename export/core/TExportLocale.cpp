#include "TExportLocale.h"

#include "CodePage.h"
#include "ExportMessages.h"
#include "Format.h"

namespace {

// The message buffer of the library's platform: 1024 characters with the terminating zero.
constexpr std::size_t MaxMessageLength = 1023;

}  // namespace

AnsiString TExportLocale::LoadStr(int Id) const {
  if (OnLocalize) {
    AnsiString text;
    OnLocalize(Id, text);
    if (!text.empty()) return text;
  }
  const TExportMessage* message = FindExportMessage(Id);
  if (message == nullptr) return {};
  AnsiString text = LoadResString(message->Text);
  if (text.size() > MaxMessageLength) {
    WideString wide = AnsiToWide(text);
    if (wide.size() > MaxMessageLength) text = WideToAnsi(wide.substr(0, MaxMessageLength));
  }
  return text;
}

TExportLocale& ExportLocale() {
  static TExportLocale locale;
  return locale;
}

AnsiString ExportLoadStr(int Id) { return ExportLocale().LoadStr(Id); }

void RaiseExportError(int Id, std::initializer_list<TVarRec> Args) {
  AnsiString text;
  try {
    text = Format(ExportLoadStr(Id), Args);
  } catch (const EConvertError&) {
    // A translation whose place-holders do not suit the arguments: the built-in text does.
    const TExportMessage* message = FindExportMessage(Id);
    text = message != nullptr ? Format(message->Text->Text, Args) : AnsiString();
  }
  throw EDataExportError(text);
}
