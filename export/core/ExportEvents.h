// The event types of the export component (TDataExport) and its columns.
#pragma once

#include <functional>

#include "System.h"

class TExportRow;
class TField;

// A record passed: RecNo counts from 0 in the export loop, from 1 while records are skipped.
using TExportedRecordEvent = std::function<void(TObject* Sender, int RecNo)>;
// Asked whether an aborted export may go on; CanContinue starts False.
using TExportStopEvent = std::function<void(TObject* Sender, bool& CanContinue)>;
// May replace the text of the cell in column ColNo (its position in Columns).
using TGetExportTextEvent = std::function<void(TObject* Sender, int ColNo, WideString& Text)>;
// May reject the filled row (Accept starts True).
using TBeforeExportRowEvent = std::function<void(TObject* Sender, TExportRow* Row, bool& Accept)>;
// Data-set sources: may replace the text of one field's value.
using TOnCustomFormat = std::function<void(TObject* Sender, TField* Field, WideString& Value)>;
// The text a caption or value is written as; Result starts as Text.
using TPrepareTextEvent = std::function<void(const WideString& Text, WideString& Result)>;
