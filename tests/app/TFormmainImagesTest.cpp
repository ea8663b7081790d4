// The management page's image and memory tabs driven against a simulated terminal: the images
// and memory ranges both ways, the rows the check boxes choose, and every way a transfer fails.
#include <gtest/gtest.h>

#include <filesystem>
#include <random>
#include <string>

#include "CodePage.h"
#include "IntegerText.h"
#include "TButton.h"
#include "TCheckBox.h"
#include "TEdit.h"
#include "TLabel.h"
#include "TMainWindowFixture.h"
#include "TPageControl.h"
#include "TPanel.h"
#include "TTabSheet.h"
#include "TestInput.h"
#include "uConstStrings.h"
#include "uMain.h"
#include "VxComm.h"

using TestInput::ClickControl;
using TestInput::WaitUntil;

namespace {

namespace fs = std::filesystem;

std::string randomBytes(std::size_t Size, unsigned Seed) {
  std::mt19937 random(Seed);
  std::string bytes(Size, '\0');
  for (char& c : bytes) c = static_cast<char>(random());
  return bytes;
}

// The library's text for a result code, as the page shows it after its failure text.
AnsiString libraryText(std::int32_t Code) {
  char text[COMM_TEXT_SIZE] = {};
  vxGetErrMsg(Code, text, nullptr);
  return text;
}

class TFormmainImagesTest : public TMainWindowFixture {
protected:
  void SetUp() override {
    WriteSettings("[sysoptions]\nrunmode=3\n");
    CreateWindow();
    hook.Clear();
    window->tsUpOs->SetTabVisible(true);
  }

  void showTab(TTabSheet* Sheet) { window->pclOsMan->SetActivePage(Sheet); }

  // A PC file of the test's own, and its name as the page takes it.
  AnsiString pcFile(const std::string& Name, const std::string& Bytes) {
    TVxTestTerminal::Write(terminal.Pc() / Name, Bytes);
    return pcName(Name);
  }
  AnsiString pcName(const std::string& Name) const { return Utf8ToAnsi(terminal.PcPath(Name)); }
  std::string terminalImage(const char* Name) const { return TVxTestTerminal::Read(terminal.Folder() / Name); }

  // Clicks a start button and waits until the worker has ended and its last report is shown.
  void run(TButton* Button) {
    ClickControl(Button);
    ASSERT_TRUE(WaitUntil([&] { return window->Busy() == 0 && !window->lblComm->Visible(); }));
  }

  // Sends the checked images from the page's file names.
  void sendImages(bool Os, const AnsiString& OsFile, bool Font, const AnsiString& FontFile) {
    showTab(window->tsDownOs);
    window->ckDownOs->SetChecked(Os);
    window->edtDownOsName->SetText(OsFile);
    window->ckDownHzInput->SetChecked(Font);
    window->edtDownHzName->SetText(FontFile);
    run(window->btnDownPart);
  }
  void readImages(bool Os, const AnsiString& OsFile, bool Font, const AnsiString& FontFile) {
    showTab(window->tsUpOs);
    window->ckUpOs->SetChecked(Os);
    window->edtUpOsName->SetText(OsFile);
    window->ckUpHzInput->SetChecked(Font);
    window->edtUpHzName->SetText(FontFile);
    run(window->btnUpPart);
  }
  void writeMemory(const AnsiString& Address, const AnsiString& File) {
    showTab(window->tsDownOs);
    window->edtDownMemAddr->SetText(Address);
    window->edtDownMemName->SetText(File);
    run(window->btnDownAll);
  }
  void readMemory(const AnsiString& Address, const AnsiString& Length, const AnsiString& File) {
    showTab(window->tsUpOs);
    window->edtUpMemAddr->SetText(Address);
    window->edtUpMemLen->SetText(Length);
    window->edtUpMemName->SetText(File);
    run(window->btnUpAll);
  }

  AnsiString status() const { return window->pnlState->Caption(); }
  // The message boxes shown, as their texts.
  std::vector<AnsiString> boxes() const {
    std::vector<AnsiString> texts;
    for (const TShownDialog& dialog : hook.Shown()) texts.push_back(dialog.Text);
    return texts;
  }
};

using Texts = std::vector<AnsiString>;

}  // namespace

