// The library's serving of calls: faults, link and port checks, bad pointers, threads.
#include "libvxcomm.h"

#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <thread>
#include <vector>

#include "CodePage.h"
#include "VxResult.h"
#include "VxTestTerminal.h"

namespace {

constexpr std::int32_t Usb = 255;

// Every exported function, called as a program would call it successfully on USB.
struct Call {
  const char* Name;
  std::function<std::int32_t(const TVxTestTerminal&)> Run;
};

std::vector<Call> calls() {
  static char text[VXCOMM_TEXT_SIZE];
  static std::int32_t value;
  static std::vector<VxFileRecord> records(VXCOMM_FILE_LIST_MAX);
  static std::vector<char> image(VXCOMM_IMAGE_MAX);
  static const VxDateTime when{26, 6, 1, 12, 0, 0};
  return {
      {"vxCheckPort", [](auto&) { return vxCheckPort(); }},
      {"vxSetProgress", [](auto&) { return vxSetProgress(0, nullptr); }},
      {"vxGetErrMsg", [](auto&) { return vxGetErrMsg(vxOk, text, &value); }},
      {"vxGetMachSysInfo", [](auto&) { return vxGetMachSysInfo(Usb, 5, text); }},
      {"vxSetMachSysInfo", [](auto&) { return vxSetMachSysInfo(Usb, 6, "1"); }},
      {"vxGetMachInfo", [](auto&) { return vxGetMachInfo(Usb, 9, text); }},
      {"vxSetMachInfo", [](auto&) { return vxSetMachInfo(Usb, 9, "x"); }},
      {"vxSetDateTime", [](auto&) { return vxSetDateTime(Usb, &when); }},
      {"vxGetNormalFileList", [](auto&) { return vxGetNormalFileList(Usb, records.data(), &value); }},
      {"vxGetDelFileList", [](auto&) { return vxGetDelFileList(Usb, records.data(), &value); }},
      {"vxDownloadFile",
       [](auto& t) {
         TVxTestTerminal::Write(t.Pc() / "d", "d");
         return vxDownloadFile(Usb, t.PcPath("d").c_str(), "D.TXT");
       }},
      {"vxUploadFile", [](auto& t) { return vxUploadFile(Usb, "CBJ.EXE", t.PcPath("u").c_str()); }},
      {"vxCompleteDelFile", [](auto&) { return vxCompleteDelFile(Usb, "CBJ.EXE"); }},
      {"vxDeleteFile", [](auto&) { return vxDeleteFile(Usb, "KHDA.DBF"); }},
      {"vxDelRecyleFile", [](auto&) { return vxDelRecyleFile(Usb, 3); }},
      {"vxRestoreFile",
       [](auto&) {
         vxDeleteFile(Usb, "CBSJ.DBF");
         return vxRestoreFile(Usb, 3);
       }},
      {"vxDownloadMemory", [](auto&) { return vxDownloadMemory(Usb, 0, 0, 4, "abcd"); }},
      {"vxUploadMemory",
       [](auto&) {
         std::int32_t length = 0;
         return vxUploadMemory(Usb, 2, 0, &length, image.data());
       }},
  };
}

std::int32_t countFiles() {
  std::vector<VxFileRecord> records(VXCOMM_FILE_LIST_MAX);
  std::int32_t count = 0;
  EXPECT_EQ(vxGetNormalFileList(Usb, records.data(), &count), vxOk);
  return count;
}

std::int32_t goOnOf(std::int32_t result) {
  std::int32_t goOn = -1;
  vxGetErrMsg(result, nullptr, &goOn);
  return goOn;
}

}  // namespace

TEST(TVxLibraryTest, EveryFunctionRunsAndCanBeMadeToFail) {
  for (const Call& call : calls()) {
    {
      TVxTestTerminal terminal;
      const std::int32_t expected = std::string(call.Name) == "vxCheckPort" ? Usb : vxOk;
      EXPECT_EQ(call.Run(terminal), expected) << call.Name;
    }
    TVxTestTerminal terminal;
    vxCheckPort();
    terminal.Settings(std::string("[Fault.") + call.Name + "]\nResult=104\n");
    EXPECT_EQ(call.Run(terminal), 104) << call.Name;
  }
}

