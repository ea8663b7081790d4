#include "TForm.h"

#include "TControlProps_p.h"

DEFINE_CLASS(TForm, TCustomForm,
             Published::Class("ActiveControl", &TCustomForm::ActiveControl, &TCustomForm::SetActiveControl),
             Published::Set("BorderIcons", {"biSystemMenu", "biMinimize", "biMaximize", "biHelp"}, &TCustomForm::BorderIcons,
                            &TCustomForm::SetBorderIcons),
             Published::Enum("BorderStyle", {"bsNone", "bsSingle", "bsSizeable", "bsDialog", "bsToolWindow", "bsSizeToolWin"},
                             &TCustomForm::BorderStyle, &TCustomForm::SetBorderStyle),
             ControlProps::Caption(),
             Published::Integer("ClientHeight", &TCustomForm::ClientHeight, &TCustomForm::SetClientHeight),
             Published::Integer("ClientWidth", &TCustomForm::ClientWidth, &TCustomForm::SetClientWidth),
             ControlProps::Color(), ControlProps::Enabled(), ControlProps::Font(), ControlProps::Hint(),
             Published::Boolean("KeyPreview", &TCustomForm::KeyPreview, &TCustomForm::SetKeyPreview),
             ControlProps::ParentFont(), ControlProps::PopupMenu(),
             Published::Enum("Position", {"poDesigned", "poDefault", "poDefaultPosOnly", "poDefaultSizeOnly", "poScreenCenter",
                                          "poDesktopCenter", "poMainFormCenter", "poOwnerFormCenter"},
                             &TCustomForm::Position, &TCustomForm::SetPosition),
             ControlProps::ShowHint(), ControlProps::Visible(),
             Published::Event("OnActivate", &TCustomForm::OnActivate), ControlProps::OnClick(),
             Published::Event("OnClose", &TCustomForm::OnClose),
             Published::Event("OnCloseQuery", &TCustomForm::OnCloseQuery),
             Published::Event("OnCreate", &TCustomForm::OnCreate), ControlProps::OnDblClick(),
             Published::Event("OnDeactivate", &TCustomForm::OnDeactivate),
             Published::Event("OnDestroy", &TCustomForm::OnDestroy),
             Published::Event("OnHide", &TCustomForm::OnHide), ControlProps::OnKeyDown(), ControlProps::OnKeyPress(),
             ControlProps::OnKeyUp(), ControlProps::OnResize(), Published::Event("OnShow", &TCustomForm::OnShow))

TForm::TForm(TComponent* AOwner) : TCustomForm(AOwner) {}