TEST_F(TFormmainImagesTest, OsImageAndFontLibraryGoAndComeBackByteIdentical) {
  const std::string os = randomBytes(300 * 1024 + 7, 1), font = randomBytes(COMM_IMAGE_MAX, 2);
  sendImages(true, pcFile("os.bin", os), true, pcFile("字库.bin", font));
  EXPECT_EQ(status(), INFO_DOWN_MEMORY_SUCESS);
  EXPECT_TRUE(hook.Shown().empty());
  EXPECT_EQ(terminalImage("os.img"), os);
  EXPECT_EQ(terminalImage("font.img"), font);

  readImages(true, pcName("os.back"), true, pcName("字库.back"));
  EXPECT_EQ(status(), INFO_UP_MEMORY_SUCESS);
  EXPECT_TRUE(hook.Shown().empty());
  EXPECT_EQ(TVxTestTerminal::Read(terminal.Pc() / "os.back"), os);
  EXPECT_EQ(TVxTestTerminal::Read(terminal.Pc() / "字库.back"), font);
}

TEST_F(TFormmainImagesTest, OnlyTheCheckedImagesAreTransferredAndNoneCheckedSucceeds) {
  const std::string font = terminalImage("font.img");
  const std::string os = randomBytes(5000, 3);
  sendImages(true, pcFile("os.bin", os), false, pcFile("font.bin", "not sent"));
  EXPECT_EQ(status(), INFO_DOWN_MEMORY_SUCESS);
  EXPECT_EQ(terminalImage("os.img"), os);
  EXPECT_EQ(terminalImage("font.img"), font);

  readImages(false, pcName("os.back"), true, pcName("font.back"));
  EXPECT_EQ(status(), INFO_UP_MEMORY_SUCESS);
  EXPECT_FALSE(fs::exists(terminal.Pc() / "os.back"));
  EXPECT_EQ(TVxTestTerminal::Read(terminal.Pc() / "font.back"), font);

  // Nothing checked: success, and no call (a fault on every call would show one).
  terminal.Settings("[Fault.vxDownloadMemory]\nResult=102\n[Fault.vxUploadMemory]\nResult=102\n");
  sendImages(false, pcFile("os.bin", "x"), false, pcFile("font.bin", "y"));
  EXPECT_EQ(status(), INFO_DOWN_MEMORY_SUCESS);
  readImages(false, pcName("os.none"), false, pcName("font.none"));
  EXPECT_EQ(status(), INFO_UP_MEMORY_SUCESS);
  EXPECT_TRUE(hook.Shown().empty());
  EXPECT_EQ(terminalImage("os.img"), os);
  EXPECT_FALSE(fs::exists(terminal.Pc() / "os.none"));
}

TEST_F(TFormmainImagesTest, FailingOsImageStopsBeforeTheFontLibrary) {
  const std::string font = terminalImage("font.img");
  // Only the first call fails: a second one would succeed if it were made.
  terminal.Settings("[Fault.vxDownloadMemory]\nResult=102\nWhen=Once\nCall=1\n");
  sendImages(true, pcFile("os.bin", "os"), true, pcFile("font.bin", "font"));
  EXPECT_EQ(boxes(), Texts{INFO_DOWN_MEMORY_FAILED + libraryText(102)});
  EXPECT_EQ(status(), INFO_DOWN_MEMORY_FAILED);
  EXPECT_EQ(terminalImage("font.img"), font);
}

TEST_F(TFormmainImagesTest, FailingImageReadStopsTheRunAndWritesNoFile) {
  terminal.Settings("[Fault.vxUploadMemory]\nResult=103\n");
  TVxTestTerminal::Write(terminal.Pc() / "os.back", "kept");
  readImages(true, pcName("os.back"), true, pcName("font.back"));
  EXPECT_EQ(boxes(), Texts{INFO_UP_MEMORY_FAILED + libraryText(103)});
  EXPECT_EQ(status(), INFO_UP_MEMORY_FAILED);
  EXPECT_EQ(TVxTestTerminal::Read(terminal.Pc() / "os.back"), "kept");
  EXPECT_FALSE(fs::exists(terminal.Pc() / "font.back"));
  // The window goes on working: the next run succeeds.
  terminal.Settings("");
  readImages(true, pcName("os.back"), false, "");
  EXPECT_EQ(status(), INFO_UP_MEMORY_SUCESS);
  EXPECT_EQ(TVxTestTerminal::Read(terminal.Pc() / "os.back"), terminalImage("os.img"));
}

