// uSettingsLists: the two configured file lists of the settings file.
//
// A list is kept in its own section as a count key and the keys "file1" .. "fileN": the
// download list in "downloadfile" under "downloadnum", the upload list in "uploadfile" under
// "uploadnum". A save writes the count and the entries and erases nothing, so entries above a
// new count stay in the file; the count keeps a load from reading them.
#pragma once

#include "System.h"

class TCustomIniFile;
class TStrings;

// Adds to List the entries "file" + i of Section, for i from 1 to the value of CountKey, in
// that order, each trimmed; empty and missing entries are skipped. The section is read once and
// only the keys it holds are visited, so a damaged count (two thousand million, say) costs no
// more than a right one.
void ReadFileList(TCustomIniFile& Ini, const AnsiString& Section, const AnsiString& CountKey, TStrings* List);
// Writes CountKey := the number of lines of List and "file" + i := line i - 1, untrimmed.
void WriteFileList(TCustomIniFile& Ini, const AnsiString& Section, const AnsiString& CountKey, TStrings* List);
