// An XML data packet as a client data set loads it: a packet either reads or is refused with
// EDatabaseError (any other exception is a fault), and one that reads is written and read
// again to the same packet: writing what was read, twice, gives the same bytes.
#include <cstdint>
#include <cstring>

#include "CodePage.h"
#include "DataPacketXml.h"
#include "FuzzCheck.h"
#include "TMemoryStream.h"

namespace {

std::string written(const TDataPacket& Packet) {
  TMemoryStream out;
  WriteDataPacketXml(Packet, &out);
  return std::string(out.Memory(), static_cast<std::size_t>(out.Size()));
}

TDataPacket readBack(const std::string& Xml) {
  TMemoryStream in;
  in.WriteBuffer(Xml.data(), static_cast<std::int64_t>(Xml.size()));
  in.SetPosition(0);
  return ReadDataPacketXml(&in);
}

}  // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***) {
  SetACP(936);
  return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* Data, std::size_t Size) {
  TMemoryStream in;
  in.WriteBuffer(Data, static_cast<std::int64_t>(Size));
  in.SetPosition(0);
  TDataPacket packet;
  try {
    packet = ReadDataPacketXml(&in, "fuzz.xml");
  } catch (const EDatabaseError&) {
    return 0;
  }
  const std::string first = written(packet);
  TDataPacket again;
  try {
    again = readBack(first);
  } catch (const EDatabaseError&) {
    FUZZ_CHECK(false, "a packet that was written reads back");
  }
  FUZZ_CHECK(again.RecordCount() == packet.RecordCount(), "the records read back");
  FUZZ_CHECK(written(again) == first, "writing what was read gives the same packet");
  return 0;
}
