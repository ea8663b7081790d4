#include "TLabel.h"

#include "TControlProps_p.h"

DEFINE_CLASS(TLabel, TCustomLabel, ControlProps::Align(),
             Published::Enum("Alignment", {"taLeftJustify", "taRightJustify", "taCenter"}, &TCustomLabel::Alignment,
                             &TCustomLabel::SetAlignment),
             Published::Boolean("AutoSize", &TCustomLabel::AutoSize, &TCustomLabel::SetAutoSize), ControlProps::Caption(),
             ControlProps::Color(), ControlProps::Enabled(), ControlProps::Font(), ControlProps::Hint(),
             Published::Enum("Layout", {"tlTop", "tlCenter", "tlBottom"}, &TCustomLabel::Layout, &TCustomLabel::SetLayout),
             ControlProps::ParentColor(), ControlProps::ParentFont(), ControlProps::ParentShowHint(),
             ControlProps::PopupMenu(),
             Published::Boolean("ShowAccelChar", &TCustomLabel::ShowAccelChar, &TCustomLabel::SetShowAccelChar),
             ControlProps::ShowHint(),
             Published::Boolean("Transparent", &TCustomLabel::Transparent, &TCustomLabel::SetTransparent),
             ControlProps::Visible(), Published::Boolean("WordWrap", &TCustomLabel::WordWrap, &TCustomLabel::SetWordWrap),
             ControlProps::OnClick(), ControlProps::OnDblClick(), ControlProps::OnMouseDown(), ControlProps::OnMouseUp())

TLabel::TLabel(TComponent* AOwner) : TCustomLabel(AOwner) {}
