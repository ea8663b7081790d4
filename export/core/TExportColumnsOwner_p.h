// Internal: the settings of a column collection's owner, read by published property name.
// This header may change without notice.
#pragma once

#include "ExportEvents.h"
#include "ExportSource.h"

class TExportFormats;
class TPersistent;
class TStrings;

struct TExportColumnsOwner {
  TStrings* ExportedFields = nullptr;
  TExportSourceRef Source;
  bool OnlyVisibleFields = false;
  TExportFormats* Formats = nullptr;
  bool AutoCalcStrType = false;
  int CaptionRow = -1;
  TStrings* UserFormats = nullptr;
  TStrings* ColumnsWidth = nullptr;
  TStrings* Captions = nullptr;
  TStrings* ColumnsAlign = nullptr;
  TStrings* ColumnsLength = nullptr;
  int SkipRecCount = 0;
  int ExportRecCount = 0;
  TExportedRecordEvent OnFetchedRecord;

  static TExportColumnsOwner Read(const TPersistent* Owner);
};
