// VxComm: the program's declarations of the communication library "vxcomm" through which all
// terminal traffic goes. The functions are imported by name from the shared library when the
// program loads (libvxcomm.so here, the terminal maker's vxcomm.dll on Windows).
//
// Every call returns a 32-bit result code that only vxGetErrMsg interprets: it returns nonzero
// for an error, writes the error's text (at most 100 characters and a NUL) and sets the go-on
// flag of a loop over files (1: the next file may be tried; 0: the link is lost). Texts are
// zero-terminated 8-bit strings in the ANSI code page. The port handle from vxCheckPort is
// passed first to every call that talks to the terminal.
#pragma once

#include <cstddef>
#include <cstdint>

#if defined(_WIN32)
#define VXSTDCALL __stdcall
#define VXIMPORT __declspec(dllimport)
#else
#define VXSTDCALL
#define VXIMPORT
#endif

// Port handles: 255 the terminal is on USB; another positive value the COM port it is on; a
// negative value: no terminal.
constexpr std::int32_t PORT_USB = 255;

// Machine information ids of vxGetMachSysInfo / vxSetMachSysInfo (system information).
constexpr std::int32_t SYS_CAPACITY = 1;      // int32: storage in bytes
constexpr std::int32_t SYS_FILE_COUNT = 2;    // int32: number of files
constexpr std::int32_t SYS_SPACE_INFO = 3;    // TCommSpaceInfo
constexpr std::int32_t SYS_VERSION = 4;       // texts from here on
constexpr std::int32_t SYS_MACHINE_TYPE = 5;
constexpr std::int32_t SYS_MACHINE_NO = 6;
constexpr std::int32_t SYS_COMPANY_NAME = 7;

// Machine information ids of vxGetMachInfo / vxSetMachInfo (user information, all texts).
constexpr std::int32_t USER_PASSWORD_FIRST = 1;  // 1 to 7: the password of type 1 to 7
constexpr std::int32_t USER_PASSWORD_LAST = 7;
constexpr std::int32_t USER_COMPANY = 8;
constexpr std::int32_t USER_NAME = 9;
constexpr std::int32_t USER_NUMBER = 10;
constexpr std::int32_t USER_MACHINE_NO = 11;
constexpr std::int32_t USER_MEMO = 12;

// Memory areas of vxDownloadMemory / vxUploadMemory.
constexpr std::int32_t AREA_MEMORY = 0;  // raw memory at an address
constexpr std::int32_t AREA_SYSTEM = 1;  // the operating-system image, at address 0
constexpr std::int32_t AREA_FONT = 2;    // the font and input-method library, at address 0

// The buffers the program hands over without saying their size; the library stays within them.
constexpr std::size_t COMM_TEXT_SIZE = 101;          // item texts and error texts of the forms
constexpr std::size_t COMM_FILE_LIST_MAX = 3938;     // records of vxGetNormalFileList
constexpr std::size_t COMM_RECYCLE_LIST_MAX = 315;   // records of vxGetDelFileList
constexpr std::size_t COMM_IMAGE_MAX = 2097152;      // bytes of an image read from area 1 or 2

#pragma pack(push, 1)

// One entry of the terminal's file list or recycle-bin list.
struct TCommFileRecord {
  std::int32_t Size;          // bytes
  std::int32_t FileNo;        // the file number, kept in the recycle bin
  char Name[32];              // ends at the first NUL or after 32 characters
  std::uint8_t Reserved[6];   // not read
  std::uint8_t Year;          // two digits
  std::uint8_t Month;
  std::uint8_t Day;
  std::uint8_t Hour;
  std::uint8_t Minute;
  std::uint8_t Reserved2;     // not read
};

// A time for the terminal's clock.
struct TCommDateTime {
  std::uint8_t Year;  // year modulo 100
  std::uint8_t Month;
  std::uint8_t Day;
  std::uint8_t Hour;
  std::uint8_t Minute;
  std::uint8_t Second;
};

