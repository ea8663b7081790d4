// uThreadLists: the worker's routines of the special page's two batch lists: every PC file of
// the download list sent to the terminal (mode 4), every terminal file of the upload list
// fetched into the configured PC folder (mode 5). Each entry that succeeds gets its check mark,
// so after a run the unchecked entries are the ones to look at.
#pragma once

class MyThread;

// Mode 4: sends the files of listDownload in order (a missing file fails without a call;
// converted into dBASE first when the page's convert type asks for it), then lists the
// terminal's files again.
void DownloadFileList(MyThread& Thread);
// Mode 5: fetches the files of listUpload into edtUploadPath in order, converts dBASE files into
// the page's convert type (never over a file of the same batch), deletes each fetched file from
// the terminal when chkDelCbjFile asks for it (never one that did not arrive whole), then lists
// the terminal's files again.
void UploadFileList(MyThread& Thread);
