/* libvxcomm: the communication library of the meter-reading handheld terminals.
 *
 * Eighteen functions with C linkage (stdcall where the platform has it) through which a program
 * talks to a terminal on USB or a COM port. This build has no cable behind it: the terminal is
 * simulated in a folder, so that a program runs for real without hardware and every answer of a
 * terminal - including its failures - can be brought about on purpose.
 *
 * Use
 *   port = vxCheckPort();                    255 = USB, 1..254 = COM port, negative = none
 *   vxSetProgress(1, proc);                  proc(percent) is called during transfers
 *   result = vxUploadFile(port, "CBSJ.DBF", "/home/me/CBSJ.DBF");
 *   if (vxGetErrMsg(result, text, &goOn))    nonzero: an error, text says which; goOn = 0 ends
 *     ...                                    a loop over files (the link is gone)
 * Every call returns a result code (VxResult.h lists them); only vxGetErrMsg interprets it.
 * Calls from several threads are served one at a time. Null pointers, bad file numbers and bad
 * lengths are answered with a result code, never with a crash.
 *
 * Buffers. The callers pass no buffer sizes, so the library keeps within these:
 *   - texts (vxGetErrMsg, item texts): at most 100 bytes plus the NUL; a text given to a set
 *     call must end within 101 bytes, else the call returns vxErrTextTooLong;
 *   - vxGetNormalFileList: at most VXCOMM_FILE_LIST_MAX records, vxGetDelFileList at most
 *     VXCOMM_RECYCLE_LIST_MAX; when there are more, the count says how many were written and
 *     the call returns vxErrListCut;
 *   - vxUploadMemory of areas 1 and 2: at most VXCOMM_IMAGE_MAX bytes, or *Length bytes when
 *     the caller puts a room of 1 to VXCOMM_IMAGE_MAX bytes there; an image larger than the
 *     room is refused with vxErrImageTooLarge and nothing is written; for area 0, *Length
 *     bytes as asked.
 *
 * The terminal. A folder chosen by the environment variable VXCOMM_TERMINAL, else
 * "handheld-manager/terminal" in the user's data folder ($XDG_DATA_HOME, else ~/.local/share).
 * A folder that is not a terminal yet is made one at the first call: a few dBASE meter-reading
 * files and the meter-reading program, an operating-system and a font image, the terminal's
 * system and user information. It holds:
 *   files/, recycle/   the files and the recycle bin, stored as "<number> <name>"; as on the
 *                      terminal's own file system, every call matches a name without regard to
 *                      the case of its ASCII letters, and a file replaced under a name spelt in
 *                      another case keeps the name it is stored under
 *   terminal.ini       version, machine type and number, company, capacity, block size,
 *                      the seven passwords, user company, name, number, machine number, memo,
 *                      the clock's offset against the PC and the next file number
 *   os.img, font.img   the images of memory areas 1 and 2; memory.img: memory area 0
 *   settings.ini       how the simulated terminal behaves (below)
 *
 * settings.ini (sections and keys without regard to case; read at every call):
 *   [Port]      Port=USB      the port the terminal answers on: USB (or 255), COM1 .. COM254
 *                             (or 1 .. 254), or None (vxCheckPort then returns -1 and every
 *                             other call vxErrNoDevice); anything else counts as None.
 *   [Transfer]  Rate=0        bytes per second transfers move at; 0 = as fast as possible.
 *                             With e.g. 20000 the progress of a transfer is easy to follow.
 *   [Link]      Lost=0        1 = a broken link: every call that talks to the terminal returns
 *                             vxErrLinkLost (vxCheckPort returns -1).
 *   [Fault.<function name>]   makes one of the 18 functions fail, e.g. [Fault.vxUploadFile]:
 *               Result=102    the code it returns; 0 or missing: no fault. For vxCheckPort
 *                             the port handle it returns, 0 included.
 *               When=Always   Always; Once = only the Call-th call; From = the Call-th call
 *                             and all later ones. Calls are counted in this process from the
 *                             first call that sees the fault, afresh when its keys change.
 *               Call=1        see When.
 *               GoOn=1        the go-on flag vxGetErrMsg gives for the result, 1 or 0;
 *                             missing: the code's own (1 below 100, 0 from 100 on).
 * The link checks come first (Lost, then a fault, then the port); a call that fails this way
 * changes nothing on the terminal.
 */
#pragma once

#include <stdint.h>

#if defined(_WIN32)
#define VXCOMM_CALL __stdcall
#define VXCOMM_API __declspec(dllexport)
#else
#define VXCOMM_CALL
#define VXCOMM_API __attribute__((visibility("default")))
#endif

#define VXCOMM_FILE_LIST_MAX 3938
#define VXCOMM_RECYCLE_LIST_MAX 315
#define VXCOMM_TEXT_SIZE 101
#define VXCOMM_IMAGE_MAX 2097152

#pragma pack(push, 1)

/* One file of the terminal or of its recycle bin. */
typedef struct VxFileRecord {
  int32_t Size;           /* bytes */
  int32_t Number;         /* the file number, kept through the recycle bin */
  char Name[32];          /* ANSI code page; NUL-padded, no NUL when 32 bytes long */
  int32_t Blocks;         /* blocks the file takes */
  uint8_t State;          /* 0 = file, 1 = in the recycle bin */
  uint8_t Reserved;
  uint8_t Year, Month, Day, Hour, Minute; /* last write, year in two digits */
  uint8_t Second;
} VxFileRecord;

/* A time for the terminal's clock: year modulo 100 (for 2000 to 2099), month, day, hour,
 * minute, second. */
