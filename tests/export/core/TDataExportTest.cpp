#include "TDataExport.h"

#include <gtest/gtest.h>

#include "ExportFixture.h"
#include "TExportCol.h"
#include "TExportColumns.h"
#include "TExportRow.h"
#include "TListItems.h"
#include "TListView.h"
#include "TMemoryStream.h"
#include "TStringList.h"
#include "TypInfo.h"

namespace {

using Trace = std::vector<std::string>;

class TDataExportTest : public ExportTest {
protected:
  // A custom source of Count records, one integer column "N" holding the record number.
  TExportCustomSource* numbers(int Count) {
    std::vector<std::vector<Variant>> rows;
    for (int i = 1; i <= Count; ++i) rows.push_back({Variant(i)});
    return NewCustomSource({{"N", ectInteger}}, rows);
  }
  TLineExport* exporterOf(TExportCustomSource* source) {
    auto* e = new TLineExport(owner);
    e->SetExportSource(esCustom);
    e->SetCustomSource(source);
    return e;
  }
};

}  // namespace

TEST_F(TDataExportTest, ALimitWithARejectedRowPassesThreeRecordsAndWritesTwo) {
  TLineExport* e = exporterOf(numbers(10));
  e->SetExportRecCount(3);
  e->OnBeforeExportRow = [](TObject*, TExportRow* Row, bool& Accept) { Accept = Row->Items(0)->Data() != u"2"; };
  EXPECT_EQ(ExportTest::ExportBytes(e), "N\r\n1\r\n3\r\n");
  EXPECT_EQ(e->Trace, (Trace{"begin", "caption", "before", "row 0", "exported 0", "row 2", "exported 2", "after", "end"}));
}

TEST_F(TDataExportTest, SkippedRecordsAreReportedFromOneAndTheFirstExportedIsZero) {
  TLineExport* e = exporterOf(numbers(4));
  e->SetSkipRecCount(2);
  e->SetAllowCaptions(false);
  EXPECT_EQ(ExportBytes(e), "3\r\n4\r\n");
  EXPECT_EQ(e->Trace, (Trace{"begin", "before", "skipped 1", "skipped 2", "row 0", "exported 0", "row 1", "exported 1",
                             "after", "end"}));
}

TEST_F(TDataExportTest, AMissingSourceIsRefusedBeforeAnyOutput) {
  TLineExport* e = new TLineExport(owner);
  TMemoryStream stream;
  EXPECT_EQ(ExportErrorOf([&] { e->ExportToStream(&stream); }), "Export source (DataSet) is not assigned");
  e->SetExportSource(esCustom);
  EXPECT_EQ(ExportErrorOf([&] { e->ExportToStream(&stream); }), "Export source (CustomSource) is not assigned");
  EXPECT_EQ(stream.Size(), 0);
  EXPECT_TRUE(e->Trace.empty());
}

TEST_F(TDataExportTest, AFreedSourceIsClearedAndTheNextExportRefusesIt) {
  TExportCustomSource* source = numbers(2);
  TLineExport* e = exporterOf(source);
  TListView* view = NewListView({"A"}, {{"x"}});
  e->SetListView(view);
  delete source;
  delete view;
  EXPECT_EQ(e->CustomSource(), nullptr);
  EXPECT_EQ(e->ListView(), nullptr);
  EXPECT_EQ(ExportErrorOf([&] { ExportBytes(e); }), "Export source (CustomSource) is not assigned");
}

TEST_F(TDataExportTest, ASourceFreedWhileExportedEndsTheExportWithAnError) {
  TLineExport* e = new TLineExport(owner);
  e->SetExportSource(esListView);
  TListView* view = NewListView({"A"}, {{"1"}, {"2"}, {"3"}});
  e->SetListView(view);
  e->OnExportedRecord = [&](TObject*, int RecNo) {
    if (RecNo == 0) delete view;
  };
  TMemoryStream stream;
  EXPECT_EQ(ExportErrorOf([&] { e->ExportToStream(&stream); }), "Export source (ListView) is not assigned");
  EXPECT_EQ(e->ListView(), nullptr);
}

TEST_F(TDataExportTest, RowsRemovedFromAListViewWhileExportedEndItEarlier) {
  TLineExport* e = new TLineExport(owner);
  e->SetExportSource(esListView);
  TListView* view = NewListView({"A", "B"}, {{"1", "a"}, {"2", "b"}, {"3", "c"}, {"4", "d"}});
  e->SetListView(view);
  e->OnGetExportText = [&](TObject*, int ColNo, WideString&) {
    if (ColNo == 0 && view->Items()->Count() == 4) view->Items()->Delete(3);
  };
  e->OnExportedRecord = [&](TObject*, int RecNo) {
    if (RecNo == 1) view->Items()->Delete(2);
  };
  EXPECT_EQ(ExportBytes(e), "A;B\r\n1;a\r\n2;b\r\n");
}

TEST_F(TDataExportTest, AbortInBeginExportWritesNothingAndSkipsEndExport) {
  TLineExport* e = exporterOf(numbers(3));
  e->OnBeginExport = [e](TObject*) { e->Abort(); };
  EXPECT_EQ(ExportBytes(e), "");
  EXPECT_EQ(e->Trace, (Trace{"begin"}));
  EXPECT_TRUE(e->Aborted());
}

