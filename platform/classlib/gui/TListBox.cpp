#include "TListBox.h"

#include "TControlProps_p.h"
#include "TStrings.h"

DEFINE_CLASS(TListBox, TCustomListBox, ControlProps::Align(), ControlProps::Color(), ControlProps::Enabled(),
             ControlProps::Font(), ControlProps::Hint(),
             Published::Integer("ItemIndex", &TCustomListBox::ItemIndex, &TCustomListBox::SetItemIndex),
             Published::Class("Items", &TCustomListBox::Items, &TCustomListBox::SetItems),
             Published::Boolean("MultiSelect", &TCustomListBox::MultiSelect, &TCustomListBox::SetMultiSelect),
             ControlProps::ParentColor(), ControlProps::ParentFont(), ControlProps::ParentShowHint(),
             ControlProps::PopupMenu(), ControlProps::ShowHint(),
             Published::Boolean("Sorted", &TCustomListBox::Sorted, &TCustomListBox::SetSorted), ControlProps::TabOrder(),
             ControlProps::TabStop(), ControlProps::Visible(), ControlProps::OnClick(), ControlProps::OnDblClick(),
             ControlProps::OnEnter(), ControlProps::OnExit(), ControlProps::OnKeyDown(), ControlProps::OnKeyPress(),
             ControlProps::OnKeyUp(), ControlProps::OnMouseDown(), ControlProps::OnMouseUp())

TListBox::TListBox(TComponent* AOwner) : TCustomListBox(AOwner) {}
