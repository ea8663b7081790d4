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
  for (char16_t c : Text) {
    if (c == u';') Out += u';';
    Out += c;
  }
  Out += u"\"\r\n";
}

void SylkEnd(WideString& Out) { Out += u"E\r\n"; }
