// The GUI test fixture: the GUI runs once per test program (offscreen); each test gets a fresh
// test hook on Application and must leave no form, data module, control or widget behind.
#pragma once

#include <gtest/gtest.h>

#include <string_view>

#include "CodePage.h"
#include "Forms.h"
#include "TApplicationTestHook.h"
#include "TestInput.h"
#include "WinUser.h"

// Text in the process's ANSI code page, as the program keeps it.
inline AnsiString Ansi(std::u16string_view text) { return WideToAnsi(text); }

class GuiTest : public ::testing::Test {
protected:
  void SetUp() override;
  void TearDown() override;

  TApplicationTestHook hook;

private:
  int widgetsBefore_ = 0;
};
