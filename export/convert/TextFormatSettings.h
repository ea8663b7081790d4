// The section "TEXTFORMAT" of the program's settings file: how converted ".txt" files are
// written and read. The text-format dialog shows and stores it; the conversion reads it afresh
// at every ".txt" conversion, so nothing is cached between the two.
//
//   [TEXTFORMAT]
//   DelimiterChar=t      the delimiter; "t" or "T" means Tab, empty a blank (default ",")
//   QuoteChar="          the quote character, by the same rules (default a double quote)
//   QuotedString=1       quote texts and captions (default true)
//   IncludeTitle=1       a caption line first (default true)
//
// The dialog and the conversion read the same defaults, so that what the dialog shows for a
// file without the section is what a conversion does.
#pragma once

#include "System.h"

inline constexpr const char* TextFormatSection = "TEXTFORMAT";

// The section as stored: the two characters as the texts the user typed.
struct TTextFormatEntries {
  AnsiString DelimiterChar = ",";
  AnsiString QuoteChar = "\"";
  bool QuotedString = true;
  bool IncludeTitle = true;
};

// Reads the section of SettingsFile (defaults for a missing file, section or key; all of
// them for an empty name).
TTextFormatEntries ReadTextFormatEntries(const AnsiString& SettingsFile);
// Writes the four keys in the order DelimiterChar, QuoteChar, QuotedString, IncludeTitle;
// nothing for an empty name. Raises EIniFileException when the file cannot be written.
void WriteTextFormatEntries(const AnsiString& SettingsFile, const TTextFormatEntries& Entries);

// The character a stored value stands for: its first byte, Tab for "t" or "T", a blank for an
// empty value.
char TextFormatChar(const AnsiString& Value);

// How a ".txt" file is written and read.
struct TTextFormat {
  char Delimiter = ',';
  char Quote = '"';
  bool QuotedString = true;
  bool IncludeTitle = true;
};

// The format the entries give. False, with Reason set, when a file in it could not be read
// back as it was written: a character that is not a single byte of ASCII (the first byte of a
// double-byte character would split the texts holding it), a line break, a double quote as delimiter (text readers
// take it for the quote), or one character as both delimiter and quote.
bool TextFormatOf(const TTextFormatEntries& Entries, TTextFormat& Format, AnsiString& Reason);
