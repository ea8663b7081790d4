#include "TListView.h"

#include "TControlProps_p.h"
#include "TCustomImageList.h"
#include "TListColumns.h"
#include "TListItems.h"

DEFINE_CLASS(TListView, TCustomListView, ControlProps::Align(), ControlProps::Color(),
             Published::Boolean("ColumnClick", &TCustomListView::ColumnClick, &TCustomListView::SetColumnClick),
             Published::Class("Columns", &TCustomListView::Columns, &TCustomListView::SetColumns),
             ControlProps::Enabled(), ControlProps::Font(), ControlProps::Hint(),
             Published::Class("Items", &TCustomListView::Items, &TCustomListView::SetItems),
             Published::Boolean("MultiSelect", &TCustomListView::MultiSelect, &TCustomListView::SetMultiSelect),
             ControlProps::ParentColor(), ControlProps::ParentFont(), ControlProps::ParentShowHint(),
             ControlProps::PopupMenu(),
             Published::Boolean("ReadOnly", &TCustomListView::ReadOnly, &TCustomListView::SetReadOnly),
             Published::Boolean("RowSelect", &TCustomListView::RowSelect, &TCustomListView::SetRowSelect),
             Published::Boolean("ShowColumnHeaders", &TCustomListView::ShowColumnHeaders,
                                &TCustomListView::SetShowColumnHeaders),
             ControlProps::ShowHint(),
             Published::Class("SmallImages", &TCustomListView::SmallImages, &TCustomListView::SetSmallImages),
             ControlProps::TabOrder(), ControlProps::TabStop(),
             Published::Enum("ViewStyle", {"vsIcon", "vsSmallIcon", "vsList", "vsReport"}, &TCustomListView::ViewStyle,
                             &TCustomListView::SetViewStyle),
             ControlProps::Visible(), ControlProps::OnClick(),
             Published::Event("OnColumnClick", &TCustomListView::OnColumnClick),
             Published::Event("OnCompare", &TCustomListView::OnCompare), ControlProps::OnDblClick(),
             ControlProps::OnEnter(), ControlProps::OnExit(), ControlProps::OnKeyDown(), ControlProps::OnKeyPress(),
             ControlProps::OnKeyUp(), ControlProps::OnMouseDown(), ControlProps::OnMouseUp(),
             Published::Event("OnSelectItem", &TCustomListView::OnSelectItem))

TListView::TListView(TComponent* AOwner) : TCustomListView(AOwner) {}
