#include "ConvertFixture.h"

#include <algorithm>
#include <filesystem>

void ConvertTest::SetUp() {
  ExportTest::SetUp();
  settings = dir.Path("handheld-manager.ini");
  module = new TdmUtils(owner);
  module->SetSettingsFile(settings);
}

void ConvertTest::MakeDbf(const std::string& Name, const std::string& Spec, const std::string& Records) const {
  const TReaderResult r = RunPython(
      "import dbf, datetime, sys\n"
      "t = dbf.Table(sys.argv[1], '" + Spec + "', dbf_type='db3', codepage='cp936')\n"
      "t.open(dbf.READ_WRITE)\n"
      "for r in " + Records + ":\n  t.append(r)\n"
      "t.close()\n",
      "'" + dir.Path(Name) + "' 2>&1");
  ASSERT_EQ(r.Status, 0) << r.Output;
}

std::string ConvertTest::Dbfread(const std::string& Name, const std::string& Script) const {
  const TReaderResult r = RunPython(
      "import dbfread, sys\n"
      "t = dbfread.DBF(sys.argv[1], encoding='cp936', char_decode_errors='strict')\n" + Script,
      "'" + dir.Path(Name) + "' 2>&1");
  EXPECT_EQ(r.Status, 0) << r.Output;
  return r.Output;
}

std::string ConvertTest::DbfRecords(const std::string& Name) const {
  return Dbfread(Name, "print(t.field_names)\nfor r in t:\n  print(list(r.values()))\n");
}

std::string ConvertTest::DbfLayout(const std::string& Name) const {
  return Dbfread(Name, "print([(f.name, f.type, f.length, f.decimal_count) for f in t.fields])\n");
}

std::string ConvertTest::Sqlite(const std::string& Name, const std::string& Script) const {
  const TReaderResult r =
      RunPython("import sqlite3, sys\ndb = sqlite3.connect(sys.argv[1])\n" + Script, "'" + dir.Path(Name) + "' 2>&1");
  EXPECT_EQ(r.Status, 0) << r.Output;
  return r.Output;
}

std::vector<std::string> ConvertTest::Files() const {
  std::vector<std::string> names;
  for (const auto& entry : std::filesystem::directory_iterator(dir.Dir())) names.push_back(entry.path().filename().string());
  std::sort(names.begin(), names.end());
  return names;
}
