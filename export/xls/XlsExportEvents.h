// The events of the Excel exporter (TDataExportXLS). Sender is always the sheet (TxlsSheet)
// being written and Sheet its index in the exporter's Sheets; Col and Row are the cell's sheet
// column and row, from 0. A Format handed to a handler is a copy of the section's look, made
// for that one cell: the handler may change it, and it is freed once the cell is written.
#pragma once

#include <functional>

#include "System.h"
#include "Variant.h"

class TExportRow;
class TxlsFormat;

// A header or footer cell (S: its text) and a leading cell left of the data (S starts empty):
// a cell is written when S is not empty.
using TxlsGetSheetTextParamsEvent =
    std::function<void(TObject* Sender, int Sheet, int Col, int Row, TxlsFormat* Format, WideString& S)>;
// A caption cell.
using TxlsGetCaptionParamsEvent =
    std::function<void(TObject* Sender, int Sheet, int Col, TxlsFormat* Format, WideString& Caption)>;
// A data cell: its look and its number format (FormatText; empty: the column's own format).
using TxlsGetDataParamsEvent =
    std::function<void(TObject* Sender, int Sheet, int Col, int Row, TxlsFormat* Format, WideString& FormatText)>;
// An aggregate cell: its look and number format, and for a column without an aggregate a Value
// written as text when it is not empty.
using TxlsGetAggregateParamsEvent = std::function<void(TObject* Sender, int Sheet, int Col, TxlsFormat* Format,
                                                       WideString& FormatText, Variant& Value)>;
// The text, or the value, of the data cell of column ColNo (its position among the exported
// columns).
using TxlsAdvancedGetExportTextEvent = std::function<void(TObject* Sender, int Sheet, int ColNo, WideString& Text)>;
using TxlsAdvancedGetExportDataEvent = std::function<void(TObject* Sender, int Sheet, int ColNo, Variant& Data)>;
// May refuse the filled row (Accept starts True).
using TxlsAdvancedBeforeExportRowEvent =
    std::function<void(TObject* Sender, int Sheet, TExportRow* Row, bool& Accept)>;
// Before a sheet's first record and after its last cell.
using TxlsSheetEvent = std::function<void(TObject* Sender, int Sheet)>;
// After each record fetched for a sheet, written or refused; RecNo counts from 0.
using TxlsExportedRecordEvent = std::function<void(TObject* Sender, int Sheet, int RecNo)>;
