// TDataExport: the base component of every exporter. It holds the choice of source, the
// per-column setting lists, the formats, the events, the columns and the current row, and runs
// the export driver, which walks the source record by record and hands each row to the virtual
// steps that the exporters override. The driver knows nothing of any output format.
//
// Using an exporter: set ExportSource and the source of that kind, optionally the lists and
// formats, and call Execute (file and database exporters) or ExportToStream. Errors are
// EDataExportError with a text of the library's message table (TExportLocale.h):
//   34014 "Export source (%s) is not assigned"  the source of the kind is missing
//   34016 "Export source (%s) is closed"        the data set is not active
//   34017 "Export source (%s) is empty"         ExportEmpty is off and there is no record
// all three raised before anything is written; a data set that lacks a field ExportedFields
// names raises its field-not-found error from BeginExport, also before any output.
//
// The driver (DoExport), in this fixed order:
//   1. RecNo := 0; the source must be assigned (34014), 2. active (34016), 3. not empty unless
//      ExportEmpty (34017).
//   4. The source's controls are disabled until the export ends, also on an exception.
//   5. BeginExport (columns and row rebuilt, Aborted cleared, OnBeginExport). Aborted: stop.
//   6. AutoCalcColWidth: Columns.CalcColWidths(AllowCaptions). Aborted: stop.
//   7. From here EndExport runs at the end in every case.
//   8. AllowCaptions: WriteCaptionRow. Aborted: stop.
//   9. GoToFirstRecord: the source goes to its first record.
//  10. BeforeExport. Aborted: stop.
//  11. SkipRecCount records are skipped, each followed by OnSkippedRecord(RecNo 1, 2, ...).
//      Aborted: stop.
//  12. RecNo := 0; for each record: stop at the end of the source, when ExportRecCount is not
//      0 and RecNo >= ExportRecCount, or when Aborted and CanContinue answers False; FillRow,
//      OnBeforeExportRow may reject it; an accepted row is written (WriteDataRow) and reported
//      (OnExportedRecord with RecNo); CurrentRecordOnly stops after the first record; the
//      source moves on (RecNo + 1, also after a rejected row) and the thread yields once.
//  13. AfterExport (only when the loop was reached), EndExport, the controls enabled again.
// Abort may be called from any event handler of the running export; CanContinue asks
// OnStopExport (CanContinue starting False) whether it may go on anyway.
//
// Values are written with the export's own format settings (TextSettings, set up by
// BeginExport from the process's settings and Formats' separators); the process's settings
// are never changed, so exports may run on several threads at once.
//
// The component frees nothing it refers to; a referred source that is freed is cleared
// (free notification), and the next export raises 34014.
//
// Published, in this order: ExportSource, DataSet, CustomSource, ListView, DBGrid, StringGrid,
// ExportedFields, CurrentRecordOnly, GoToFirstRecord (True), ExportRecCount (0),
// SkipRecCount (0), OnlyVisibleFields, AutoCalcStrType, CaptionRow (-1), ExportEmpty (True),
// About, _Version ("4.6.0.5"), OnBeginExport, OnEndExport, OnSkippedRecord,
// OnExportedRecord, OnStopExport, OnGetExportText, OnBeforeExportRow, OnCustomFormat. The other
// settings are published by the descendants that use them; assigning a list copies its lines.
#pragma once

#include <array>
#include <cstdint>
#include <memory>

#include "ExportEvents.h"
#include "ExportSource.h"
#include "ExportValueText.h"
#include "TComponent.h"
#include "TExportWriter.h"

class TExportCol;
class TExportColumns;
class TExportFormats;
class TExportIniFile;
class TExportRow;
class TStream;
class TStrings;
class TWideStringList;

// The zero-filled parameter record of ClearParams.
using TExportParams = std::array<std::uint8_t, 32>;

inline constexpr const char* DataExportVersion = "4.6.0.5";

class TDataExport : public TComponent {
  DECLARE_CLASS(TDataExport, TComponent)

  explicit TDataExport(TComponent* AOwner);
  ~TDataExport() override;

