#include "LmClasses.h"

#include "TypInfo.h"

DEFINE_CLASS(TLmComponent, TComponent,
             Published::String("About", &TLmComponent::About, &TLmComponent::SetAbout))

TLmComponent::TLmComponent(TComponent* AOwner)
    : TComponent(AOwner), about_("Interface language manager of the handheld terminal manager") {}

void TLmComponent::SetAbout(const AnsiString&) {}

void TLmComponent::DescribeAuthor(AnsiString& Author, AnsiString& AuthorEmail) {
  Author = "Handheld Manager developers";
  AuthorEmail = "handheld-manager@localhost";
}
