// The Application and Screen objects (created and freed by the GUI module, ClasslibGui.h) and
// the factory that creates forms.
#pragma once

#include "TApplication.h"
#include "TScreen.h"

class TCustomForm;
class TComponent;

extern TApplication* Application;
extern TScreen* Screen;

// Creates a form of class T owned by Owner and raises its OnCreate once it is built.
template <class T>
T* NewForm(TComponent* Owner) {
  auto* form = new T(Owner);
  form->AfterConstruction();
  return form;
}