TEST_F(TDataExportTest, AbortAfterARecordAsksOnStopExportBeforeTheNext) {
  TLineExport* e = exporterOf(numbers(4));
  e->SetAllowCaptions(false);
  e->OnExportedRecord = [e](TObject*, int RecNo) {
    e->Trace.push_back("exported " + std::to_string(RecNo));
    if (RecNo == 0) e->Abort();
  };
  // Without OnStopExport the export ends; AfterExport and EndExport still run.
  EXPECT_EQ(ExportBytes(e), "1\r\n");
  EXPECT_EQ(e->Trace, (Trace{"begin", "before", "row 0", "exported 0", "after", "end"}));
  // A handler that lets it go on resumes it.
  e->Trace.clear();
  e->OnStopExport = [e](TObject*, bool& CanContinue) {
    e->Trace.push_back(CanContinue ? "stop true" : "stop false");
    CanContinue = true;
  };
  EXPECT_EQ(ExportBytes(e), "1\r\n2\r\n3\r\n4\r\n");
  EXPECT_EQ(e->Trace, (Trace{"begin", "before", "row 0", "exported 0", "stop false", "row 1", "exported 1", "row 2",
                             "exported 2", "row 3", "exported 3", "after", "end"}));
  EXPECT_FALSE(e->Aborted());
}

TEST_F(TDataExportTest, AnErrorInAHandlerStillEndsTheExportAndFreesTheWriter) {
  TLineExport* e = exporterOf(numbers(3));
  e->OnExportedRecord = [](TObject*, int RecNo) {
    if (RecNo == 1) throw Exception("handler failed");
  };
  TMemoryStream stream;
  EXPECT_EQ(ExportErrorOf([&] { e->ExportToStream(&stream); }), "handler failed");
  EXPECT_EQ(e->Trace, (Trace{"begin", "caption", "before", "row 0", "row 1", "end"}));
  EXPECT_EQ(std::string(stream.Memory(), static_cast<std::size_t>(stream.Size())), "N\r\n1\r\n2\r\n");
  EXPECT_EQ(e->Writer(), nullptr);
}

TEST_F(TDataExportTest, ListViewCountsAreHeldToItsItems) {
  TLineExport* e = new TLineExport(owner);
  e->SetExportSource(esListView);
  e->SetListView(NewListView({"A"}, {{"1"}, {"2"}, {"3"}, {"4"}, {"5"}}));
  e->SetSkipRecCount(8);
  e->SetExportRecCount(9);
  EXPECT_EQ(ExportBytes(e), "A\r\n");
  EXPECT_EQ(e->SkipRecCount(), 5);
  EXPECT_EQ(e->ExportRecCount(), 5);
}

TEST_F(TDataExportTest, AListViewEndsAfterItsItemsPastTheSkippedOnes) {
  std::initializer_list<std::initializer_list<const char*>> rows = {{"0"}, {"1"}, {"2"}, {"3"}, {"4"},
                                                                     {"5"}, {"6"}, {"7"}, {"8"}, {"9"}};
  TLineExport* e = new TLineExport(owner);
  e->SetExportSource(esListView);
  e->SetListView(NewListView({"A"}, rows));
  e->SetAllowCaptions(false);
  e->SetSkipRecCount(3);
  EXPECT_EQ(ExportBytes(e), "3\r\n4\r\n5\r\n6\r\n7\r\n8\r\n9\r\n");
  e->SetExportRecCount(20);
  EXPECT_EQ(ExportBytes(e), "3\r\n4\r\n5\r\n6\r\n7\r\n8\r\n9\r\n");
  e->SetExportRecCount(-1);
  EXPECT_EQ(ExportBytes(e), "");
}

TEST_F(TDataExportTest, TheCustomSourceIsAskedRecordByRecord) {
  TExportCustomSource* source = NewCustomSource({{"A", ectString}}, {});
  Trace calls;
  source->OnGetNextRecord = [&](TObject*, int RecNo, bool& Eof) {
    calls.push_back("next " + std::to_string(RecNo));
    Eof = RecNo == 3;
  };
  source->OnGetColumnValue = [&](TObject*, int RecNo, TExportCustomColumn*, Variant& Value) {
    calls.push_back("value " + std::to_string(RecNo));
    Value = "r" + std::to_string(RecNo);
  };
  TLineExport* e = exporterOf(source);
  EXPECT_EQ(ExportBytes(e), "A\r\nr1\r\nr2\r\nr3\r\n");
  EXPECT_EQ(calls, (Trace{"value 1", "next 1", "value 2", "next 2", "value 3", "next 3"}));
  // Without OnGetNextRecord nothing is exported.
  source->OnGetNextRecord = nullptr;
  EXPECT_EQ(ExportBytes(e), "A\r\n");
}

