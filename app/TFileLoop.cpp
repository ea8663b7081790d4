#include "TFileLoop.h"

bool TFileLoop::Check(std::int32_t Result) {
  if (vxGetErrMsg(Result, text_.data(), &goOn_) == 0) return true;
  allOk_ = 0;
  if (port_ == PORT_USB) goOn_ = 1;
  return false;
}
