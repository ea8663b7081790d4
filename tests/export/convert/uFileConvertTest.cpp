// The conversion service's types and names, and what it answers while it converts nothing.
#include "uFileConvert.h"

#include <gtest/gtest.h>

#include "ClasslibCore.h"
#include "ClasslibGui.h"
#include "Forms.h"
#include "TUnitList.h"

namespace {

class uFileConvertTest : public ::testing::Test {
protected:
  uFileConvertTest() : units({ClasslibCoreUnit, ClasslibGuiUnit}) { units.Initialize(); }
  ~uFileConvertTest() override { units.Finalize(); }
  TUnitList units;
};

}  // namespace

TEST_F(uFileConvertTest, ExtensionsOfTheTypes) {
  EXPECT_EQ(GetFileTypeExt(TConvertType::ALL), "");
  EXPECT_EQ(GetFileTypeExt(TConvertType::TXT), ".txt");
  EXPECT_EQ(GetFileTypeExt(TConvertType::CSV), ".csv");
  EXPECT_EQ(GetFileTypeExt(TConvertType::MDB), ".mdb");
  EXPECT_EQ(GetFileTypeExt(TConvertType::XLS), ".xls");
  EXPECT_EQ(GetFileTypeExt(TConvertType::XML), ".xml");
  EXPECT_EQ(GetFileTypeExt(TConvertType::NONE), "");
  EXPECT_EQ(GetFileTypeExt(TConvertType::DBF), ".dbf");
  EXPECT_EQ(GetFileTypeExt(static_cast<TConvertType>(8)), "");
  EXPECT_EQ(ConvertTypeName(TConvertType::NONE), "NONE");
}

TEST_F(uFileConvertTest, ChangeFileTypeReplacesTheExtension) {
  EXPECT_EQ(ChangeFileType("/d/a.DBF", TConvertType::XLS), "/d/a.xls");
  EXPECT_EQ(ChangeFileType("/d/a", TConvertType::DBF), "/d/a.dbf");
  EXPECT_EQ(ChangeFileType("/d/a.txt", TConvertType::ALL), "/d/a.txt");
  EXPECT_EQ(ChangeFileType("/d/a.txt", TConvertType::NONE), "/d/a.txt");
}

TEST_F(uFileConvertTest, ModuleOwnedByItsOwnerIsTheProgramsOne) {
  TComponent owner(nullptr);
  auto* module = NewDataModule<TdmUtils>(&owner);
  EXPECT_EQ(dmUtils, module);
  EXPECT_EQ(module->Owner(), &owner);
  delete module;
  EXPECT_EQ(dmUtils, nullptr);
}

TEST_F(uFileConvertTest, NothingToConvertSucceedsEverythingElseSaysItIsNotAvailable) {
  TdmUtils module(nullptr);
  EXPECT_TRUE(module.ConvertFile("/d/a.dbf", TConvertType::NONE));
  EXPECT_TRUE(module.LastError().empty());
  EXPECT_FALSE(module.ConvertFile("/d/a.dbf", TConvertType::XLS));
  EXPECT_NE(module.LastError().find("not available"), AnsiString::npos);
  EXPECT_NE(module.LastError().find("a.dbf"), AnsiString::npos);
  const AnsiString last = module.LastError();
  EXPECT_TRUE(module.ConvertFile("/d/b.dbf", TConvertType::NONE));
  EXPECT_EQ(module.LastError(), last);  // never cleared
}
