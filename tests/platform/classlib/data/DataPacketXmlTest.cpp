#include "DataPacketXml.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdio>
#include <fstream>
#include <sstream>

#include "../core/TempFolder.h"
#include "CodePage.h"
#include "DateRoutines.h"
#include "RowsDataSet.h"
#include "TClientDataSet.h"
#include "TMemoryStream.h"

namespace {

TDbColumn column(const char* name, TFieldType type, int size = 0) {
  TDbColumn c = Column(name, type, size);
  return c;
}

// Every field type the packets carry, with values at their edges, and a row of nulls.
TDataPacket everything() {
  std::vector<TDbColumn> columns{
      column("SI", ftSmallint), column("I", ftInteger), column("W", ftWord), column("AI", ftAutoInc),
      column("L", ftLargeint), column("F", ftFloat), column("C", ftCurrency), column("N", ftBCD),
      column("D", ftDate), column("T", ftTime), column("DT", ftDateTime), column("TS", ftTimeStamp),
      column("B", ftBoolean), column(WideToAnsi(u"表 名").c_str(), ftString, 30), column("F\"C\r\n2", ftFixedChar, 4),
      column("WS", ftWideString, 30), column("G", ftGuid, 38), column("M", ftMemo), column("WM", ftWideMemo),
      column("BL", ftBlob), column("BY", ftBytes, 4)};
  columns[7].Precision = 19;
  columns[7].Scale = 4;
  columns[13].Required = true;
  TDataPacket packet(columns);
  packet.AppendRecord({Variant(-32768), Variant(INT32_MIN), Variant(65535), Variant(INT32_MAX),
                       Variant(static_cast<long long>(INT64_MIN)), Variant(0.1),
                       Variant(Currency::FromScaled(INT64_MIN)), Variant(Currency::FromScaled(-5)),
                       Variant::FromDateTime(EncodeDate(1850, 6, 1)), Variant::FromDateTime(EncodeTime(23, 59, 59, 999)),
                       Variant::FromDateTime(EncodeDate(2024, 2, 29) + EncodeTime(13, 45, 30, 7)),
                       // finer than a millisecond: carried exactly as well
                       Variant::FromDateTime(45351.123456789012),
                       Variant(true), Variant(WideToAnsi(u"  抄表 <&> \"x\"\r\n\t")), Variant("AB"),
                       Variant(u"宽😀 text"), Variant("{8E1D6A3F-0C2B-4E5A-9F71-3B2A1C0D9E8F}"),
                       Variant(std::string("ctl\x01\x02 bytes \xFF\xFE", 15)),
                       Variant(std::u16string(u"lone \xD800 surrogate")), Variant(std::string("\0\x01\x80\xFF", 4)),
                       Variant(std::string("\x00\x00", 2))});
  packet.AppendRecord(std::vector<Variant>(columns.size(), Variant::Null()));
  std::vector<Variant> empties(columns.size(), Variant::Null());
  empties[13] = Variant("");
  empties[15] = Variant(u"");
  empties[5] = Variant(std::numeric_limits<double>::quiet_NaN());
  empties[6] = Variant(Currency::FromScaled(INT64_MAX));
  empties[4] = Variant(static_cast<long long>(INT64_MAX));
  empties[10] = Variant::FromDateTime(-1.25);
  packet.AppendRecord(empties);
  return packet;
}

bool sameValue(const Variant& a, const Variant& b) {
  if (a.VarType() != b.VarType()) return false;
  if (a.VarType() == varDouble && std::isnan(a.AsFloat())) return std::isnan(b.AsFloat());
  if (a.VarType() == varDate || a.VarType() == varDouble) return a.AsFloat() == b.AsFloat();
  return a == b;
}

std::string xmlOf(const TDataPacket& packet) {
  TMemoryStream stream;
  WriteDataPacketXml(packet, &stream);
  return std::string(stream.Memory(), static_cast<std::size_t>(stream.Size()));
}

TDataPacket packetOf(const std::string& xml, const AnsiString& source = {}) {
  TMemoryStream stream;
  stream.WriteBuffer(xml.data(), static_cast<std::int64_t>(xml.size()));
  stream.SetPosition(0);
  return ReadDataPacketXml(&stream, source);
}

std::string run(const std::string& command) {
  std::string out;
  FILE* pipe = popen(command.c_str(), "r");
  if (pipe == nullptr) return out;
  char buffer[4096];
  while (std::size_t n = fread(buffer, 1, sizeof buffer, pipe)) out.append(buffer, n);
  pclose(pipe);
  return out;
}

}  // namespace