// The terminal's storage, as the file page works out its figures from it.
struct TCommSpaceInfo {
  std::int32_t OccupiedRoom;  // bytes one block of storage occupies
  std::int32_t BlockSize;     // bytes of file data per block; 0 means 16320
  std::int32_t Reserved;      // not read
  std::int32_t SpaceCount;    // a count used for the system space
};

#pragma pack(pop)

static_assert(sizeof(TCommFileRecord) == 52);
static_assert(offsetof(TCommFileRecord, Size) == 0);
static_assert(offsetof(TCommFileRecord, FileNo) == 4);
static_assert(offsetof(TCommFileRecord, Name) == 8);
static_assert(offsetof(TCommFileRecord, Year) == 46);
static_assert(offsetof(TCommFileRecord, Minute) == 50);
static_assert(sizeof(TCommDateTime) == 6);
static_assert(offsetof(TCommDateTime, Second) == 5);
static_assert(sizeof(TCommSpaceInfo) == 16);
static_assert(offsetof(TCommSpaceInfo, SpaceCount) == 12);

// Told the progress of a transfer in percent, on the thread that made the library call.
typedef void(VXSTDCALL* TCommProgressProc)(std::int32_t Pos);

extern "C" {

VXIMPORT std::int32_t VXSTDCALL vxCheckPort();
VXIMPORT std::int32_t VXSTDCALL vxSetProgress(std::int32_t Enable, TCommProgressProc Proc);
VXIMPORT std::int32_t VXSTDCALL vxGetErrMsg(std::int32_t Code, char* ErrMsg, std::int32_t* GoOn);
VXIMPORT std::int32_t VXSTDCALL vxGetMachSysInfo(std::int32_t Port, std::int32_t Id, void* Info);
VXIMPORT std::int32_t VXSTDCALL vxSetMachSysInfo(std::int32_t Port, std::int32_t Id, const char* Info);
VXIMPORT std::int32_t VXSTDCALL vxGetMachInfo(std::int32_t Port, std::int32_t Id, char* Info);
VXIMPORT std::int32_t VXSTDCALL vxSetMachInfo(std::int32_t Port, std::int32_t Id, const char* Info);
VXIMPORT std::int32_t VXSTDCALL vxSetDateTime(std::int32_t Port, const TCommDateTime* DateTime);
VXIMPORT std::int32_t VXSTDCALL vxGetNormalFileList(std::int32_t Port, TCommFileRecord* Files, std::int32_t* Count);
VXIMPORT std::int32_t VXSTDCALL vxGetDelFileList(std::int32_t Port, TCommFileRecord* Files, std::int32_t* Count);
VXIMPORT std::int32_t VXSTDCALL vxDownloadFile(std::int32_t Port, const char* PcFile, const char* DeviceFile);
VXIMPORT std::int32_t VXSTDCALL vxUploadFile(std::int32_t Port, const char* DeviceFile, const char* PcFile);
VXIMPORT std::int32_t VXSTDCALL vxCompleteDelFile(std::int32_t Port, const char* DeviceFile);
VXIMPORT std::int32_t VXSTDCALL vxDeleteFile(std::int32_t Port, const char* DeviceFile);  // "*.*": all, for good
VXIMPORT std::int32_t VXSTDCALL vxDelRecyleFile(std::int32_t Port, std::int32_t FileNo);
VXIMPORT std::int32_t VXSTDCALL vxRestoreFile(std::int32_t Port, std::int32_t FileNo);
VXIMPORT std::int32_t VXSTDCALL vxDownloadMemory(std::int32_t Port, std::int32_t Area, std::int32_t Address,
                                                  std::int32_t Length, const void* Data);
VXIMPORT std::int32_t VXSTDCALL vxUploadMemory(std::int32_t Port, std::int32_t Area, std::int32_t Address,
                                                std::int32_t* Length, void* Buffer);

}  // extern "C"
