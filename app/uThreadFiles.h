// uThreadFiles: the worker's routines of the comm page: listing the terminal's files (mode 1)
// and copying the selected files from the PC to the terminal (mode 2, download) and from the
// terminal to the PC (mode 3, upload).
#pragma once

#include <cstdint>

#include "System.h"

class MyThread;

// Mode 1: reads the terminal's type, capacity and space, lists its files into listCbj and
// listCbj2, shows the figures on the comm and special pages, posts the connection status and
// sets the terminal's clock to the PC's.
void ListDeviceFiles(MyThread& Thread);
// Mode 2: sends the selected files of listCpu (converted into dBASE first when the page's
// convert type asks for it), then lists the terminal's files again.
void DownloadSelectedFiles(MyThread& Thread);
// Mode 3: fetches the selected files of listCbj into the PC folder (deleting each from the
// terminal afterwards when the page asks for it, and converting dBASE files into the page's
// convert type), then lists both sides again.
void UploadSelectedFiles(MyThread& Thread);

// The file a download sends for the PC file Path: the dBASE file converted from it when the
// convert type asks for that (ALL: every file; TXT to XML: files of that type's extension) and
// the conversion succeeds; else Path itself, unconverted, without a word.
AnsiString FileToSend(const AnsiString& Path, std::uint8_t ConvertType);
// After an upload, a dBASE file is converted into the convert type; the outcome is not
// reported.
void ConvertReceived(const AnsiString& Path, std::uint8_t ConvertType);

// ListDeviceFiles for the routines that list the terminal's files at their end: returns the
// status text that says the list came only in part ("" when it came whole), which a routine
// that posts its own summary afterwards posts again after it.
AnsiString ListDeviceFilesNote(MyThread& Thread);
