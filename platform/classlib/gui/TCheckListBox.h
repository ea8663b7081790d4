// TCheckListBox: a list box with a check mark before each line.
//
// Checked[i] (and State[i] with AllowGrayed) tell and set each line's mark; the user toggles
// a mark with a click on it or with Space, after which OnClickCheck runs. The marks belong to
// the lines: they move with inserted or deleted lines and are cleared when the lines are set
// anew. An index out of range raises EListError.
//
// Published: TListBox's, AllowGrayed, OnClickCheck.
#pragma once

#include "TCheckBox.h"
#include "TCustomListBox.h"

class TCheckListBox : public TCustomListBox {
  DECLARE_CLASS(TCheckListBox, TCustomListBox)

  explicit TCheckListBox(TComponent* AOwner);

  bool Checked(int Index) const;
  void SetChecked(int Index, bool Value);
  TCheckBoxState State(int Index) const;
  void SetState(int Index, TCheckBoxState Value);
  bool AllowGrayed() const;
  void SetAllowGrayed(bool Value);

  TNotifyEvent OnClickCheck;
};
