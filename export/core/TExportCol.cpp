#include "TExportCol.h"

#include "StringRoutines.h"
#include "TypInfo.h"

DEFINE_CLASS(TExportCol, TObject)

TExportCol::TExportCol(TExportRow* Row, const AnsiString& Name) : row_(Row), name_(Trim(Name)) {}

void TExportCol::SetName(const AnsiString& Value) { name_ = Trim(Value); }