TEST(DataPacketXmlTest, EveryFieldTypeAndNullRoundTripsExactly) {
  TDataPacket original = everything();
  TDataPacket back = packetOf(xmlOf(original));
  ASSERT_EQ(back.Columns().size(), original.Columns().size());
  for (std::size_t c = 0; c < original.Columns().size(); ++c) {
    SCOPED_TRACE(original.Columns()[c].Name);
    EXPECT_EQ(back.Columns()[c].Name, original.Columns()[c].Name);
    EXPECT_EQ(back.Columns()[c].DataType, original.Columns()[c].DataType);
    EXPECT_EQ(back.Columns()[c].Size, original.Columns()[c].Size);
    EXPECT_EQ(back.Columns()[c].Precision, original.Columns()[c].Precision);
    EXPECT_EQ(back.Columns()[c].Scale, original.Columns()[c].Scale);
    EXPECT_EQ(back.Columns()[c].Required, original.Columns()[c].Required);
  }
  ASSERT_EQ(back.RecordCount(), original.RecordCount());
  std::vector<Variant> a, b;
  for (std::int64_t r = 0; r < original.RecordCount(); ++r) {
    original.ReadRecord(r, a);
    back.ReadRecord(r, b);
    for (std::size_t c = 0; c < a.size(); ++c) {
      SCOPED_TRACE("row " + std::to_string(r) + " " + original.Columns()[c].Name);
      EXPECT_TRUE(sameValue(a[c], b[c])) << VarToStr(a[c]) << " / " << VarToStr(b[c]);
    }
  }
  // What was written the second time is what was read.
  EXPECT_EQ(xmlOf(back), xmlOf(original));
}

TEST(DataPacketXmlTest, ValuesAreReadableTextWhereTheyCanBe) {
  const std::string xml = xmlOf(everything());
  EXPECT_NE(xml.find("<FIELD Name=\"表 名\" Type=\"String\" Size=\"30\" Required=\"true\"/>"), std::string::npos) << xml;
  EXPECT_NE(xml.find("<V>  抄表 &lt;&amp;&gt; \"x\"&#13;\n\t</V>"), std::string::npos);
  EXPECT_NE(xml.find("<V>1850-06-01</V>"), std::string::npos);
  EXPECT_NE(xml.find("<V>23:59:59.999</V>"), std::string::npos);
  EXPECT_NE(xml.find("<V>2024-02-29T13:45:30.007</V>"), std::string::npos);
  EXPECT_NE(xml.find("<V>-922337203685477.5808</V>"), std::string::npos);
  EXPECT_NE(xml.find("<V>0.1</V><V>"), std::string::npos);
  EXPECT_NE(xml.find("<V>宽😀 text</V>"), std::string::npos);
  EXPECT_NE(xml.find("<V null=\"true\"/>"), std::string::npos);
  EXPECT_NE(xml.find("<V enc=\"base64\">AAGA/w==</V>"), std::string::npos);
}

