// A main window of its own for one test: the program's units started as the program starts
// them, a simulated terminal in a temporary folder, the settings file and the language files
// in another, and Application's test hook answering the dialogs.
#pragma once

#include <gtest/gtest.h>

#include <filesystem>
#include <string>

#include "TApplicationTestHook.h"
#include "TUnitList.h"
#include "TBlockingRoutine.h"
#include "VxTestTerminal.h"
#include "uMain.h"

class TMainWindowFixture : public ::testing::Test {
protected:
  TMainWindowFixture();
  ~TMainWindowFixture() override;

  // The settings file's text before the window is created (UTF-8 in the source, stored in the
  // ANSI code page as the program writes it).
  void WriteSettings(const std::string& Utf8Text);
  // The settings file's text as UTF-8.
  std::string ReadSettings() const;
  // Creates the window (FormCreate runs) and, when asked, shows it (FormShow runs).
  TFormmain* CreateWindow(bool Show = true);
  // Frees the window.
  void DestroyWindow();
  // Waits until no worker runs and the window has handled the reports the last one posted.
  bool WaitIdle();

  // The texts of the dialogs shown so far, as UTF-8.
  std::vector<std::string> ShownTexts() const;
  // The texts of the message boxes among them.
  std::vector<std::string> ShownMessages() const;

  std::filesystem::path folder;  // settings file and languages
  TVxTestTerminal terminal;
  TApplicationTestHook hook;
  TFormmain* window = nullptr;

private:
  TUnitList units;
};