TEST_F(TFormmainImagesTest, ReceivedImageReplacesAnExistingFileCompletely) {
  TVxTestTerminal::Write(terminal.Pc() / "font.back", std::string(COMM_IMAGE_MAX, 'z'));
  readImages(false, "", true, pcName("font.back"));
  EXPECT_EQ(status(), INFO_UP_MEMORY_SUCESS);
  EXPECT_EQ(TVxTestTerminal::Read(terminal.Pc() / "font.back"), terminalImage("font.img"));
  // Nothing else is left in the folder (no temporary file).
  int files = 0;
  for (const auto& entry : fs::directory_iterator(terminal.Pc())) files += entry.is_regular_file() ? 1 : 0;
  EXPECT_EQ(files, 1);
}

TEST_F(TFormmainImagesTest, ReceivedFileThatCannotBeWrittenIsAFailure) {
  readImages(true, pcName("no such folder/os.back"), true, pcName("font.back"));
  EXPECT_EQ(boxes(), Texts{ERR_FILE_CREATE_FAILED + pcName("no such folder/os.back")});
  EXPECT_EQ(status(), INFO_UP_MEMORY_FAILED);
  EXPECT_FALSE(fs::exists(terminal.Pc() / "font.back"));  // the run ended there
  hook.Clear();
  fs::create_directories(terminal.Pc() / "folder");
  readMemory("0", "16", pcName("folder"));
  EXPECT_EQ(boxes(), Texts{ERR_FILE_CREATE_FAILED + pcName("folder")});
  EXPECT_TRUE(fs::is_directory(terminal.Pc() / "folder"));
}

TEST_F(TFormmainImagesTest, ImageLargerThanTheBufferIsRefusedNotCut) {
  TVxTestTerminal::Write(terminal.Folder() / "os.img", std::string(COMM_IMAGE_MAX + 1, 'o'));
  TVxTestTerminal::Write(terminal.Pc() / "os.back", "kept");
  readImages(true, pcName("os.back"), false, "");
  EXPECT_EQ(boxes(), Texts{INFO_UP_MEMORY_FAILED + libraryText(13)});
  EXPECT_EQ(status(), INFO_UP_MEMORY_FAILED);
  EXPECT_EQ(TVxTestTerminal::Read(terminal.Pc() / "os.back"), "kept");
}

TEST_F(TFormmainImagesTest, PcFileLargerThanTheTerminalHoldsIsRefusedByTheLibrary) {
  const std::string os = terminalImage("os.img");
  sendImages(true, pcFile("big.img", std::string(COMM_IMAGE_MAX + 1, 'b')), false, "");
  EXPECT_EQ(boxes(), Texts{INFO_DOWN_MEMORY_FAILED + libraryText(13)});
  EXPECT_EQ(terminalImage("os.img"), os);
  hook.Clear();
  // The memory area holds 512 KiB.
  writeMemory("0", pcFile("big.mem", std::string(512 * 1024 + 1, 'm')));
  EXPECT_EQ(boxes(), Texts{INFO_DOWN_MEMORY_FAILED + libraryText(12)});
  EXPECT_EQ(status(), INFO_DOWN_MEMORY_FAILED);
  EXPECT_FALSE(fs::exists(terminal.Folder() / "memory.img"));
}

TEST_F(TFormmainImagesTest, PcFilesThatCannotBeSent) {
  const std::string os = terminalImage("os.img");
  terminal.Settings("[Fault.vxDownloadMemory]\nResult=102\n");  // shows a call if one were made
  sendImages(true, pcName("missing.img"), false, "");
  EXPECT_EQ(boxes(), Texts{ERR_FILE_OPEN});
  EXPECT_EQ(status(), INFO_DOWN_MEMORY_FAILED);
  hook.Clear();
  writeMemory("0", pcName(""));  // the folder
  EXPECT_EQ(boxes(), Texts{ERR_FILE_OPEN});
  hook.Clear();
  // A missing second file ends the run after the first image was sent.
  terminal.Settings("");
  sendImages(true, pcFile("os.bin", "new os"), true, pcName("missing.img"));
  EXPECT_EQ(boxes(), Texts{ERR_FILE_OPEN});
  EXPECT_EQ(status(), INFO_DOWN_MEMORY_FAILED);
  EXPECT_EQ(terminalImage("os.img"), "new os");
}

