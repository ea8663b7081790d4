#include "DbError.h"

void RaiseDbError(std::string_view FileName, std::string_view Reason) {
  AnsiString message(FileName);
  message += ": ";
  message += Reason;
  throw EDatabaseError(message);
}