TEST_F(TDataExportTest, ACustomSourceWithoutColumnsIsNeverEmptyAndGivesItsRecords) {
  TLineExport* e = exporterOf(NewCustomSource({}, {{}, {}}));
  EXPECT_EQ(ExportBytes(e), "\r\n\r\n\r\n");
  EXPECT_EQ(e->Columns()->Count(), 0);
  // Refusing empty sources does not refuse it: its records are there, only without values.
  e->SetExportEmpty(false);
  e->Trace.clear();
  EXPECT_EQ(ExportBytes(e), "\r\n\r\n\r\n");
  EXPECT_EQ(e->Trace, (Trace{"begin", "caption", "before", "row 0", "exported 0", "row 1", "exported 1", "after", "end"}));
}

TEST_F(TDataExportTest, ColumnsOfTheSameNameKeepTheirOwnValues) {
  TLineExport* e = new TLineExport(owner);
  e->SetExportSource(esListView);
  e->SetListView(NewListView({"Value", "Value"}, {{"1", "2"}}));
  EXPECT_EQ(ExportBytes(e), "Value;Value\r\n1;2\r\n");
}

TEST_F(TDataExportTest, TheTextOfACellCanBeReplacedAndTheRowSeesTheValues) {
  TLineExport* e = exporterOf(NewCustomSource({{"N", ectInteger}, {"S", ectString}}, {{1, "a"}, {2, "b"}}));
  e->OnGetExportText = [](TObject*, int ColNo, WideString& Text) {
    if (ColNo == 1) Text = u"<" + Text + u">";
  };
  std::vector<std::string> seen;
  e->OnBeforeExportRow = [&](TObject*, TExportRow* Row, bool&) {
    seen.push_back(std::to_string(Row->Items(0)->Value().AsInteger()) + Row->Find("s")->Value().AsString());
  };
  EXPECT_EQ(ExportBytes(e), "N;S\r\n1;<a>\r\n2;<b>\r\n");
  EXPECT_EQ(seen, (std::vector<std::string>{"1a", "2b"}));
}

TEST_F(TDataExportTest, PublishedPropertiesRoundTripThroughTheTable) {
  TLineExport* e = new TLineExport(owner);
  std::vector<std::string> names;
  for (const TPropInfo* p : TDataExport::StaticClass().Properties()) names.push_back(p->Name);
  EXPECT_EQ(names, (std::vector<std::string>{
                       "Name", "Tag", "ExportSource", "DataSet", "CustomSource", "ListView", "DBGrid", "StringGrid", "ExportedFields", "CurrentRecordOnly",
                       "GoToFirstRecord", "ExportRecCount", "SkipRecCount", "OnlyVisibleFields", "AutoCalcStrType",
                       "CaptionRow", "ExportEmpty", "About", "_Version", "OnBeginExport", "OnEndExport",
                       "OnSkippedRecord", "OnExportedRecord", "OnStopExport", "OnGetExportText", "OnBeforeExportRow",
                       "OnCustomFormat"}));
  SetOrdProp(e, "ExportSource", static_cast<int>(esStringGrid));
  SetOrdProp(e, "ExportRecCount", -7);
  SetOrdProp(e, "SkipRecCount", 2147483647);
  SetOrdProp(e, "CaptionRow", 3);
  SetOrdProp(e, "GoToFirstRecord", 0);
  SetOrdProp(e, "ExportEmpty", 0);
  EXPECT_EQ(e->ExportSource(), esStringGrid);
  EXPECT_EQ(GetOrdProp(e, "ExportRecCount"), -7);
  EXPECT_EQ(GetOrdProp(e, "SkipRecCount"), 2147483647);
  EXPECT_EQ(GetOrdProp(e, "CaptionRow"), 3);
  EXPECT_FALSE(e->GoToFirstRecord());
  EXPECT_FALSE(e->ExportEmpty());
  EXPECT_EQ(GetStrProp(e, "_Version"), "4.6.0.5");
  SetStrProp(e, "About", "changed");
  EXPECT_NE(GetStrProp(e, "About"), "changed");
  TStringList fields;
  fields.Add("A=B");
  SetObjectProp(e, "ExportedFields", &fields);
  EXPECT_NE(e->ExportedFields(), &fields);
  EXPECT_EQ(e->ExportedFields()->Text(), "A=B\r\n");
  TExportCustomSource* source = numbers(1);
  SetObjectProp(e, "CustomSource", source);
  EXPECT_EQ(e->CustomSource(), source);
  EXPECT_THROW(SetObjectProp(e, "CustomSource", &fields), EPropertyError);
}

TEST_F(TDataExportTest, DefaultsAndEncodingsOutsideTheSixAreRefused) {
  TDataExport e(nullptr);
  EXPECT_EQ(e.ExportSource(), esDataSet);
  EXPECT_TRUE(e.AllowCaptions());
  EXPECT_TRUE(e.GoToFirstRecord());
  EXPECT_TRUE(e.ExportEmpty());
  EXPECT_EQ(e.CaptionRow(), -1);
  EXPECT_EQ(e.Encoding(), 3);
  e.SetEncoding(5);
  e.SetEncoding(6);
  EXPECT_EQ(e.Encoding(), 5);
  TExportParams params;
  params.fill(7);
  e.ClearParams(params);
  EXPECT_EQ(params, TExportParams{});
}