TEST_F(TFormmainImagesTest, EmptyFiles) {
  // An empty image would leave the terminal without one: the library refuses it.
  sendImages(true, pcFile("empty", ""), false, "");
  EXPECT_EQ(boxes(), Texts{INFO_DOWN_MEMORY_FAILED + libraryText(14)});
  hook.Clear();
  // Nothing written into memory is nothing to refuse.
  writeMemory("16", pcFile("empty", ""));
  EXPECT_TRUE(hook.Shown().empty());
  EXPECT_EQ(status(), INFO_DOWN_MEMORY_SUCESS);
  // Nothing read gives an empty file.
  TVxTestTerminal::Write(terminal.Pc() / "none.mem", "old");
  readMemory("16", "0", pcName("none.mem"));
  EXPECT_EQ(status(), INFO_UP_MEMORY_SUCESS);
  EXPECT_TRUE(fs::exists(terminal.Pc() / "none.mem"));
  EXPECT_EQ(fs::file_size(terminal.Pc() / "none.mem"), 0u);
}

TEST_F(TFormmainImagesTest, MemoryWrittenAtAnAddressComesBack) {
  const std::string data = randomBytes(3000, 4);
  writeMemory("$100", pcFile("data.bin", data));
  EXPECT_EQ(status(), INFO_DOWN_MEMORY_SUCESS);
  EXPECT_TRUE(hook.Shown().empty());
  readMemory("256", "3000", pcName("data.back"));
  EXPECT_EQ(status(), INFO_UP_MEMORY_SUCESS);
  EXPECT_EQ(TVxTestTerminal::Read(terminal.Pc() / "data.back"), data);
  readMemory("$FF", "$2", pcName("edge.back"));
  EXPECT_EQ(TVxTestTerminal::Read(terminal.Pc() / "edge.back"), std::string(1, '\0') + data[0]);
}

TEST_F(TFormmainImagesTest, MemoryReadBeyondTheTerminalFailsAndKeepsTheFile) {
  TVxTestTerminal::Write(terminal.Pc() / "mem.back", "kept");
  readMemory("0", IntToStr(512 * 1024 + 1), pcName("mem.back"));
  EXPECT_EQ(boxes(), Texts{INFO_UP_MEMORY_FAILED + libraryText(12)});
  EXPECT_EQ(status(), INFO_UP_MEMORY_FAILED);
  EXPECT_EQ(TVxTestTerminal::Read(terminal.Pc() / "mem.back"), "kept");
  hook.Clear();
  // The largest length there is: the terminal refuses it as well.
  readMemory("0", "$7FFFFFFF", pcName("mem.back"));
  ASSERT_EQ(hook.Shown().size(), 1u);
  EXPECT_EQ(TVxTestTerminal::Read(terminal.Pc() / "mem.back"), "kept");
}

TEST_F(TFormmainImagesTest, AddressesOfTheUpperHalfGoToTheLibrary) {
  // The simulated terminal's memory is small: the library itself refuses these addresses.
  const AnsiString file = pcFile("data.bin", "data");
  for (const char* address : {"$80000000", "$FFFFFFF0", "-16"}) {
    SCOPED_TRACE(address);
    writeMemory(address, file);
    EXPECT_EQ(boxes(), Texts{INFO_DOWN_MEMORY_FAILED + libraryText(12)});
    EXPECT_EQ(status(), INFO_DOWN_MEMORY_FAILED);
    hook.Clear();
    readMemory(address, "4", pcName("high.back"));
    EXPECT_EQ(boxes(), Texts{INFO_UP_MEMORY_FAILED + libraryText(12)});
    EXPECT_EQ(status(), INFO_UP_MEMORY_FAILED);
    hook.Clear();
  }
  EXPECT_FALSE(fs::exists(terminal.Pc() / "high.back"));
}

TEST_F(TFormmainImagesTest, BadAddressOrLengthEndsBeforeAnyCallAndNamesTheField) {
  terminal.Settings("[Fault.vxDownloadMemory]\nResult=102\n[Fault.vxUploadMemory]\nResult=102\n");
  const AnsiString file = pcFile("data.bin", "data");
  for (const char* address : {"abc", "", "4294967296", "$100000000", "-2147483649"}) {
    writeMemory(address, file);
    EXPECT_EQ(status(), INFO_DOWN_MEMORY_FAILED + ERR_BAD_ADDRESS + address) << address;
    readMemory(address, "4", pcName("x"));
    EXPECT_EQ(status(), INFO_UP_MEMORY_FAILED + ERR_BAD_ADDRESS + address) << address;
  }
  for (const char* length : {"four", "-4", "$80000000", "$FFFFFFFF"}) {
    readMemory("0", length, pcName("x"));
    EXPECT_EQ(status(), INFO_UP_MEMORY_FAILED + ERR_BAD_LENGTH + length) << length;
  }
  EXPECT_TRUE(hook.Shown().empty());
  EXPECT_FALSE(fs::exists(terminal.Pc() / "x"));
}

