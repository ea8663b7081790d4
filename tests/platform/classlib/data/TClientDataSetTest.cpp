#include <gtest/gtest.h>

#include "RowsDataSet.h"
#include "TClientDataSet.h"
#include "TDataSetProvider.h"
#include "TDataSource.h"
#include "TypInfo.h"

namespace {

std::unique_ptr<TRowsDataSet> meters() {
  return std::make_unique<TRowsDataSet>(
      std::vector<TDbColumn>{Column("METER", ftString, 10), Column("READING", ftFloat), Column("READ_ON", ftDate)},
      std::vector<std::vector<Variant>>{{Variant("A-1"), Variant(12.5), Variant::FromDateTime(45000)},
                                        {Variant("A-2"), Variant::Null(), Variant::FromDateTime(45001)},
                                        {Variant("A-3"), Variant(7.0), Variant::Null()}});
}

TEST(TClientDataSetTest, ProviderDataCopiesTheWholeDataSet) {
  auto source = meters();
  TDataSetProvider provider(nullptr);
  provider.SetDataSet(source.get());
  TClientDataSet client(nullptr);
  client.SetData(provider.Data());

  ASSERT_TRUE(client.Active());
  EXPECT_EQ(client.RecordCount(), 3);
  ASSERT_EQ(client.FieldCount(), 3);
  EXPECT_EQ(client.FieldByName("METER")->DataType(), ftString);
  EXPECT_EQ(client.FieldByName("METER")->Size(), 10);
  EXPECT_EQ(client.FieldByName("READ_ON")->DataType(), ftDate);
  std::vector<AnsiString> texts;
  for (client.First(); !client.Eof(); client.Next())
    texts.push_back(client.FieldByName("METER")->AsString() + "=" + client.FieldByName("READING")->AsString());
  EXPECT_EQ(texts, (std::vector<AnsiString>{"A-1=12.5", "A-2=", "A-3=7"}));
  EXPECT_TRUE(client.FieldByName("READ_ON")->IsNull());
  // The closed source was opened for the copy and closed again.
  EXPECT_FALSE(source->Active());
}

TEST(TClientDataSetTest, ProviderLeavesAnOpenSourceOnItsRecordWithControlsEnabled) {
  auto source = meters();
  source->Open();
  source->Next();
  TDataSetProvider provider(nullptr);
  provider.SetDataSet(source.get());
  TDataPacket packet = provider.Data();
  EXPECT_EQ(packet.RecordCount(), 3);
  EXPECT_TRUE(source->Active());
  EXPECT_EQ(source->FieldByName("METER")->AsString(), "A-2");
  EXPECT_FALSE(source->ControlsDisabled());
}

TEST(TClientDataSetTest, ProviderWithoutDataSetSaysSo) {
  TDataSetProvider provider(nullptr);
  provider.SetName("DataSetProvider1");
  try {
    provider.Data();
    FAIL();
  } catch (const EDatabaseError& e) {
    EXPECT_EQ(e.Message(), "DataSetProvider1: Missing DataSet property");
  }
  auto source = meters();
  provider.SetDataSet(source.get());
  source.reset();
  EXPECT_EQ(provider.DataSet(), nullptr);
}

TEST(TClientDataSetTest, ClosingDiscardsTheDataAndNewDataReplacesIt) {
  TClientDataSet client(nullptr);
  EXPECT_THROW(client.Open(), EDatabaseError);
  EXPECT_THROW(client.CreateDataSet(), EDatabaseError);
  client.FieldDefs()->Add("ID", ftInteger);
  client.CreateDataSet();
  EXPECT_TRUE(client.Active());
  EXPECT_TRUE(client.IsEmpty());
  client.Close();
  EXPECT_THROW(client.SetActive(true), EDatabaseError);

  TDataPacket packet({Column("X", ftInteger)});
  packet.AppendRecord({Variant(5)});
  client.SetData(std::move(packet));
  EXPECT_EQ(client.FieldByName("X")->AsInteger(), 5);
  EXPECT_EQ(client.FindField("ID"), nullptr);
}

TEST(TClientDataSetTest, PublishedPropertiesRoundTrip) {
  TClientDataSet client(nullptr);
  client.FieldDefs()->Add("ID", ftInteger);
  SetOrdProp(&client, "Active", 0);
  EXPECT_FALSE(client.Active());
  TDataSetProvider provider(nullptr);
  SetObjectProp(&provider, "DataSet", &client);
  EXPECT_EQ(GetObjectProp(&provider, "DataSet"), &client);
  TDataSource source(nullptr);
  SetObjectProp(&source, "DataSet", &client);
  EXPECT_EQ(source.DataSet(), &client);
}

}  // namespace
