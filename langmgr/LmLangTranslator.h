// TLmLangTranslator: the translator component a form holds beside its language manager. It
// only describes itself; translating is the manager's work.
#pragma once

#include "LmClasses.h"

class TLmLangTranslator : public TLmComponent {
  DECLARE_CLASS(TLmLangTranslator, TLmComponent)

  using TLmComponent::TLmComponent;

  void DescribeComponent(AnsiString& Name, AnsiString& Author, AnsiString& AuthorEmail, AnsiString& Comment) override;
};
