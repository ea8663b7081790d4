// Private to the GUI layer; may change without notice.
//
// Published-property rows of the properties that many control classes publish, bound to
// TControl's and TWinControl's accessors, so that each class's table lists them by name.
#pragma once

#include "TypInfo.h"

namespace ControlProps {
TPropInfo Align();
TPropInfo Caption();
TPropInfo Text();
TPropInfo Color();
TPropInfo Enabled();
TPropInfo Font();
TPropInfo Hint();
TPropInfo ParentColor();
TPropInfo ParentFont();
TPropInfo ParentShowHint();
TPropInfo PopupMenu();
TPropInfo ShowHint();
TPropInfo Visible();
TPropInfo OnClick();
TPropInfo OnDblClick();
TPropInfo OnMouseDown();
TPropInfo OnMouseUp();
TPropInfo OnResize();
TPropInfo TabOrder();
TPropInfo TabStop();
TPropInfo OnEnter();
TPropInfo OnExit();
TPropInfo OnKeyDown();
TPropInfo OnKeyPress();
TPropInfo OnKeyUp();
}  // namespace ControlProps
