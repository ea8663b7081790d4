// The fixture of the language manager's tests: the GUI and the manager's unit run once per
// test program (offscreen); each test gets a language folder with a Chinese and an English
// file, and everything it makes under Owner is freed after it.
#pragma once

#include <gtest/gtest.h>

#include "LanguageFiles.h"
#include "LmHashLangStorage.h"
#include "LmLangMgr.h"

class LangManagerTest : public ::testing::Test {
protected:
  void SetUp() override;
  void TearDown() override;

  // A manager and a storage owned by Owner; the storage joins the manager.
  TLmLangManager* NewManager();
  TLmHashLangFileStorage* NewStorage();

  LanguageFolder folder;
  TComponent* owner = nullptr;
};
