// The GUI test fixture: the GUI runs once per test program (offscreen); each test gets a fresh
// test hook on Application and must leave no form, data module, control or widget behind.
#pragma once

#include <gtest/gtest.h>

#include "Forms.h"
#include "TApplicationTestHook.h"
#include "TestInput.h"
#include "WinUser.h"

class GuiTest : public ::testing::Test {
protected:
  void SetUp() override;
  void TearDown() override;

  TApplicationTestHook hook;

private:
  int widgetsBefore_ = 0;
};