TEST_F(TFormmainImagesTest, EveryLibraryFailureShowsItsTextAndLeavesNoWorker) {
  const AnsiString data = pcFile("data.bin", "data");
  for (const char* fault : {"When=Once\nCall=1\n", "When=Always\n"}) {
    for (std::int32_t code : {17, 102, 103}) {
      SCOPED_TRACE(std::string(fault) + std::to_string(code));
      const std::string result = "Result=" + std::to_string(code) + "\n";
      terminal.Settings("[Fault.vxDownloadMemory]\n" + result + fault);
      writeMemory("0", data);
      terminal.Settings("[Fault.vxUploadMemory]\n" + result + fault);
      readMemory("0", "4", pcName("data.back"));
      EXPECT_EQ(boxes(),
                (Texts{INFO_DOWN_MEMORY_FAILED + libraryText(code), INFO_UP_MEMORY_FAILED + libraryText(code)}));
      EXPECT_EQ(status(), INFO_UP_MEMORY_FAILED);
      EXPECT_EQ(window->Busy(), 0);
      hook.Clear();
    }
  }
}

TEST_F(TFormmainImagesTest, NoTerminalStartsNoWorker) {
  terminal.Settings("[Port]\nPort=None\n");
  showTab(window->tsDownOs);
  for (TButton* button : {window->btnDownPart, window->btnDownAll}) ClickControl(button);
  showTab(window->tsUpOs);
  for (TButton* button : {window->btnUpPart, window->btnUpAll}) ClickControl(button);
  EXPECT_EQ(boxes(), Texts(4, ERR_NOT_CONNECTED_DEVICE));
  EXPECT_EQ(window->Port(), -1);
  EXPECT_EQ(window->Busy(), 0);
  EXPECT_FALSE(window->lblComm->Visible());
}

TEST_F(TFormmainImagesTest, BrowseButtonsFillTheirRowAndCancelKeepsIt) {
  struct TRow {
    TTabSheet* Sheet;
    TButton* Button;
    TEdit* Edit;
  };
  const TRow rows[] = {
      {window->tsDownOs, window->btnDownOs, window->edtDownOsName},
      {window->tsDownOs, window->btnDownMem, window->edtDownMemName},
      {window->tsUpOs, window->btnUpOs, window->edtUpOsName},
      {window->tsUpOs, window->btnUpHz, window->edtUpHzName},
      {window->tsUpOs, window->btnUpMem, window->edtUpMemName},
  };
  for (const TRow& row : rows) {
    showTab(row.Sheet);
    hook.AnswerFile(pcName("chosen.bin"));
    ClickControl(row.Button);
    EXPECT_EQ(row.Edit->Text(), pcName("chosen.bin")) << row.Button->Name();
    hook.AnswerFile("");
    ClickControl(row.Button);
    EXPECT_EQ(row.Edit->Text(), pcName("chosen.bin")) << row.Button->Name();
  }
  EXPECT_EQ(hook.Unanswered(), 0);
  EXPECT_EQ(hook.Pending(), 0);
}

TEST_F(TFormmainImagesTest, CheckBoxesEnableTheirRow) {
  showTab(window->tsDownOs);
  EXPECT_FALSE(window->btnDownHz->Enabled());
  ClickControl(window->ckDownHzInput);
  EXPECT_TRUE(window->ckDownHzInput->Checked());
  EXPECT_TRUE(window->edtDownHzName->Enabled());
  EXPECT_TRUE(window->btnDownHz->Enabled());
  hook.AnswerFile(pcName("font.bin"));
  ClickControl(window->btnDownHz);
  EXPECT_EQ(window->edtDownHzName->Text(), pcName("font.bin"));
  ClickControl(window->ckDownOs);
  EXPECT_FALSE(window->edtDownOsName->Enabled());
  EXPECT_FALSE(window->btnDownOs->Enabled());
  showTab(window->tsUpOs);
  ClickControl(window->ckUpHzInput);
  EXPECT_FALSE(window->edtUpHzName->Enabled());
  EXPECT_FALSE(window->btnUpHz->Enabled());
  EXPECT_TRUE(window->btnUpOs->Enabled());
}
