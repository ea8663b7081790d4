// Private to the GUI layer; may change without notice.
//
// The check states of check boxes and check-list boxes in Qt's terms and back.
#pragma once

#include <Qt>

#include "TCheckBox.h"

inline Qt::CheckState ToQCheckState(TCheckBoxState s) {
  return s == cbChecked ? Qt::Checked : s == cbGrayed ? Qt::PartiallyChecked : Qt::Unchecked;
}

inline TCheckBoxState FromQCheckState(Qt::CheckState s) {
  return s == Qt::Checked ? cbChecked : s == Qt::PartiallyChecked ? cbGrayed : cbUnchecked;
}
