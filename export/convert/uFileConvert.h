// uFileConvert: the program's file conversion service.
//
// The terminal keeps its data as dBASE files. After a file has come from the terminal the
// worker converts it, next to it and under the same base name, into the type the user chose;
// before a PC file of the chosen type is sent, it is converted into dBASE and the dBASE file
// is sent instead.
//
//   if (!dmUtils->ConvertFile(dir + "CBSJ.DBF", TConvertType::XLS))
//     show("Convert File Type Error:" + dmUtils->LastError());
//
// The data module is created once by the main window, which owns it, and kept in dmUtils. A
// conversion runs synchronously on the calling thread; the caller runs one at a time.
//
// This build converts nothing yet: ConvertFile answers false for every type but NONE, with a
// LastError saying that the conversion is not available, so callers take their path for a
// failed conversion.
#pragma once

#include <cstdint>

#include "System.h"
#include "TDataModule.h"

// The types a file can be converted into. The pages offer ALL to NONE (in this order, and the
// settings store that index); DBF, the terminal's own format, is the target before sending.
enum class TConvertType : std::uint8_t { ALL = 0, TXT = 1, CSV = 2, MDB = 3, XLS = 4, XML = 5, NONE = 6, DBF = 7 };

inline constexpr int ConvertTypeCount = 8;

// The type's name ("ALL", "TXT", ... "DBF"); "" for a value outside the table.
AnsiString ConvertTypeName(TConvertType Type);
// "." and the type's name in lower case (".txt"); "" for ALL, NONE and values outside the table.
AnsiString GetFileTypeExt(TConvertType Type);
// FileName with its extension replaced by GetFileTypeExt(Type) ("a.DBF", XLS -> "a.xls");
// FileName unchanged for ALL, NONE and values outside the table.
AnsiString ChangeFileType(const AnsiString& FileName, TConvertType Type);

class TdmUtils : public TDataModule {
  DECLARE_CLASS(TdmUtils, TDataModule)

  explicit TdmUtils(TComponent* AOwner);
  ~TdmUtils() override;

  // Converts Source into Type next to it: ALL into TXT, CSV, MDB, XLS and XML in that order
  // (stopping at the first failure), NONE into nothing (true), any other type into that one.
  // False when the conversion failed, with the reason in LastError.
  bool ConvertFile(const AnsiString& Source, TConvertType Type);

  // The text of the last failure the service reported; never cleared, so a conversion that
  // succeeds leaves it as it was.
  const AnsiString& LastError() const { return FLastError; }

private:
  AnsiString FLastError;
};

// The program's one conversion data module (nullptr before the main window creates it and
// after it is gone).
extern TdmUtils* dmUtils;
