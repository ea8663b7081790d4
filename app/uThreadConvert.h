// uThreadConvert: the conversions the worker's transfers make around a file: a PC file
// converted into the terminal's dBASE type before it is sent, a dBASE file from the terminal
// converted into the page's convert type after it came.
//
// A conversion that fails, or a target it must leave out, is told to the user in a message box
// ("Convert File Type Error:" + the file's name + why) and the routine counts the file as
// failed; the transfer itself goes on as it would without the conversion.
#pragma once

#include <cstdint>
#include <vector>

#include "System.h"

class TFileLoop;

// The names of the files one transfer brings, or is still to bring, into one folder (the PC's,
// or the server's). A conversion of the same transfer writes no file of these names, so that
// nothing it makes replaces a file the transfer brought. Names are compared without regard to
// the case of their ASCII letters, as the terminal compares them and as a folder on a DOS or
// Windows file system would.
class TTransferNames {
public:
  explicit TTransferNames(std::vector<AnsiString> Names) : names_(std::move(Names)) {}
  // The transfer of Name failed: it brought no file of that name.
  void Failed(const AnsiString& Name);
  bool Holds(const AnsiString& Name) const;

private:
  std::vector<AnsiString> names_;
};

// A name with the dBASE extension, in any case (".dbf", ".DBF").
bool IsDbaseFile(const AnsiString& Name);

// The file a download sends for the PC file Path, by the convert type: a dBASE table as it is,
// under its own name; with ALL every other file of a type a table comes in (text, CSV, Access,
// Excel, XML), with TXT to XML a file of that type's extension, converted into dBASE and sent
// as the file the conversion wrote; any other file as it is. A conversion that fails is told,
// counts the file as failed in Loop, and Path is sent as it is.
AnsiString FileToSend(const AnsiString& Path, std::uint8_t ConvertType, TFileLoop& Loop);

enum class TConvertOutcome {
  Converted,      // every target written (or nothing to convert)
  TargetLeftOut,  // a target the transfer brought was not written over; the others were
  Failed,         // a conversion failed; the targets after it were not tried
};
// Converts a dBASE file that came from the terminal into ConvertType beside it, target by
// target; a file of another type, and NONE, need nothing. A target that Keep holds is left out
// and told, the others are written; a conversion that fails is told and ends the file's
// conversion.
TConvertOutcome ConvertReceived(const AnsiString& Path, std::uint8_t ConvertType, const TTransferNames& Keep);
