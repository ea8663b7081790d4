// Routines shared by the language storage and the translation walk: file names, text
// scanning, class tests by name, published properties addressed by a dotted path, where a
// control's font comes from, and the one-line text form of a font.
//
// Font text: six fields separated by "," - name, size in points, style letters ("B" bold,
// "I" italic, "U" underline, "S" strike-out, in that order), pitch (0 default, 1 variable,
// 2 fixed), colour (a name such as "clWindowText" or a number) and character set (a name such
// as "GB2312_CHARSET" or a number), e.g. "Tahoma,8,B,0,clWindowText,GB2312_CHARSET".
//
// Positions are 1-based. None of these routines raises errors of its own;
// TrySetPropValueByPath, UsesParentFont, ParentFontOf and StringToFont swallow what they meet,
// SetPropValueByPath lets property errors (EPropertyError, EConvertError, EVariantError) pass.
#pragma once

#include <bitset>

#include "Graphics.h"
#include "TypInfo.h"
#include "Variant.h"

class TComponent;
class TControl;
class TFont;

// The file-name routines the language manager uses, over wide strings.
WideString LmExtractFileName(const WideString& FileName);
// The folder without its trailing delimiter, unless it is the root.
WideString LmExtractFileDir(const WideString& FileName);
// The folder with its trailing delimiter.
WideString LmExtractFilePath(const WideString& FileName);
WideString LmChangeFileExt(const WideString& FileName, const WideString& Extension);
WideString LmIncludeTrailingPathDelimiter(const WideString& Path);

// Language-file values keep a line break as <BR>: every <BR>, in any letter case, becomes
// CR LF, and back, every line break (CR LF, a lone LF, a lone CR) becomes <BR>.
WideString LmExpandLineBreaks(const WideString& S);
WideString LmCollapseLineBreaks(const WideString& S);

// Creates a folder and every missing parent; true when the folder exists afterwards. A root
// and a name of fewer than three characters are taken as present.
bool CreateDirTree(const WideString& Dir);

// True when S is a whole 32-bit integer: decimal, or hexadecimal after "$".
bool IsIntegerText(const WideString& S);

// A set of byte-sized characters.
using TLmCharSet = std::bitset<256>;
TLmCharSet MakeCharSet(const char* Chars);
bool InCharSet(char16_t C, const TLmCharSet& Set);

// 'Item12' -> 'Item' and 12; 'Item' -> 'Item' and -1 (also when the digits overflow).
void SplitTrailingNumber(const WideString& S, WideString& Base, int& Number);
// Position of the N-th C in S; 0 when N < 1, S is empty or C occurs fewer than N times.
int NthCharPos(char16_t C, const WideString& S, int N);
// The text from Pos up to the next delimiter (or the end); Pos moves past that delimiter.
// False, with an empty Token, when Pos is already past the end.
bool NextToken(const WideString& S, int& Pos, const TLmCharSet& Delimiters, WideString& Token);

// Class tests by name, so that classes this program does not link are still recognised.
bool ClassNameInAncestry(const TClassInfo* ClassType, std::string_view Name);
bool ObjectHasClassName(const TObject* Obj, std::string_view Name);

// Reads the property at a dotted path ("Font.Name", "Items.Text", "!Font"); Null when there is
// none. A string list's "Text", a list item's "Caption" and a tree node's "Text" are read too.
// With PreferNames, enumerations and sets come as their names and owned components as their
// names; integers of a type with named values (colours) come as the name.
void GetPropValueByPath(const TObject* Obj, const WideString& Path, bool PreferNames, Variant& Value);
// Writes the property at a dotted path. Named values ("clRed"), "$" hexadecimal, enumeration
// and set names, and components owned by Root (by name) are accepted; a string list's "Text",
// a list item's "Caption" and a tree node's "Text" are written as GetPropValueByPath reads them.
void SetPropValueByPath(TObject* Obj, const WideString& Path, const Variant& Value, TComponent* Root);
bool TrySetPropValueByPath(TObject* Obj, const WideString& Path, const Variant& Value, TComponent* Root);
AnsiString PropInfoName(const TPropInfo* PropInfo);

// True when the control has a parent and takes its font.
bool UsesParentFont(const TControl* Control);
// The font a control's (or a control-owned component's) font text starts from: the parent's
// font for a control, the owner's for a component owned by a control; nullptr otherwise.
TFont* ParentFontOf(const TObject* Obj);

AnsiString FontStyleToString(TFontStyles Style);
// Bold for "B", italic for "I", underline for "U", strike-out for "S", in any order and case.
TFontStyles StringToFontStyle(const AnsiString& S);
WideString FontToString(const TFont* Font);
// Applies a font text to Font, starting from BaseFont when given; empty fields keep the
// attribute (an empty style field clears the style) and unreadable fields keep it too, as
// does a size beyond TFont::MaxSize points. OnChange is raised once at the end.
void StringToFont(const WideString& S, TFont* Font);
void StringToFont(const WideString& S, TFont* Font, const TFont* BaseFont);