TEST(TVxLibraryTest, FaultOnceFailsOnlyTheFirstCall) {
  TVxTestTerminal terminal;
  terminal.Settings("[Fault.vxDeleteFile]\nResult=102\nWhen=Once\n");
  EXPECT_EQ(vxDeleteFile(Usb, "CBJ.EXE"), vxErrTimeout);
  EXPECT_EQ(countFiles(), 3);  // a failed call changes nothing
  EXPECT_EQ(vxDeleteFile(Usb, "CBJ.EXE"), vxOk);
  EXPECT_EQ(vxDeleteFile(Usb, "KHDA.DBF"), vxOk);
}

TEST(TVxLibraryTest, FaultFromTheNthCallOn) {
  TVxTestTerminal terminal;
  terminal.Settings("[Fault.vxGetMachInfo]\nResult=1\nWhen=From\nCall=3\n");
  char text[VXCOMM_TEXT_SIZE];
  EXPECT_EQ(vxGetMachInfo(Usb, 9, text), vxOk);
  EXPECT_EQ(vxGetMachInfo(Usb, 9, text), vxOk);
  EXPECT_EQ(vxGetMachInfo(Usb, 9, text), vxErrFileNotFound);
  EXPECT_EQ(vxGetMachInfo(Usb, 9, text), vxErrFileNotFound);
}

TEST(TVxLibraryTest, FaultChoosesTheGoOnFlag) {
  TVxTestTerminal terminal;
  terminal.Settings(
      "[Fault.vxUploadFile]\nResult=1\nGoOn=0\n"
      "[Fault.vxDownloadFile]\nResult=102\nGoOn=1\n"
      "[Fault.vxDeleteFile]\nResult=102\n");
  char text[VXCOMM_TEXT_SIZE];
  std::int32_t goOn = -1;
  EXPECT_NE(vxGetErrMsg(vxUploadFile(Usb, "CBJ.EXE", terminal.PcPath("u").c_str()), text, &goOn), 0);
  EXPECT_EQ(goOn, 0);
  EXPECT_EQ(AnsiToUtf8(text), "文件不存在");
  EXPECT_NE(vxGetErrMsg(vxDownloadFile(Usb, terminal.PcPath("u").c_str(), "U"), text, &goOn), 0);
  EXPECT_EQ(goOn, 1);
  EXPECT_EQ(AnsiToUtf8(text), "通讯超时");
  EXPECT_EQ(goOnOf(vxDeleteFile(Usb, "CBJ.EXE")), 0);
}

TEST(TVxLibraryTest, FaultOnThePortCheckGivesItsValue) {
  TVxTestTerminal terminal;
  terminal.Settings("[Fault.vxCheckPort]\nResult=-7\nWhen=Once\n");
  EXPECT_EQ(vxCheckPort(), -7);
  EXPECT_EQ(vxCheckPort(), Usb);
  terminal.Settings("[Fault.vxCheckPort]\nResult=0\n");
  EXPECT_EQ(vxCheckPort(), 0);
  terminal.Settings("[Fault.vxCheckPort]\nResult=none\n");
  EXPECT_EQ(vxCheckPort(), Usb);
}

TEST(TVxLibraryTest, PortSettings) {
  TVxTestTerminal terminal;
  terminal.Settings("[Port]\nPort=COM3\n");
  EXPECT_EQ(vxCheckPort(), 3);
  char text[VXCOMM_TEXT_SIZE];
  EXPECT_EQ(vxGetMachSysInfo(3, 5, text), vxOk);
  EXPECT_EQ(vxGetMachSysInfo(Usb, 5, text), vxErrBadPort);
  terminal.Settings("[Port]\nPort=None\n");
  EXPECT_LT(vxCheckPort(), 0);
  EXPECT_EQ(vxGetMachSysInfo(3, 5, text), vxErrNoDevice);
  EXPECT_EQ(goOnOf(vxErrNoDevice), 0);
}

TEST(TVxLibraryTest, LostLinkFailsEveryCallAndChangesNothing) {
  TVxTestTerminal terminal;
  vxCheckPort();
  terminal.Settings("[Link]\nLost=1\n");
  EXPECT_LT(vxCheckPort(), 0);
  for (const Call& call : calls()) {
    const std::string name = call.Name;
    if (name == "vxCheckPort" || name == "vxSetProgress" || name == "vxGetErrMsg") continue;  // no traffic
    EXPECT_EQ(call.Run(terminal), vxErrLinkLost) << name;
  }
  EXPECT_EQ(goOnOf(vxErrLinkLost), 0);
  terminal.Settings("");
  EXPECT_EQ(countFiles(), 3);
}

