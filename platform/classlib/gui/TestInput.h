// Real input for tests: mouse clicks and keys sent to controls through the GUI's own event
// path (the same one the user's input takes), waiting by polling, and counts that fixtures
// check for leaks. Tests of every layer drive forms with these and Application's test hook
// (TApplicationTestHook.h) on Qt's offscreen platform.
//
//   ClickControl(btnOk);                       // press and release in the middle
//   PressKey(listCpu, 'A', {ssCtrl});           // focuses the control first
//   ASSERT_TRUE(WaitUntil([&] { return done; }));
#pragma once

#include <functional>

#include "Controls.h"

class TControl;
class TWinControl;
class TMenuItem;
class TCustomListView;
class TCustomTreeView;
class TShellTreeView;
class TTreeNode;
class TRadioGroup;
class TPageControl;
class TCustomListBox;

namespace TestInput {

// Handles messages until the condition holds or the time is up; returns the condition. The
// default time is generous: it is only spent when a test fails, and a loaded sanitizer build
// can take seconds for what takes milliseconds alone.
bool WaitUntil(const std::function<bool()>& Condition, int TimeoutMs = 30000);
// Handles pending messages for a while (for things that must not happen).
void ProcessFor(int Milliseconds);

// Left click (press and release) at a point of the control's client area, its middle by default.
void ClickControl(TControl* Control, TShiftState Shift = {}, int X = -1, int Y = -1);
void DoubleClickControl(TControl* Control, int X = -1, int Y = -1);
// Right click: a control with a popup menu pops it up.
void RightClickControl(TControl* Control, int X = -1, int Y = -1);
// Gives the control the keyboard focus and waits until it has it; false when it cannot.
bool FocusControl(TWinControl* Control);
// Key down and up on the focused control (focusing Control first). Char is the character the
// key types, if any.
void PressKey(TWinControl* Control, WORD Key, TShiftState Shift = {}, char Char = 0);
// Types each character of Text as a key press.
void TypeText(TWinControl* Control, const AnsiString& Text);
// Chooses a menu entry as the user does from its shown menu.
void ChooseMenuItem(TMenuItem* Item);

// List views: a click on an item (Shift and Ctrl extend the selection as the user's do), a
// click on a column header, the width a column is shown with (0 when hidden), the width it
// needs to show its header and its cells without cutting any short, and the width of the
// view's area that shows the columns.
void ClickListItem(TCustomListView* View, int Index, TShiftState Shift = {});
void DoubleClickListItem(TCustomListView* View, int Index);
void ClickColumnHeader(TCustomListView* View, int Column);
int ShownColumnWidth(TCustomListView* View, int Column);
int ColumnContentWidth(TCustomListView* View, int Column);
int ShownColumnsAreaWidth(TCustomListView* View);
// Tree views: a click on a node. Shell trees: whether the row of the chosen folder (Path) lies
// wholly inside the visible part of the tree.
void ClickTreeNode(TCustomTreeView* View, TTreeNode* Node);
bool ShellPathShown(TShellTreeView* View);

// Radio groups: a click on the button of line Index.
void ClickRadioItem(TRadioGroup* Group, int Index);
// Page controls: a click on the tab of page Index; whether that tab is shown, and its width.
void ClickTab(TPageControl* Pages, int Index);
bool TabShown(TPageControl* Pages, int Index);
int ShownTabWidth(TPageControl* Pages, int Index);
// List boxes: a click on line Index (Shift and Ctrl extend the selection).
void ClickListBoxItem(TCustomListBox* List, int Index, TShiftState Shift = {});

// Grids (TStringGrid, TDBGrid): a click on a cell, the text the grid shows in it ("" outside
// the grid), the width a column is shown with, and the cell shown as current (-1, -1 when none).
void ClickGridCell(TWinControl* Grid, int Col, int Row);
AnsiString ShownCellText(TWinControl* Grid, int Col, int Row);
int ShownGridColumnWidth(TWinControl* Grid, int Col);
void ShownCurrentCell(TWinControl* Grid, int& Col, int& Row);

// What the user sees of a control: the hint shown when the mouse rests on it ("" when none is
// shown), the font family the desktop draws its text with, and the number of different colours
// it draws (1 for a control that shows nothing on its background).
AnsiString ShownHint(TControl* Control);
AnsiString ShownFontFamily(TControl* Control);
int ShownColourCount(TControl* Control);

// Controls and widgets alive now (for leak checks; Qt's own hidden helper widgets are not
// counted).
int LiveControlCount();
int LiveWidgetCount();
// The class names of the widgets alive now (to tell what leaked).
AnsiString DescribeWidgets();

}  // namespace TestInput
