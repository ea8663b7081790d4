// uThreadImages: the worker's routines of the management page. They write a PC file into the
// terminal's memory at an address or as its operating-system or font image, and read a memory
// range or those images back into PC files.
//
// Each routine reads what the page holds (addresses, length, file names, check boxes) once at
// its start, on the main thread, and reports only through the worker's report protocol: the
// status line at the end, a message box for a failure. A received file replaces its target
// only when every byte has been written; otherwise the target stays as it was.
#pragma once

class MyThread;

// tmDownloadMemory: the file of edtDownMemName into memory at edtDownMemAddr.
void DownloadMemory(MyThread& Thread);
// tmUploadMemory: edtUpMemLen bytes of memory at edtUpMemAddr into the file of edtUpMemName.
void UploadMemory(MyThread& Thread);
// tmDownloadSystem: the checked images (operating system, then fonts) from their files; the
// first failure ends the run.
void DownloadSystem(MyThread& Thread);
// tmUploadSystem: the checked images into their files; the first failure ends the run.
void UploadSystem(MyThread& Thread);