  // --- settings ---
  int RecNo() const { return recNo_; }
  TExportColumns* Columns() const { return columns_.get(); }
  TExportRow* Row() const { return row_.get(); }
  TExportSource ExportSource() const { return exportSource_; }
  void SetExportSource(TExportSource Value) { exportSource_ = Value; }
  TDataSet* DataSet() const { return dataSet_; }
  void SetDataSet(TDataSet* Value);
  TExportCustomSource* CustomSource() const { return customSource_; }
  void SetCustomSource(TExportCustomSource* Value);
  TDBGrid* DBGrid() const { return dbGrid_; }
  void SetDBGrid(TDBGrid* Value);
  TListView* ListView() const { return listView_; }
  void SetListView(TListView* Value);
  TStringGrid* StringGrid() const { return stringGrid_; }
  void SetStringGrid(TStringGrid* Value);
  const AnsiString& Title() const { return title_; }
  void SetTitle(const AnsiString& Value) { title_ = Value; }
  TStrings* ExportedFields() const { return exportedFields_.get(); }
  void SetExportedFields(TStrings* Value);
  TWideStringList* Header() const { return header_.get(); }
  void SetHeader(TWideStringList* Value);
  TStrings* Captions() const { return captions_.get(); }
  void SetCaptions(TStrings* Value);
  bool AllowCaptions() const { return allowCaptions_; }
  void SetAllowCaptions(bool Value) { allowCaptions_ = Value; }
  TWideStringList* Footer() const { return footer_.get(); }
  void SetFooter(TWideStringList* Value);
  TExportFormats* Formats() const { return formats_.get(); }
  void SetFormats(TExportFormats* Value);
  TStrings* UserFormats() const { return userFormats_.get(); }
  void SetUserFormats(TStrings* Value);
  TStrings* ColumnsWidth() const { return columnsWidth_.get(); }
  void SetColumnsWidth(TStrings* Value);
  TStrings* ColumnsAlign() const { return columnsAlign_.get(); }
  void SetColumnsAlign(TStrings* Value);
  TStrings* ColumnsLength() const { return columnsLength_.get(); }
  void SetColumnsLength(TStrings* Value);
  bool CurrentRecordOnly() const { return currentRecordOnly_; }
  void SetCurrentRecordOnly(bool Value) { currentRecordOnly_ = Value; }
  bool GoToFirstRecord() const { return goToFirstRecord_; }
  void SetGoToFirstRecord(bool Value) { goToFirstRecord_ = Value; }
  int ExportRecCount() const { return exportRecCount_; }
  void SetExportRecCount(int Value) { exportRecCount_ = Value; }
  int SkipRecCount() const { return skipRecCount_; }
  void SetSkipRecCount(int Value) { skipRecCount_ = Value; }
  bool OnlyVisibleFields() const { return onlyVisibleFields_; }
  void SetOnlyVisibleFields(bool Value) { onlyVisibleFields_ = Value; }
  bool AutoCalcStrType() const { return autoCalcStrType_; }
  void SetAutoCalcStrType(bool Value) { autoCalcStrType_ = Value; }
  bool AutoCalcColWidth() const { return autoCalcColWidth_; }
  void SetAutoCalcColWidth(bool Value) { autoCalcColWidth_ = Value; }
  int CaptionRow() const { return captionRow_; }
  void SetCaptionRow(int Value) { captionRow_ = Value; }
  bool ExportEmpty() const { return exportEmpty_; }
  void SetExportEmpty(bool Value) { exportEmpty_ = Value; }
  bool Aborted() const { return aborted_; }
  // Informational texts; writing them changes nothing.
  AnsiString Version_() const { return DataExportVersion; }
  void SetVersion_(const AnsiString&) {}
  AnsiString About() const;
  void SetAbout(const AnsiString&) {}
  // The output writer, alive only during ExportToStream.
  TExportWriter* Writer() const { return writer_.get(); }
  // 0 ANSI, 1 OEM, 2 Macintosh code page, 3 UTF-8 (default), 4 UTF-16LE, 5 UCS-4.
  std::uint8_t Encoding() const { return encoding_; }
  virtual void SetEncoding(std::uint8_t Value);
  // The format settings the running (or last) export reads and writes values with.
  const TExportTextSettings& TextSettings() const { return textSettings_; }

  // --- events ---
  TNotifyEvent OnBeginExport;
  TExportedRecordEvent OnFetchedRecord;
  TExportedRecordEvent OnSkippedRecord;
  TExportedRecordEvent OnExportedRecord;
  TExportStopEvent OnStopExport;
  TGetExportTextEvent OnGetExportText;
  TNotifyEvent OnEndExport;
  TBeforeExportRowEvent OnBeforeExportRow;
  TOnCustomFormat OnCustomFormat;

