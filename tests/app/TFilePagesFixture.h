// A main window on the comm page over a terminal of its own, whose PC folder is a scratch folder
// of the test: helpers to put files on either side, to read what the lists show and to run an
// operation to its end.
#pragma once

#include <cstdint>
#include <ctime>
#include <string>
#include <vector>

#include "TMainWindowFixture.h"

class TListView;

class TFilePagesFixture : public TMainWindowFixture {
protected:
  TFilePagesFixture();

  // Settings for the comm page on the PC folder (plus the given lines of "sysoptions"), then
  // the window created and shown, and its first listing waited for.
  void OpenCommPage(const std::string& ExtraOptions = "");

  // The PC folder's path with a trailing delimiter, as the program writes it.
  std::string PcFolder() const;
  void WritePcFile(const std::string& Name, const std::string& Bytes) const;
  std::string ReadPcFile(const std::string& Name) const;
  bool PcFileExists(const std::string& Name) const;
  // The terminal's files and recycle bin, written straight into its folder ("NNNNNNNN NAME").
  void PutTerminalFile(std::int32_t Number, const std::string& Name, const std::string& Bytes, bool Recycled = false,
                       std::time_t Modified = 0) const;
  // A value of the terminal's own information file (terminal.ini).
  void SetTerminalValue(const std::string& Section, const std::string& Key, const std::string& Value) const;
  // The names in the terminal's files or recycle bin, from its folder.
  std::vector<std::string> TerminalNames(bool Recycled = false) const;
  std::string ReadTerminalFile(const std::string& Name) const;

  // A local time, and setting a file's last-write time to it.
  static std::time_t LocalTime(int Year, int Month, int Day, int Hour, int Minute);
  static void SetModified(const std::filesystem::path& Path, std::time_t Modified);

  // The captions of a list (UTF-8), in its order.
  static std::vector<std::string> Captions(const TListView* View);
  // One cell of the item with that caption (UTF-8); "" when there is none.
  static std::string Cell(const TListView* View, const std::string& Caption, int Column);
  // Selects exactly the items with these captions.
  static void Select(TListView* View, const std::vector<std::string>& CaptionsUtf8);
  // The status panel's text (UTF-8).
  std::string Status() const;
  // The terminal's dBASE table KHDA.DBF as the window's conversion service writes it as text;
  // "" while the service cannot (tests of the conversions the routines ask for are skipped).
  std::string TableAsText() const;
  bool ConvertsTables() const { return !TableAsText().empty(); }
  // Whether the service converts that table into Type (ALL: into all five types).
  bool ConvertsTableInto(std::uint8_t Type) const;
};
