#include "SylkRecords.h"

#include <charconv>

namespace {

void appendInt(WideString& out, int value) {
  char buffer[16];
  const auto result = std::to_chars(buffer, buffer + sizeof buffer, value);
  out.append(buffer, result.ptr);
}

}  // namespace

void SylkId(WideString& Out) { Out += u"ID;PVASCIIEXPORT\r\n"; }

void SylkCell(WideString& Out, int Col, int Row, std::u16string_view Text) {
  Out += u"C;X";
  appendInt(Out, Col);
  Out += u";Y";
  appendInt(Out, Row);
  Out += u";K\"";
  for (std::size_t i = 0; i < Text.size(); ++i) {
    const char16_t c = Text[i];
    if (c == u'\r' || c == u'\n') {
      // A line break would end the record: it goes as the format's escape, CR LF as one.
      Out += SylkLineBreak;
      if (c == u'\r' && i + 1 < Text.size() && Text[i + 1] == u'\n') ++i;
      continue;
    }
    if (c == u';') Out += u';';
    Out += c;
  }
  Out += u"\"\r\n";
}

void SylkEnd(WideString& Out) { Out += u"E\r\n"; }
