// Private to the GUI layer; may change without notice.
#pragma once

#include <QValidator>

// Limits what the user types into a line edit to MaxLength characters (0: no limit); text the
// program sets is not limited, and a text already longer can still be shortened. Both values
// are read where the control keeps them: its MaxLength and the length of the text shown before
// the user's change.
class TLengthValidator : public QValidator {
public:
  TLengthValidator(QObject* parent, const int* maxLength, const qsizetype* shownLength)
      : QValidator(parent), maxLength_(maxLength), shownLength_(shownLength) {}
  State validate(QString& input, int&) const override {
    const int max = *maxLength_;
    if (max <= 0 || input.size() <= max || input.size() <= *shownLength_) return Acceptable;
    return Invalid;
  }

private:
  const int* maxLength_;
  const qsizetype* shownLength_;
};
