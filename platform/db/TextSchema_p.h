// Internal to the text reader: how one text file is laid out, from the connection's defaults
// and the file's section of "Schema.ini" in its folder.
#pragma once

#include <string_view>
#include <vector>

#include "DbTypes.h"

// Jet's text driver holds at most 255 columns per table; more is taken as a broken file.
constexpr int MaxTextColumns = 255;
// The code page number of UTF-16 little-endian text ("CharacterSet=UNICODE").
constexpr int CodePageUtf16 = 1200;

enum class TTextLayout { Delimited, FixedLength };

struct TTextColumnSpec {
  AnsiString Name;
  TFieldType Type = ftUnknown;  // ftUnknown: guessed from the cells
  int Width = 0;                // characters of a fixed-length column; size of a text column
};

struct TTextSchema {
  TTextLayout Layout = TTextLayout::Delimited;
  char Delimiter = ',';
  bool Header = true;
  int Quote = '"';  // -1 when fields are not quoted
  int CodePage = 0;  // 0: the ANSI code page; else a code page number, CP_UTF8 or CodePageUtf16
  std::vector<TTextColumnSpec> Columns;
};

// Reads a format name ("CSVDelimited", "TabDelimited", "Delimited(;)", "FixedLength", and the
// connection string's "Delimited" and "Fixed") into Schema; false when it is none of them.
bool ParseTextFormat(std::string_view Value, TTextSchema& Schema);

// Applies the section [TableName] of the Schema.ini file SchemaFile, when there is one, to
// Schema: Format, ColNameHeader, TextDelimiter, CharacterSet and Col1, Col2, ... entries
// ("Name Type Width n", the name quoted when it holds blanks). Raises EDatabaseError naming the
// schema file for an entry it cannot use.
void ApplySchemaIni(const AnsiString& SchemaFile, const AnsiString& TableName, TTextSchema& Schema);
