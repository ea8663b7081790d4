#include "TTreeView.h"

#include "TControlProps_p.h"
#include "TCustomImageList.h"
#include "TTreeNodes.h"

DEFINE_CLASS(TTreeView, TCustomTreeView, ControlProps::Align(), ControlProps::Color(), ControlProps::Enabled(),
             ControlProps::Font(), ControlProps::Hint(),
             Published::Class("Images", &TCustomTreeView::Images, &TCustomTreeView::SetImages),
             Published::Class("Items", &TCustomTreeView::Items, &TCustomTreeView::SetItems), ControlProps::ParentColor(),
             ControlProps::ParentFont(), ControlProps::ParentShowHint(), ControlProps::PopupMenu(),
             Published::Boolean("ReadOnly", &TCustomTreeView::ReadOnly, &TCustomTreeView::SetReadOnly),
             Published::Boolean("ShowButtons", &TCustomTreeView::ShowButtons, &TCustomTreeView::SetShowButtons),
             Published::Boolean("ShowRoot", &TCustomTreeView::ShowRoot, &TCustomTreeView::SetShowRoot),
             ControlProps::ShowHint(), ControlProps::TabOrder(), ControlProps::TabStop(), ControlProps::Visible(),
             Published::Event("OnChange", &TCustomTreeView::OnChange), ControlProps::OnClick(),
             Published::Event("OnCollapsed", &TCustomTreeView::OnCollapsed), ControlProps::OnDblClick(),
             ControlProps::OnEnter(), ControlProps::OnExit(),
             Published::Event("OnExpanded", &TCustomTreeView::OnExpanded), ControlProps::OnKeyDown(),
             ControlProps::OnKeyPress(), ControlProps::OnKeyUp(), ControlProps::OnMouseDown(), ControlProps::OnMouseUp())

TTreeView::TTreeView(TComponent* AOwner) : TCustomTreeView(AOwner) {}
