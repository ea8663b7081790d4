// uThreadRecycle: the worker's routines of the recycle bin and of deleting terminal files:
// moving selected files into the bin (mode 6), deleting all files (7), listing the bin (8),
// restoring (9) and deleting for good (10 from the terminal list, 11 from the bin).
#pragma once

class MyThread;

void RecycleSelectedFiles(MyThread& Thread);
void DeleteAllFiles(MyThread& Thread);
void ListRecycledFiles(MyThread& Thread);
void RestoreSelectedFiles(MyThread& Thread);
void DestroySelectedFiles(MyThread& Thread);
void DestroyRecycledFiles(MyThread& Thread);
