// A GUI test with one shown form to place controls on, freed after the test.
#pragma once

#include "GuiFixture.h"
#include "TForm.h"

class FormTest : public GuiTest {
protected:
  void SetUp() override {
    GuiTest::SetUp();
    form = NewForm<TForm>(nullptr);
    form->SetBounds(0, 0, 640, 480);
  }
  void TearDown() override {
    if (form != nullptr) form->Free();
    form = nullptr;
    GuiTest::TearDown();
  }
  // A control of class T owned by and placed on the form (or on Parent).
  template <class T>
  T* place(int left, int top, int width, int height, TWinControl* parent = nullptr) {
    auto* c = new T(form);
    c->SetBounds(left, top, width, height);
    c->SetParent(parent != nullptr ? parent : form);
    return c;
  }

  TForm* form = nullptr;
};