TEST(DataPacketXmlTest, AnIndependentXmlReaderSeesFieldsNullsAndText) {
  TempFolder folder;
  const std::string file = folder.prefix() + "packet.xml";
  std::ofstream(file, std::ios::binary) << xmlOf(everything());
  const std::string script = folder.prefix() + "read.py";
  std::ofstream(script) << "import sys, base64, xml.etree.ElementTree as ET\n"
                           "root = ET.parse(sys.argv[1]).getroot()\n"
                           "fields = root.findall('METADATA/FIELDS/FIELD')\n"
                           "rows = root.findall('ROWDATA/ROW')\n"
                           "print(len(fields), fields[13].get('Name'), len(rows))\n"
                           "print(repr(rows[0][13].text), rows[0][15].text)\n"
                           "print(base64.b64decode(rows[0][19].text) == b'\\x00\\x01\\x80\\xff', rows[1][2].get('null'))\n";
  EXPECT_EQ(run("/usr/bin/python3 " + script + " " + file + " 2>&1"),
            "21 表 名 3\n'  抄表 <&> \"x\"\\r\\n\\t' 宽😀 text\nTrue true\n");
}

TEST(DataPacketXmlTest, HandWrittenPacketLoadsIntoAClientDataSet) {
  const std::string xml =
      "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
      "<!-- written by hand -->\n"
      "<DATAPACKET Version=\"1\">\n"
      " <METADATA><FIELDS>\n"
      "  <FIELD Name=\"METER\" Type=\"String\" Size=\"20\"/>\n"
      "  <FIELD Name=\"READING\" Type=\"Float\"/>\n"
      "  <FIELD Name=\"READ_ON\" Type=\"DateTime\"/>\n"
      " </FIELDS></METADATA>\n"
      " <ROWDATA>\n"
      "  <ROW><V>A-1</V><V>12.5</V><V>2024-02-29T13:45:30</V></ROW>\n"
      "  <ROW>\n   <V>A-2</V>\n   <V null=\"true\"/>\n   <V>2024-03-01</V>\n  </ROW>\n"
      " </ROWDATA>\n"
      "</DATAPACKET>\n";
  TMemoryStream stream;
  stream.WriteBuffer(xml.data(), static_cast<std::int64_t>(xml.size()));
  stream.SetPosition(0);
  TClientDataSet data(nullptr);
  data.LoadFromStream(&stream);
  EXPECT_EQ(data.RecordCount(), 2);
  EXPECT_EQ(data.FieldByName("READING")->AsFloat(), 12.5);
  EXPECT_DOUBLE_EQ(data.FieldByName("READ_ON")->AsDateTime(), EncodeDate(2024, 2, 29) + EncodeTime(13, 45, 30, 0));
  data.Next();
  EXPECT_TRUE(data.FieldByName("READING")->IsNull());
}

TEST(DataPacketXmlTest, ClientDataSetSavesAndLoadsAFile) {
  TempFolder folder;
  const AnsiString file = folder.prefix() + "meters.xml";
  TClientDataSet data(nullptr);
  EXPECT_THROW(data.SaveToFile(file), EDatabaseError);
  data.SetData(everything());
  data.SaveToFile(file);
  TClientDataSet again(nullptr);
  again.LoadFromFile(file);
  EXPECT_EQ(again.RecordCount(), 3);
  EXPECT_EQ(again.FieldByName("WS")->AsWideString(), u"宽😀 text");
}

struct BadPacketRow {
  const char* name;
  std::string xml;
  const char* reason;
};

class BadPacketTest : public ::testing::TestWithParam<BadPacketRow> {};

TEST_P(BadPacketTest, IsRefusedWithTheFileNameAndTheReason) {
  try {
    packetOf(GetParam().xml, "/tmp/in.xml");
    FAIL() << "read";
  } catch (const EDatabaseError& e) {
    EXPECT_EQ(e.Message().rfind("/tmp/in.xml: ", 0), 0u) << e.Message();
    EXPECT_NE(e.Message().find(GetParam().reason), std::string::npos) << e.Message();
  }
}

namespace {
std::string packet(const std::string& fields, const std::string& rows) {
  return "<DATAPACKET Version=\"1\"><METADATA><FIELDS>" + fields + "</FIELDS></METADATA><ROWDATA>" + rows +
         "</ROWDATA></DATAPACKET>";
}
const std::string idField = "<FIELD Name=\"ID\" Type=\"Integer\"/>";
}  // namespace

