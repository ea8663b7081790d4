// Makes a folder into a new terminal, as it comes from the maker with a first round of meter
// readings loaded: the settings file, the terminal's information, its operating-system and font
// images, and a few files: the customer table "KHDA.DBF", the readings table "CBSJ.DBF" (dBASE
// III, names and addresses in the ANSI code page) and the meter-reading program "CBJ.EXE".
//
// Nothing that is there already is replaced: a settings file written before the first use is
// kept, and files are only added to a terminal that has none.
#pragma once

#include <filesystem>

class TVxSeeder {
public:
  static void Seed(const std::filesystem::path& folder);
};
