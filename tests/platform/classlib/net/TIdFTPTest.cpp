// The FTP client component without a server: its published properties, and the commands it
// refuses before anything goes over the network.
#include <gtest/gtest.h>

#include "ClasslibCore.h"
#include "TIdFTP.h"
#include "TUnitList.h"
#include "TypInfo.h"

namespace {

class TIdFTPTest : public ::testing::Test {
protected:
  TIdFTPTest() : units({ClasslibCoreUnit}) { units.Initialize(); }
  ~TIdFTPTest() override { units.Finalize(); }
  TUnitList units;
};

TEST_F(TIdFTPTest, PublishedPropertiesRoundTripWithTheirDefaults) {
  TIdFTP ftp(nullptr);
  EXPECT_EQ(GetStrProp(&ftp, "Host"), "");
  EXPECT_EQ(GetOrdProp(&ftp, "Port"), 21);
  EXPECT_EQ(GetOrdProp(&ftp, "ConnectTimeout"), 15000);
  EXPECT_EQ(GetOrdProp(&ftp, "ReadTimeout"), 60000);
  for (const char* name : {"Host", "Username", "Password"}) {
    SetStrProp(&ftp, name, "\xd6\xd0 value");
    EXPECT_EQ(GetStrProp(&ftp, name), "\xd6\xd0 value") << name;
  }
  for (const char* name : {"Port", "ConnectTimeout", "ReadTimeout"}) {
    SetOrdProp(&ftp, name, 65535);
    EXPECT_EQ(GetOrdProp(&ftp, name), 65535) << name;
  }
  int connected = 0;
  SetPropValue(&ftp, "OnConnected", TPropValue(std::any(TNotifyEvent([&](TObject*) { ++connected; }))));
  ASSERT_TRUE(ftp.OnConnected);
  ftp.OnConnected(&ftp);
  EXPECT_EQ(connected, 1);
  for (const char* name : {"OnDisconnected", "OnWorkBegin", "OnWork", "OnWorkEnd"})
    EXPECT_TRUE(IsPublishedProp(&ftp, name)) << name;
}

TEST_F(TIdFTPTest, CommandsWithoutAConnectionRaise) {
  TIdFTP ftp(nullptr);
  EXPECT_FALSE(ftp.Connected());
  EXPECT_THROW(ftp.ChangeDir("/"), EIdFTPError);
  EXPECT_THROW(ftp.List(), EIdFTPError);
  EXPECT_THROW(ftp.Get("a", "/nonexistent/a", true, false), EIdFTPError);
  EXPECT_THROW(ftp.Put("/nonexistent/a", "a"), EIdFTPError);
  EXPECT_THROW(ftp.Delete("a"), EIdFTPError);
  EXPECT_THROW(ftp.Size("a"), EIdFTPError);
  EXPECT_TRUE(ftp.DirectoryListing().empty());
  // Disconnecting what is not connected is no event.
  int disconnected = 0;
  ftp.OnDisconnected = [&](TObject*) { ++disconnected; };
  ftp.Disconnect();
  EXPECT_EQ(disconnected, 0);
}

TEST_F(TIdFTPTest, ConnectRefusesAnEmptyHostAndPortsOutOfRange) {
  TIdFTP ftp(nullptr);
  int connected = 0;
  ftp.OnConnected = [&](TObject*) { ++connected; };
  try {
    ftp.Connect();
    FAIL() << "an empty host was taken";
  } catch (const EIdFTPError& e) {
    EXPECT_EQ(e.Message(), "No host name given.");
  }
  ftp.SetHost("127.0.0.1");
  for (int port : {0, -1, 65536}) {
    ftp.SetPort(port);
    try {
      ftp.Connect();
      FAIL() << "port " << port << " was taken";
    } catch (const EIdFTPError& e) {
      EXPECT_EQ(e.Message(), "Invalid port number: " + std::to_string(port));
    }
  }
  EXPECT_EQ(connected, 0);
  EXPECT_FALSE(ftp.Connected());
}

TEST_F(TIdFTPTest, HostNamesThatWouldChangeTheAddressAreRefused) {
  TIdFTP ftp(nullptr);
  for (const char* host : {"user@host", "host/path", "a b", "host\r\nUSER x", "host?x", "ho\\st"}) {
    ftp.SetHost(host);
    EXPECT_THROW(ftp.Connect(), EIdFTPError) << host;
  }
}

}  // namespace

namespace {

TEST_F(TIdFTPTest, LocalFileNamesFromTheServerAreCheckedForWaysOutOfTheFolder) {
  for (const char* name : {"CBSJ.DBF", "a b.txt", ".profile", "\xb3\xad\xb1\xed.txt", "\x81\x5c.txt"})
    EXPECT_NO_THROW(CheckLocalFileName(name)) << name;
  for (const std::string& name : {std::string(""), std::string(".."), std::string("../x"), std::string("a/b"),
                                  std::string("..\\x"), std::string("a\\b"), std::string("x..y"),
                                  std::string("tab\there"), std::string("nul\0x", 5), std::string("\x81/x")}) {
    try {
      CheckLocalFileName(name);
      ADD_FAILURE() << "taken: " << name;
    } catch (const EIdFTPError& e) {
      EXPECT_FALSE(e.Message().empty());
    }
  }
}

}  // namespace