INSTANTIATE_TEST_SUITE_P(
    Packets, BadPacketTest,
    ::testing::Values(
        BadPacketRow{"Empty", "", "not a data packet"},
        BadPacketRow{"NotXml", "id,name\n1,a\n", "not a data packet"},
        BadPacketRow{"Truncated", packet(idField, "<ROW><V>1</V></ROW>").substr(0, 90), "not a data packet"},
        BadPacketRow{"OtherRoot", "<html/>", "<DATAPACKET> expected"},
        BadPacketRow{"EntityBomb",
                     "<!DOCTYPE d [<!ENTITY a \"aaaa\"><!ENTITY b \"&a;&a;&a;&a;\">]>" + packet(idField, "<ROW><V>&b;</V></ROW>"),
                     "document type declaration"},
        BadPacketRow{"OtherVersion", "<DATAPACKET Version=\"2\"/>", "version"},
        BadPacketRow{"UnknownType", packet("<FIELD Name=\"X\" Type=\"Shape\"/>", ""), "unknown field type 'Shape'"},
        BadPacketRow{"NegativeSize", packet("<FIELD Name=\"X\" Type=\"String\" Size=\"-1\"/>", ""), "invalid Size"},
        BadPacketRow{"HugeSize", packet("<FIELD Name=\"X\" Type=\"String\" Size=\"99999999999\"/>", ""), "invalid Size"},
        BadPacketRow{"NoName", packet("<FIELD Type=\"String\"/>", ""), "without a name"},
        BadPacketRow{"FewerValues", packet(idField + idField, "<ROW><V>1</V></ROW>"), "row 1: fewer values"},
        BadPacketRow{"MoreValues", packet(idField, "<ROW><V>1</V><V>2</V></ROW>"), "more values"},
        BadPacketRow{"NotANumber", packet(idField, "<ROW><V>1</V></ROW><ROW><V>x1</V></ROW>"),
                     "row 2: invalid value for field 'ID': 'x1'"},
        BadPacketRow{"TooLarge", packet(idField, "<ROW><V>2147483648</V></ROW>"), "invalid value"},
        BadPacketRow{"BadDate", packet("<FIELD Name=\"D\" Type=\"Date\"/>", "<ROW><V>2023-02-29</V></ROW>"),
                     "invalid value"},
        BadPacketRow{"BadBase64", packet("<FIELD Name=\"B\" Type=\"Blob\"/>", "<ROW><V enc=\"base64\">@@</V></ROW>"),
                     "invalid value"},
        BadPacketRow{"OddWideBytes",
                     packet("<FIELD Name=\"W\" Type=\"WideString\"/>", "<ROW><V enc=\"base64\">QUJD</V></ROW>"),
                     "invalid value"},
        BadPacketRow{"AmountTooLarge", packet("<FIELD Name=\"C\" Type=\"Currency\"/>", "<ROW><V>922337203685478</V></ROW>"),
                     "invalid value"},
        BadPacketRow{"ElementInValue", packet(idField, "<ROW><V><b>1</b></V></ROW>"), "an element inside a value"},
        BadPacketRow{"TextInRow", packet(idField, "<ROW>1</ROW>"), "text outside a value"},
        BadPacketRow{"TrailingElement", packet(idField, "") + "<x/>", "not a data packet"}),
    [](const ::testing::TestParamInfo<BadPacketRow>& info) { return std::string(info.param.name); });

TEST(DataPacketXmlTest, AFailedLoadLeavesTheDataSetAsItWas) {
  TClientDataSet data(nullptr);
  data.SetData(everything());
  TMemoryStream bad;
  bad.WriteBuffer("<DATAPACKET", 11);
  bad.SetPosition(0);
  EXPECT_THROW(data.LoadFromStream(&bad), EDatabaseError);
  EXPECT_TRUE(data.Active());
  EXPECT_EQ(data.RecordCount(), 3);
}
