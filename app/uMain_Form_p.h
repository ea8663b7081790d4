// Helpers of the main window's form definition (uMain_Form*.cpp only; may change at any time).
//
// The definition places each control with its name, parent and bounds in the parent's client
// area, as a form designer would store them. Texts are written in UTF-8 in the source and
// converted once, when the window is built, into the process's ANSI code page.
#pragma once

#include "CodePage.h"
#include "TComponent.h"
#include "TCustomImageList.h"
#include "TMenuItem.h"
#include "TWinControl.h"

class TImage;
class TImageList;
class TListView;
class TPopupMenu;
class TRadioGroup;

namespace FormDef {

// The main window's client area, in pixels.
inline constexpr int FormClientWidth = 854;
inline constexpr int FormClientHeight = 553;

inline AnsiString Txt(const char* Utf8) { return Utf8ToAnsi(Utf8); }

// A control of class C owned by Owner, named Name, placed on Parent.
template <class C>
C* Place(TComponent* Owner, TWinControl* Parent, const char* Name, int Left, int Top, int Width, int Height) {
  auto* control = new C(Owner);
  control->SetName(Name);
  control->SetParent(Parent);
  control->SetBounds(Left, Top, Width, Height);
  return control;
}

// As Place, with a caption.
template <class C>
C* PlaceCaptioned(TComponent* Owner, TWinControl* Parent, const char* Name, const char* CaptionUtf8, int Left, int Top,
                  int Width, int Height) {
  C* control = Place<C>(Owner, Parent, Name, Left, Top, Width, Height);
  control->SetCaption(Txt(CaptionUtf8));
  return control;
}

// A menu entry added at the end of Parent; "-" makes a separator.
inline TMenuItem* AddMenuItem(TComponent* Owner, TMenuItem* Parent, const char* Name, const char* CaptionUtf8,
                              int Tag = 0) {
  auto* item = new TMenuItem(Owner);
  item->SetName(Name);
  item->SetCaption(Txt(CaptionUtf8));
  item->SetTag(Tag);
  Parent->Add(item);
  return item;
}

// One of the desktop's pictures, at the size of the lists' pictures, in the middle of Image.
void SetStockPicture(TImage* Image, TStockImage Stock);

// A list view in report style, rows selected whole, read-only, with its images and popup menu.
void SetUpReportList(TListView* List, bool MultiSelect, TImageList* SmallImages, TPopupMenu* Popup);
// A column at the end of a report-style list view.
void AddColumn(TListView* List, const char* CaptionUtf8, int Width);
// The columns of the terminal lists: name and size of the widths given, time as wide as its
// text, and file number, first block and state (hidden, width 0).
void AddTerminalColumns(TListView* List, int NameWidth, int SizeWidth);
// The convert types the pages offer (TConvertType 0 to 6), "ALL" chosen.
void AddConvertTypes(TRadioGroup* Group);

}  // namespace FormDef