  // --- the steps, in the order exporters override them ---
  virtual TExportWriterClass WriterClass();
  virtual void BeginExport();
  virtual void BeforeExport();
  virtual void AfterExport();
  virtual void EndExport();
  virtual bool EndOfSource();
  virtual void GetCaptionLine(WideString& Line);
  virtual void WriteCaptionRow();
  virtual void FillRow();
  virtual void GetDataLine(WideString& Line);
  virtual void WriteDataRow();
  virtual void GetColCaption(int Index, AnsiString& Caption);
  virtual void GetColData(const WideString& Text, TExportColumn* Column, WideString& Result);
  virtual void ClearParams(TExportParams& Params);
  virtual void SaveToIni(TExportIniFile* IniFile);
  virtual void LoadFromIni(TExportIniFile* IniFile);
  // Runs a whole export to the exporter's destination; nothing here.
  virtual void Execute();
  virtual void Abort();
  virtual void PrepareText(const WideString& Text, WideString& Result);
  virtual void GetColText(TExportCol* Col, WideString& Text);

  // Runs the driver with a writer on Stream (which stays the caller's); the writer is freed
  // also when the driver raises, and what was written stays in the stream.
  void ExportToStream(TStream* Stream);
  // False when aborted, unless OnStopExport lets the export go on (which clears Aborted).
  bool CanContinue();

  // The source operations (ExportSource.h) on this component's current sources.
  TExportSourceRef SourceRef() const;
  void CheckSource();
  bool SourceActive();
  bool SourceEmpty();
  void GoFirst();
  void GoNext();
  void Skip(int Count);
  TExportSourcePosition GetBookmark();
  void GoToBookmark(const TExportSourcePosition& Position);
  void FreeBookmark(TExportSourcePosition& Position);
  void DisableControls();
  void EnableControls();

protected:
  void Notification(TComponent* AComponent, TOperation Operation) override;
  // The running export's format settings, for an exporter that writes its values with settings
  // of its own (BeginExport sets them up afresh for every export).
  TExportTextSettings& MutableTextSettings() { return textSettings_; }
  // The driver.
  void DoExport();

  // The list sections of the ini settings: Save erases Section and writes line i of List
  // under Prefix + i; Load fills List from the whole section, each line the text after the
  // key's "=" (KeepPlainValues False), or, with KeepPlainValues, that text only when it holds
  // a "=" itself and the ini line as it stands otherwise (lists of name=value lines).
  static void SaveListToIni(TExportIniFile* IniFile, const AnsiString& Section, const AnsiString& Prefix,
                            const TStrings* List);
  static void LoadListFromIni(TExportIniFile* IniFile, const AnsiString& Section, TStrings* List,
                              bool KeepPlainValues);
  static void SaveWideListToIni(TExportIniFile* IniFile, const AnsiString& Section, const TWideStringList* List);
  static void LoadWideListFromIni(TExportIniFile* IniFile, const AnsiString& Section, TWideStringList* List);

private:
  void setSource(TComponent*& Slot, TComponent* Value);
  void loop();

  int recNo_ = 0;
  std::unique_ptr<TExportFormats> formats_;
  std::unique_ptr<TExportColumns> columns_;
  std::unique_ptr<TExportRow> row_;
  TExportSource exportSource_ = esDataSet;
  TDataSet* dataSet_ = nullptr;
  TExportCustomSource* customSource_ = nullptr;
  TDBGrid* dbGrid_ = nullptr;
  TListView* listView_ = nullptr;
  TStringGrid* stringGrid_ = nullptr;
  AnsiString title_;
  std::unique_ptr<TStrings> exportedFields_;
  std::unique_ptr<TWideStringList> header_;
  std::unique_ptr<TStrings> captions_;
  bool allowCaptions_ = true;
  std::unique_ptr<TWideStringList> footer_;
  std::unique_ptr<TStrings> userFormats_;
  std::unique_ptr<TStrings> columnsWidth_;
  std::unique_ptr<TStrings> columnsAlign_;
  std::unique_ptr<TStrings> columnsLength_;
  bool currentRecordOnly_ = false;
  bool goToFirstRecord_ = true;
  int exportRecCount_ = 0;
  int skipRecCount_ = 0;
  bool onlyVisibleFields_ = false;
  bool autoCalcStrType_ = false;
  bool autoCalcColWidth_ = false;
  int captionRow_ = -1;
  bool exportEmpty_ = true;
  bool aborted_ = false;
  std::unique_ptr<TExportWriter> writer_;
  std::uint8_t encoding_ = 3;
  TExportTextSettings textSettings_;
};
