#include "LmClasses.h"

#include "TypInfo.h"

DEFINE_CLASS(TLmComponent, TComponent, Published::String("About", &TLmComponent::About, &TLmComponent::SetAbout))

TLmComponent::TLmComponent(TComponent* AOwner)
    : TComponent(AOwner), about_("Interface language manager of the handheld terminal manager") {}

void TLmComponent::SetAbout(const AnsiString&) {}

void TLmComponent::Describe(const char* DisplayName, const char* Note, AnsiString& Name, AnsiString& Author,
                            AnsiString& AuthorEmail, AnsiString& Comment) {
  Name = DisplayName;
  Author = "Handheld Manager developers";
  AuthorEmail = "handheld-manager@localhost";
  Comment = Note;
}