TEST(TVxLibraryTest, NullPointersAreAnsweredWithACode) {
  TVxTestTerminal terminal;
  std::int32_t count = 7;
  EXPECT_EQ(vxGetNormalFileList(Usb, nullptr, &count), vxErrBadParameter);
  EXPECT_EQ(count, 0);
  std::vector<VxFileRecord> records(VXCOMM_RECYCLE_LIST_MAX);
  EXPECT_EQ(vxGetDelFileList(Usb, records.data(), nullptr), vxErrBadParameter);
  EXPECT_EQ(vxGetMachSysInfo(Usb, 1, nullptr), vxErrBadParameter);
  EXPECT_EQ(vxSetMachSysInfo(Usb, 4, nullptr), vxErrBadParameter);
  EXPECT_EQ(vxGetMachInfo(Usb, 1, nullptr), vxErrBadParameter);
  EXPECT_EQ(vxSetMachInfo(Usb, 1, nullptr), vxErrBadParameter);
  EXPECT_EQ(vxSetDateTime(Usb, nullptr), vxErrBadParameter);
  EXPECT_EQ(vxDownloadFile(Usb, nullptr, "A"), vxErrBadParameter);
  EXPECT_EQ(vxDownloadFile(Usb, "/x", nullptr), vxErrBadParameter);
  EXPECT_EQ(vxUploadFile(Usb, nullptr, "/x"), vxErrBadParameter);
  EXPECT_EQ(vxUploadFile(Usb, "CBJ.EXE", nullptr), vxErrBadParameter);
  EXPECT_EQ(vxCompleteDelFile(Usb, nullptr), vxErrBadParameter);
  EXPECT_EQ(vxDeleteFile(Usb, nullptr), vxErrBadParameter);
  EXPECT_EQ(vxDownloadMemory(Usb, 0, 0, 4, nullptr), vxErrBadParameter);
  std::int32_t length = 4;
  EXPECT_EQ(vxUploadMemory(Usb, 0, 0, nullptr, records.data()), vxErrBadParameter);
  EXPECT_EQ(vxUploadMemory(Usb, 0, 0, &length, nullptr), vxErrBadParameter);
  EXPECT_EQ(vxGetErrMsg(vxErrTimeout, nullptr, nullptr), vxErrTimeout);
  EXPECT_EQ(countFiles(), 3);
}

namespace {

std::int32_t nestedResult = vxOk;
void VXCOMM_CALL callBack(std::int32_t) {
  std::int32_t count = 0;
  std::vector<VxFileRecord> records(VXCOMM_FILE_LIST_MAX);
  nestedResult = vxGetNormalFileList(Usb, records.data(), &count);
}

}  // namespace

TEST(TVxLibraryTest, CallFromTheProgressProcedureIsRefused) {
  TVxTestTerminal terminal;
  vxSetProgress(1, callBack);
  EXPECT_EQ(vxUploadFile(Usb, "CBSJ.DBF", terminal.PcPath("c").c_str()), vxOk);
  vxSetProgress(0, nullptr);
  EXPECT_EQ(nestedResult, vxErrBusy);
}

TEST(TVxLibraryTest, CallsFromTwoThreadsAreServedOneAtATime) {
  TVxTestTerminal terminal;
  vxCheckPort();
  auto worker = [&](char tag) {
    for (int i = 0; i < 40; ++i) {
      const std::string name = std::string(1, tag) + std::to_string(i) + ".TXT";
      const std::string pc = terminal.PcPath(name);
      TVxTestTerminal::Write(pc, std::string(1000 + i, tag));
      EXPECT_EQ(vxDownloadFile(Usb, pc.c_str(), name.c_str()), vxOk);
      EXPECT_EQ(vxUploadFile(Usb, name.c_str(), (pc + ".back").c_str()), vxOk);
      EXPECT_EQ(TVxTestTerminal::Read(pc + ".back"), std::string(1000 + i, tag));
      countFiles();
    }
  };
  std::thread a(worker, 'A');
  std::thread b(worker, 'B');
  a.join();
  b.join();
  std::vector<VxFileRecord> records(VXCOMM_FILE_LIST_MAX);
  std::int32_t count = 0;
  ASSERT_EQ(vxGetNormalFileList(Usb, records.data(), &count), vxOk);
  ASSERT_EQ(count, 83);
  for (std::int32_t i = 1; i < count; ++i) EXPECT_LT(records[i - 1].Number, records[i].Number);  // all distinct
}
