// Types shared by the controls: alignment, shift state, mouse buttons, modal results and the
// event signatures that forms bind.
#pragma once

#include <functional>

#include "Messages.h"
#include "System.h"

class TObject;

enum class TAlign { alNone, alTop, alBottom, alLeft, alRight, alClient };
using enum TAlign;

enum class TShiftStateFlag { ssShift, ssAlt, ssCtrl, ssLeft, ssRight, ssMiddle, ssDouble };
using TShiftState = SetOf<TShiftStateFlag>;
using enum TShiftStateFlag;

enum class TMouseButton { mbLeft, mbRight, mbMiddle };
using enum TMouseButton;

// The result a modal form or a button gives: 0 none, then the message-box results (IDOK ...).
using TModalResult = int;
constexpr TModalResult mrNone = 0;
constexpr TModalResult mrOk = 1;
constexpr TModalResult mrCancel = 2;
constexpr TModalResult mrAbort = 3;
constexpr TModalResult mrRetry = 4;
constexpr TModalResult mrIgnore = 5;
constexpr TModalResult mrYes = 6;
constexpr TModalResult mrNo = 7;
constexpr TModalResult mrAll = 8;
constexpr TModalResult mrNoToAll = 9;
constexpr TModalResult mrYesToAll = 10;

// Key went down: Key is the virtual-key code (WinUser.h); setting it to 0 keeps the key from
// the control.
using TKeyEvent = std::function<void(TObject* Sender, WORD& Key, TShiftState Shift)>;
// A character was typed: setting Key to 0 discards it, another character replaces it.
using TKeyPressEvent = std::function<void(TObject* Sender, char& Key)>;
using TMouseEvent = std::function<void(TObject* Sender, TMouseButton Button, TShiftState Shift, int X, int Y)>;

// Where a form's close ends: nothing, hidden, freed, minimised.
enum class TCloseAction { caNone, caHide, caFree, caMinimize };
using enum TCloseAction;
using TCloseEvent = std::function<void(TObject* Sender, TCloseAction& Action)>;
using TCloseQueryEvent = std::function<void(TObject* Sender, bool& CanClose)>;
