// The desktop shell as the program uses it: opening documents, links and folders with the
// desktop's handler, the folder picker, and the type description of a file name.
//
// ShellExecute opens File ("open", "explore" or an empty verb): a web or mail link ("http:",
// "mailto:"), a document or a folder with the application the desktop associates with it; the
// file manager names of the platform the program was made for ("Explorer.exe") open the folder
// given in Parameters. It returns a value above 32 when the desktop took the request, else
// SE_ERR_FNF (no such file), SE_ERR_NOASSOC (no handler, or a verb the desktop has no
// equivalent for, such as "print"). Application's test hook records requests instead of
// passing them on.
#pragma once

#include "Messages.h"
#include "System.h"

constexpr int SE_ERR_FNF = 2;
constexpr int SE_ERR_PNF = 3;
constexpr int SE_ERR_ACCESSDENIED = 5;
constexpr int SE_ERR_OOM = 8;
constexpr int SE_ERR_NOASSOC = 31;
// The platform's largest path, which callers' buffers are sized for.
constexpr int MAX_PATH = 260;

int ShellExecute(HWND hWnd, const AnsiString& Operation, const AnsiString& File, const AnsiString& Parameters,
                 const AnsiString& Directory, int ShowCmd);

// The folder picker: file-system folders only, titled Title, owned by Owner's window. Returns
// the chosen folder, or "" when the user cancelled. The test hook answers it (AnswerFolder).
AnsiString ShellBrowseForFolder(HWND Owner, const AnsiString& Title);

// The desktop's description of a file's type, judged by its name's extension alone (the file
// is not opened); "" when the desktop knows no type for it.
AnsiString ShellFileTypeName(const AnsiString& FileName);
