// uThreadFtp: the worker's routines of the FTP relay: the terminal's selected files stored on
// the FTP server (mode 17), and the server's selected files sent to the terminal (mode 18).
//
// Both pass the files through a private folder of their own (TTempFolder), made for the one
// operation and removed with everything in it when it ends, so that no file of the user's or
// of the program's can be overwritten or deleted on the way, whatever the terminal or the
// server names its files. A fetch that fails or is cancelled leaves nothing behind.
#pragma once

class MyThread;

// Mode 17: for each selected file of listCbj: fetched from the terminal, converted (a dBASE
// file) into the page's convert type, stored in the server's current folder (the five types of
// "ALL" as five files), and deleted on the terminal when chkCompleteDelFile asks for it and
// every store of the file succeeded. Then both lists are read again.
void DeviceToFtp(MyThread& Thread);
// Mode 18: for each selected row of ListView1: fetched from the server, converted into dBASE
// when the page's convert type asks for it, and sent to the terminal. Then the terminal's files
// are listed again.
void FtpToDevice(MyThread& Thread);
