// The conversion service's tests: a data module of their own, a folder for the files, a
// settings file in it, and the independent readers and writers of the files.
#pragma once

#include <string>
#include <vector>

#include "ExportFixture.h"
#include "ExportReaders.h"
#include "uFileConvert.h"

class ConvertTest : public ExportTest {
protected:
  void SetUp() override;

  std::string Path(const std::string& Name) const { return dir.Path(Name); }
  // The names of the files in the folder, sorted.
  std::vector<std::string> Files() const;
  // The settings file's text (its section TEXTFORMAT).
  void WriteSettings(const std::string& Text) const { WriteFileBytes(settings, Text); }

  // Writes a dBASE III table with python3-dbf: Spec as dbf.Table takes it ("NAME C(20); N N(12,2)
  // ..."), Records a Python list of tuples (texts given as Python str, stored in GBK).
  void MakeDbf(const std::string& Name, const std::string& Spec, const std::string& Records) const;
  // The records of a table as python3-dbfread reads them (GBK), one repr per line, after a line
  // of the field names.
  std::string DbfRecords(const std::string& Name) const;
  // The fields of a table as python3-dbfread reads them: [(name, type, length, decimals), ...].
  std::string DbfLayout(const std::string& Name) const;
  // The output of Script run with `t`, the table as python3-dbfread reads it (GBK).
  std::string Dbfread(const std::string& Name, const std::string& Script) const;
  // Python's sqlite3 module on a database: Script runs with `db` connected; its output.
  std::string Sqlite(const std::string& Name, const std::string& Script) const;

  TExportTempDir dir;
  std::string settings;
  TdmUtils* module = nullptr;
};

// The customer table of the tests, in the spirit of the terminal's: texts in Chinese, numbers,
// dates, a flag, a memo and empty values.
inline constexpr const char* CustomerSpec = "HH C(10); HM C(20); DS N(10,1); KJ N(3,0); RQ D; YC L; BZ M";
inline constexpr const char* CustomerRecords =
    "[('0100101', '张国强', 1234.5, 20, datetime.date(2024, 1, 31), True, '表在院内\\r\\n第二行'),"
    " ('0100102', '李秀英', 876.0, 25, datetime.date(2023, 12, 30), False, ''),"
    " ('0100103', '', None, None, None, None, None)]";
