#include <gtest/gtest.h>

#include "RowsDataSet.h"
#include "TDataLink.h"
#include "TDataSource.h"

namespace {

std::unique_ptr<TRowsDataSet> numbers(int count) {
  std::vector<std::vector<Variant>> rows;
  for (int i = 1; i <= count; ++i) rows.push_back({Variant(i), Variant("n" + std::to_string(i))});
  return std::make_unique<TRowsDataSet>(std::vector<TDbColumn>{Column("ID", ftInteger), Column("NAME", ftString, 8)},
                                        rows);
}

TEST(TDataSetTest, WalkingVisitsEveryRecordAndStaysOnTheLastAtTheEnd) {
  auto ds = numbers(3);
  ds->Open();
  EXPECT_TRUE(ds->Bof());
  std::vector<int> seen;
  for (ds->First(); !ds->Eof(); ds->Next()) seen.push_back(ds->FieldByName("ID")->AsInteger());
  EXPECT_EQ(seen, (std::vector<int>{1, 2, 3}));
  EXPECT_EQ(ds->FieldByName("ID")->AsInteger(), 3);
  ds->Next();
  EXPECT_TRUE(ds->Eof());
  EXPECT_EQ(ds->RecNo(), 3);
  EXPECT_FALSE(ds->IsEmpty());
  EXPECT_EQ(ds->RecordCount(), 3);
}

TEST(TDataSetTest, AnEmptyDataSetIsAtItsEndAndHasNoBookmark) {
  auto ds = numbers(0);
  ds->Open();
  EXPECT_TRUE(ds->Eof());
  EXPECT_TRUE(ds->Bof());
  EXPECT_TRUE(ds->IsEmpty());
  EXPECT_EQ(ds->RecordCount(), 0);
  EXPECT_TRUE(ds->GetBookmark().Empty());
  EXPECT_TRUE(ds->FieldByName("ID")->IsNull());
  ds->GotoBookmark(ds->GetBookmark());  // an empty bookmark is ignored
}

TEST(TDataSetTest, BookmarkBringsBackTheRecordEvenFromAForwardOnlySource) {
  auto ds = numbers(5);
  ds->Open();
  ds->Next();
  TBookmark mark = ds->GetBookmark();
  while (!ds->Eof()) ds->Next();
  ds->GotoBookmark(mark);
  EXPECT_EQ(ds->FieldByName("ID")->AsInteger(), 2);
  EXPECT_FALSE(ds->Eof());
  ds->Next();
  EXPECT_EQ(ds->FieldByName("ID")->AsInteger(), 3);
  ds->FreeBookmark(mark);
  EXPECT_TRUE(mark.Empty());
}

TEST(TDataSetTest, BookmarksOfAnotherDataSetOrAnEarlierOpeningAreRefused) {
  auto a = numbers(2), b = numbers(2);
  a->SetName("Table1");
  a->Open();
  b->Open();
  TBookmark fromB = b->GetBookmark();
  try {
    a->GotoBookmark(fromB);
    FAIL();
  } catch (const EDatabaseError& e) {
    EXPECT_EQ(e.Message(), "Table1: Invalid bookmark");
  }
  TBookmark old = a->GetBookmark();
  a->Close();
  a->Open();
  EXPECT_THROW(a->GotoBookmark(old), EDatabaseError);
}

TEST(TDataSetTest, FieldByNameOfAMissingFieldNamesFieldAndDataSet) {
  auto ds = numbers(1);
  ds->SetName("ClientDataSet1");
  ds->Open();
  EXPECT_EQ(ds->FieldByName("name"), ds->Fields()->Fields(1));
  EXPECT_EQ(ds->FindField("CUSTNO"), nullptr);
  try {
    ds->FieldByName("CUSTNO");
    FAIL();
  } catch (const EDatabaseError& e) {
    EXPECT_EQ(e.Message(), "ClientDataSet1: Field 'CUSTNO' not found");
  }
}

TEST(TDataSetTest, MovingAClosedDataSetRaises) {
  auto ds = numbers(1);
  EXPECT_THROW(ds->First(), EDatabaseError);
  EXPECT_THROW(ds->GetBookmark(), EDatabaseError);
  EXPECT_TRUE(ds->IsEmpty());
  EXPECT_EQ(ds->RecordCount(), 0);
}

// Counts what a control linked through a data source is told.
class TCountingLink : public TDataLink {
public:
  int changes = 0, scrolls = 0, states = 0;

protected:
  void DataEvent(TDataEvent Event) override {
    if (Event == deDataSetChange) ++changes;
    if (Event == deDataSetScroll) ++scrolls;
    if (Event == deUpdateState) ++states;
  }
};

TEST(TDataSetTest, NestedDisableControlsHoldsNoticesUntilTheLastEnable) {
  auto ds = numbers(4);
  TDataSource source(nullptr);
  source.SetDataSet(ds.get());
  TCountingLink link;
  link.SetDataSource(&source);
  ds->Open();
  link.changes = link.scrolls = link.states = 0;

  ds->DisableControls();
  ds->DisableControls();
  EXPECT_TRUE(ds->ControlsDisabled());
  for (ds->First(); !ds->Eof(); ds->Next()) {
  }
  ds->EnableControls();
  EXPECT_TRUE(ds->ControlsDisabled());
  EXPECT_EQ(link.scrolls + link.changes, 0);
  ds->EnableControls();
  EXPECT_FALSE(ds->ControlsDisabled());
  EXPECT_EQ(link.scrolls, 0);
  EXPECT_EQ(link.changes, 1);

  // Nothing happened: no notice; one Enable too many is harmless.
  ds->DisableControls();
  ds->EnableControls();
  ds->EnableControls();
  EXPECT_EQ(link.changes, 1);
  ds->First();
  EXPECT_EQ(link.scrolls, 1);
}

TEST(TDataSetTest, DestroyedDataSetLeavesItsDataSourceWithNone) {
  auto ds = numbers(1);
  TDataSource source(nullptr);
  TCountingLink link;
  link.SetDataSource(&source);
  source.SetDataSet(ds.get());
  ds->Open();
  EXPECT_TRUE(link.Active());
  ds.reset();
  EXPECT_EQ(source.DataSet(), nullptr);
  EXPECT_FALSE(link.Active());
}

}  // namespace
