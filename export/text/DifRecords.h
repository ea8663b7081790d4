// The Data Interchange Format as the text exporter writes it: every item is two or three lines
// ending CR LF. A header item is a topic, a "vector,value" line and a string; a data item is a
// "type,number" line and a string or value indicator:
//   TABLE    0,1  "title"        the file's title
//   VECTORS  0,n  ""             n columns
//   TUPLES   0,n  ""             n rows
//   DATA     0,0  ""             the data follows
//   -1,0 BOT                     beginning of a tuple (row)
//   1,0  "text"                  a string value, its double quotes as they are; each line break
//                                inside it (CR LF, CR or LF) is written as a blank, since every
//                                line is an item of its own (so the title's too)
//   0,v  V                       a numeric value v, in invariant form
//   -1,0 EOD                     end of the data
// Each function appends its item to Out.
#pragma once

#include <string_view>

#include "System.h"

class Variant;

void DifTable(WideString& Out, std::u16string_view Title);
void DifVectors(WideString& Out, int Count);
void DifTuples(WideString& Out, int Count);
void DifData(WideString& Out);
void DifBot(WideString& Out);
void DifString(WideString& Out, std::u16string_view Text);
// A numeric value item for Value when it is a number (integer, float or currency, finite);
// false, and nothing appended, otherwise. Integers are written in plain digits, floats in the
// shortest form that reads back as the same value ("0.1", "1234.5", "1e+20").
bool DifNumber(WideString& Out, const Variant& Value);
void DifEod(WideString& Out);
