// TLmComponent: the base of every component of the language manager. It publishes About,
// a fixed text that only says what the component is (writing it changes nothing), and asks
// each class to describe itself for an About box.
#pragma once

#include "TComponent.h"

class TLmComponent : public TComponent {
  DECLARE_CLASS(TLmComponent, TComponent)

  explicit TLmComponent(TComponent* AOwner);

  const AnsiString& About() const { return about_; }
  void SetAbout(const AnsiString& Value);  // ignored

  // Display name, author, author's e-mail and comment for an About box.
  virtual void DescribeComponent(AnsiString& Name, AnsiString& Author, AnsiString& AuthorEmail,
                                 AnsiString& Comment) = 0;

protected:
  // Fills the four texts: the given name and comment, and the subsystem's author and e-mail.
  static void Describe(const char* DisplayName, const char* Note, AnsiString& Name, AnsiString& Author,
                       AnsiString& AuthorEmail, AnsiString& Comment);

private:
  AnsiString about_;
};
