// The record of a dBASE III table: the deletion flag, then every field's bytes in descriptor
// order, each exactly the field's length.
//   C  the text from the left, padded with blanks; a text longer than the field is cut between
//      two characters, never inside a double-byte one
//   N  the number right-aligned with leading blanks; a number the field cannot hold is filled
//      with "*", the format's overflow mark, and never written with other digits
//   D  the date as yyyymmdd (the time of day is not kept); 8 blanks for none
//   L  'T', 'F', or a blank for neither
//   M  the number of the memo's first block in the .dbt file, right-aligned in 10 bytes; 10
//      blanks for no memo
// Each function appends its bytes to Record.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "DbaseFormat.h"
#include "System.h"

void DbfDeletionFlag(std::string& Record);
// Text is in the export encoding Encoding (0..5, TExportWriter).
void DbfCharacterField(std::string& Record, std::string_view Text, int Length, int Encoding);
void DbfNumericField(std::string& Record, std::string_view Text, int Length);
void DbfLogicalField(std::string& Record, char Value);
// Block -1 (no memo) gives blanks.
void DbfMemoField(std::string& Record, std::int64_t Block);
void DbfBlankField(std::string& Record, int Length);

// The date part of Date as "yyyymmdd"; "" for a year outside 1..9999, which has no such form.
AnsiString DbfDateText(TDateTime Date);
// Value in fixed-point notation with "." and Decimals decimals: its shortest text that reads
// back as Value, padded with zeros, when that has no more decimals and fits Length; else
// rounded half away from zero, as the platform's "%.nf" formats; when that is longer than
// Length, with fewer decimals (rounded) until it fits; when it does not fit even without
// decimals, the text without decimals (longer than the field, so the field is filled with
// "*"); Length times "*" for a value that is not a finite number.
AnsiString DbfNumberText(double Value, int Length, int Decimals);
// Value's shortest fixed-point text that reads back as Value ("-0.000001", "1234567890123.45");
// false for a value that is not a finite number.
bool DbfShortestText(double Value, AnsiString& Text);
AnsiString DbfIntegerText(std::int64_t Value);
// The length of the longest start of Text (in export encoding Encoding), at most MaxBytes
// bytes, that ends between two characters.
std::size_t DbfWholeCharsPrefix(std::string_view Text, std::size_t MaxBytes, int Encoding);
