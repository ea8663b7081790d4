// The GUI unit: the Application and Screen objects and the start and end of the GUI.
//
// InitializeForms starts the GUI (the Qt application on the platform chosen by the
// environment, "offscreen" in tests), installs the font substitutes that show the Windows
// font names the forms use ("宋体", "隶书", "Tahoma" ...) with installed fonts, creates Screen
// and Application, and starts the delivery of posted window messages. FinalizeForms frees
// Application (and with it every form it owns), any form still open, Screen, and the Qt
// application, in that order. Both are called once each, in that order, by the program's start
// and end or by a test fixture; InitializeForms again after FinalizeForms starts afresh.
#pragma once

#include "TApplication.h"
#include "TScreen.h"

class TCustomForm;
class TComponent;

extern TApplication* Application;
extern TScreen* Screen;

// argc/argv are the program's command line (kept for the life of the GUI); none in tests.
void InitializeForms(int argc = 0, char** argv = nullptr);
void FinalizeForms();
bool FormsInitialized();

// Creates a form of class T owned by Owner and raises its OnCreate once it is built.
template <class T>
T* NewForm(TComponent* Owner) {
  auto* form = new T(Owner);
  form->AfterConstruction();
  return form;
}
