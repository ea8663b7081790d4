#include "TPanel.h"

#include "TControlProps_p.h"

DEFINE_CLASS(TPanel, TCustomPanel, ControlProps::Align(),
             Published::Enum("Alignment", {"taLeftJustify", "taRightJustify", "taCenter"}, &TCustomPanel::Alignment,
                             &TCustomPanel::SetAlignment),
             Published::Enum("BevelInner", {"bvNone", "bvLowered", "bvRaised", "bvSpace"}, &TCustomPanel::BevelInner,
                             &TCustomPanel::SetBevelInner),
             Published::Enum("BevelOuter", {"bvNone", "bvLowered", "bvRaised", "bvSpace"}, &TCustomPanel::BevelOuter,
                             &TCustomPanel::SetBevelOuter),
             Published::Integer("BevelWidth", &TCustomPanel::BevelWidth, &TCustomPanel::SetBevelWidth),
             Published::Integer("BorderWidth", &TCustomPanel::BorderWidth, &TCustomPanel::SetBorderWidth),
             ControlProps::Caption(), ControlProps::Color(), ControlProps::Enabled(), ControlProps::Font(),
             ControlProps::Hint(), ControlProps::ParentColor(), ControlProps::ParentFont(), ControlProps::ParentShowHint(),
             ControlProps::PopupMenu(), ControlProps::ShowHint(), ControlProps::TabOrder(), ControlProps::TabStop(),
             ControlProps::Visible(), ControlProps::OnClick(), ControlProps::OnDblClick(), ControlProps::OnEnter(),
             ControlProps::OnExit(), ControlProps::OnMouseDown(), ControlProps::OnMouseUp(), ControlProps::OnResize())

TPanel::TPanel(TComponent* AOwner) : TCustomPanel(AOwner) {}
