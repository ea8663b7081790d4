// Result codes of the communication library, and their texts.
//
// Every exported call returns one of these codes (vxCheckPort returns a port handle instead).
// 0 is success. Codes from 1 to 99 concern one item - a file, a value, a memory range - and leave
// the link to the terminal usable, so a loop over several files may go on with the next one.
// Codes from 100 on mean that the terminal cannot be reached; a loop must stop.
//
// A fault injected through the settings file may add vxFlagGoOn or vxFlagStop to a code to fix
// the go-on flag that vxGetErrMsg reports for it, whatever the code's own class says.
#pragma once

#include <cstdint>

#include "System.h"

enum TVxResult : std::int32_t {
  vxOk = 0,

  // One item failed; the link is fine.
  vxErrFileNotFound = 1,     // no file of that name on the terminal
  vxErrFileNoNotFound = 2,   // no file with that number (a restore looks in the recycle bin only)
  vxErrFileExists = 3,       // a restore would replace a file of the same name
  vxErrBadName = 4,          // empty, over 32 bytes, or holding \ / : * ? " < > | or control characters
  vxErrNoSpace = 5,          // the terminal has not enough free blocks for the file
  vxErrPcFileRead = 6,       // the PC file cannot be opened or read
  vxErrPcFileWrite = 7,      // the PC file cannot be created or written
  vxErrBadId = 8,            // an information id the call does not know
  vxErrTextTooLong = 9,      // a text of more than 100 bytes
  vxErrBadDateTime = 10,     // a date or time that does not exist
  vxErrBadArea = 11,         // a memory area other than 0, 1 and 2
  vxErrBadAddress = 12,      // an address or length outside the memory area
  vxErrImageTooLarge = 13,   // an image over 2 MiB, the most a caller's buffer holds
  vxErrBadParameter = 14,    // a null pointer or a negative length
  vxErrListCut = 15,         // more entries than the caller's list holds; the count says how many were written
  vxErrStorage = 16,         // the terminal's storage could not be read or written
  vxErrBusy = 17,            // a call made from inside the progress callback
  vxErrNoMemory = 18,        // the PC ran out of memory
  vxErrInternal = 19,        // an unexpected failure inside the library

  // The terminal cannot be reached.
  vxErrNoDevice = 100,       // no terminal answers on any port
  vxErrBadPort = 101,        // the port handle is not the one the terminal answers on
  vxErrTimeout = 102,        // the terminal did not answer in time
  vxErrLinkLost = 103,       // the link broke during the exchange
  vxErrChecksum = 104,       // a frame arrived corrupted
};

// Added to a code by an injected fault to fix the go-on flag (see above).
constexpr std::int32_t vxFlagGoOn = 0x10000;
constexpr std::int32_t vxFlagStop = 0x20000;

// The longest text the library hands out; callers' buffers hold this plus the NUL.
constexpr std::size_t VxTextMax = 100;

// The text of a code, in the ANSI code page, at most VxTextMax bytes; an unknown code gets a
// text that names its number.
AnsiString VxResultText(std::int32_t code);

// Whether a loop over files may go on after this code (true for success).
bool VxResultGoesOn(std::int32_t code);