typedef struct VxDateTime {
  uint8_t Year, Month, Day, Hour, Minute, Second;
} VxDateTime;

/* The terminal's storage (vxGetMachSysInfo id 3). With the file count n these give the
 * system's share: Capacity - BlockRoom * n - BlockRoom * FileShare. */
typedef struct VxSpaceInfo {
  int32_t BlockRoom;  /* bytes a block takes on the medium, its 64-byte header included */
  int32_t BlockSize;  /* bytes of file data per block; 0 means 16320 */
  int32_t UsedBlocks; /* blocks taken by the files and the recycle bin */
  int32_t FileShare;  /* blocks of the data area less the recycle bin's, less one per file */
} VxSpaceInfo;

#pragma pack(pop)

typedef void(VXCOMM_CALL* VxProgressProc)(int32_t Percent);

#ifdef __cplusplus
extern "C" {
#endif

/* The port the terminal answers on: 255 USB, 1..254 COM port, -1 no terminal. */
VXCOMM_API int32_t VXCOMM_CALL vxCheckPort(void);
/* Enable 1: Proc is told 0..100 during each transfer (from the calling thread, inside the
 * call; it must not call the library); Enable 0 or a null Proc: no progress reports. */
VXCOMM_API int32_t VXCOMM_CALL vxSetProgress(int32_t Enable, VxProgressProc Proc);
/* 0 for success, the code itself for an error. Text (may be null): the code's text, at most
 * 100 bytes and a NUL, in the ANSI code page. GoOn (may be null): 1 when a loop over files may
 * go on, 0 when the link is lost. */
VXCOMM_API int32_t VXCOMM_CALL vxGetErrMsg(int32_t Result, char* Text, int32_t* GoOn);
/* Id 1 capacity (int32, bytes), 2 file count (int32), 3 VxSpaceInfo, 4 version, 5 machine
 * type, 6 machine number, 7 company name (texts of up to 100 bytes and a NUL). */
VXCOMM_API int32_t VXCOMM_CALL vxGetMachSysInfo(int32_t Port, int32_t Id, void* Out);
/* Id 4 to 7 as above. */
VXCOMM_API int32_t VXCOMM_CALL vxSetMachSysInfo(int32_t Port, int32_t Id, const char* Text);
/* Id 1 to 7 password of that type, 8 user company, 9 user name, 10 user number, 11 user
 * machine number, 12 memo. */
VXCOMM_API int32_t VXCOMM_CALL vxGetMachInfo(int32_t Port, int32_t Id, char* Text);
VXCOMM_API int32_t VXCOMM_CALL vxSetMachInfo(int32_t Port, int32_t Id, const char* Text);
VXCOMM_API int32_t VXCOMM_CALL vxSetDateTime(int32_t Port, const VxDateTime* DateTime);
/* The files (in the order of their numbers) into Records; *Count := how many were written. */
VXCOMM_API int32_t VXCOMM_CALL vxGetNormalFileList(int32_t Port, VxFileRecord* Records, int32_t* Count);
VXCOMM_API int32_t VXCOMM_CALL vxGetDelFileList(int32_t Port, VxFileRecord* Records, int32_t* Count);
/* PC file -> terminal file Name (replacing a file of that name, which keeps its number). The PC
 * file must be a regular file. */
VXCOMM_API int32_t VXCOMM_CALL vxDownloadFile(int32_t Port, const char* PcPath, const char* Name);
/* Terminal file Name -> PC file; the PC file is replaced only once the whole file has come. A
 * PC file the user may not write is refused, a replaced one keeps its permissions, and through
 * a symbolic link the file it points to is written. */
VXCOMM_API int32_t VXCOMM_CALL vxUploadFile(int32_t Port, const char* Name, const char* PcPath);
/* Deletes the file for good. */
VXCOMM_API int32_t VXCOMM_CALL vxCompleteDelFile(int32_t Port, const char* Name);
/* Moves the file to the recycle bin; "*.*" deletes every file for good and empties the bin. */
VXCOMM_API int32_t VXCOMM_CALL vxDeleteFile(int32_t Port, const char* Name);
/* Deletes the file of that number for good, in the recycle bin or outside it. */
VXCOMM_API int32_t VXCOMM_CALL vxDelRecyleFile(int32_t Port, int32_t Number);
/* Moves the file of that number out of the recycle bin. */
VXCOMM_API int32_t VXCOMM_CALL vxRestoreFile(int32_t Port, int32_t Number);
/* Area 0: Length bytes into memory at Address; 1: the operating-system image, 2: the font and
 * input-method library (whole images, Address 0, at most 2 MiB). */
VXCOMM_API int32_t VXCOMM_CALL vxDownloadMemory(int32_t Port, int32_t Area, int32_t Address, int32_t Length,
                                                const void* Data);
/* Area 0: *Length bytes from Address into Buffer. Areas 1 and 2: the whole image (Address 0)
 * into Buffer, which holds *Length bytes when that is 1 to 2 MiB, else 2 MiB; *Length := the
 * image's size. */
VXCOMM_API int32_t VXCOMM_CALL vxUploadMemory(int32_t Port, int32_t Area, int32_t Address, int32_t* Length,
                                              void* Buffer);

#ifdef __cplusplus
}
#endif

#ifdef __cplusplus
static_assert(sizeof(VxFileRecord) == 52 && sizeof(VxDateTime) == 6 && sizeof(VxSpaceInfo) == 16,
              "records as the terminal's programs lay them out");
#endif
