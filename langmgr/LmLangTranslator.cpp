#include "LmLangTranslator.h"

#include "TypInfo.h"

DEFINE_CLASS(TLmLangTranslator, TLmComponent)

void TLmLangTranslator::DescribeComponent(AnsiString& Name, AnsiString& Author, AnsiString& AuthorEmail,
                                          AnsiString& Comment) {
  Describe("Language Translator", "Language Translator and Translation Manager", Name, Author, AuthorEmail, Comment);
}
