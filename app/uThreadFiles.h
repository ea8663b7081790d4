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
// convert type asks for it), then lists the terminal's files again and shows the summary.
void DownloadSelectedFiles(MyThread& Thread);
// Mode 3: fetches the selected files of listCbj into the PC folder (deleting each from the
// terminal afterwards when the page asks for it, and converting dBASE files into the page's
// convert type, never over a file of the same upload), then lists both sides again and shows
// the summary.
void UploadSelectedFiles(MyThread& Thread);

// ListDeviceFiles for the routines that list the terminal's files at their end: returns the
// status text that says the list came only in part ("" when it came whole), which a routine
// that posts its own summary afterwards posts again after it.
AnsiString ListDeviceFilesNote(MyThread& Thread);

// The end of a transfer on the status line: its summary (AllSucceeded when AllOk, else
// SomeFailed), then Note when it is not "" (the terminal's list came only in part).
void PostSummary(bool AllOk, const AnsiString& AllSucceeded, const AnsiString& SomeFailed, const AnsiString& Note);
// The terminal's files listed again, then PostSummary: the summary is what the status line
// keeps, not the listing's connection text.
void FinishTransfer(MyThread& Thread, bool AllOk, const AnsiString& AllSucceeded, const AnsiString& SomeFailed);
