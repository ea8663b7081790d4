// The Symbolic Link format as the text exporter writes it: records of fields separated by ";",
// each ending CR LF:
//   ID;PVASCIIEXPORT       the file's first record, naming the program that wrote it
//   C;X<col>;Y<row>;K"t"   a cell (column and row from 1) holding the text t; a ";" inside the
//                          text is doubled, as the format's field separator requires, and a
//                          line break (CR LF, CR or LF) is the escape ESC, blank, ":", which
//                          LibreOffice reads as a line break (gnumeric, which has no line
//                          breaks in SYLK, keeps " :" between the lines)
//   E                      the end of the file
// Each function appends its record to Out.
#pragma once

#include <string_view>

#include "System.h"

// A line break inside a cell's text.
inline constexpr std::u16string_view SylkLineBreak = u"\x1b :";

void SylkId(WideString& Out);
void SylkCell(WideString& Out, int Col, int Row, std::u16string_view Text);
void SylkEnd(WideString& Out);
