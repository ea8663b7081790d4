// Private to the GUI layer; may change without notice.
#pragma once

#include <QString>

#include "Controls.h"

// The text of the button that gives Result (mrOk ... mrYesToAll, which are also the message
// boxes' IDOK ... IDNO) in the language of the ANSI code page, as the desktop's own boxes
// show it; "" for a result no button gives.
QString DialogButtonText(TModalResult Result);
