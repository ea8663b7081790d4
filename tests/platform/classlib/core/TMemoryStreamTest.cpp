#include "TMemoryStream.h"

#include <gtest/gtest.h>

#include <string>

#include "Exception.h"

TEST(TMemoryStreamTest, WriteThenReadBack) {
  TMemoryStream s;
  s.WriteBuffer("hello", 5);
  EXPECT_EQ(s.Size(), 5);
  EXPECT_EQ(s.Position(), 5);
  s.SetPosition(1);
  char buf[8] = {};
  EXPECT_EQ(s.Read(buf, 8), 4);  // only what is there
  EXPECT_EQ(std::string(buf), "ello");
  EXPECT_EQ(s.Read(buf, 8), 0);
}

TEST(TMemoryStreamTest, ReadBufferPastTheEndRaises) {
  TMemoryStream s;
  s.WriteBuffer("ab", 2);
  s.SetPosition(0);
  char buf[3];
  EXPECT_THROW(s.ReadBuffer(buf, 3), EReadError);
}

TEST(TMemoryStreamTest, WritingAfterAGapFillsItWithZeros) {
  TMemoryStream s;
  s.Seek(3, TSeekOrigin::soBeginning);
  s.WriteBuffer("x", 1);
  ASSERT_EQ(s.Size(), 4);
  EXPECT_EQ(std::string(s.Memory(), 4), std::string("\0\0\0x", 4));
  EXPECT_THROW(s.Seek(-10, TSeekOrigin::soCurrent), EStreamError);
}

TEST(TMemoryStreamTest, CopyFromAnotherStream) {
  TMemoryStream a, b;
  a.WriteBuffer("0123456789", 10);
  a.SetPosition(2);
  EXPECT_EQ(b.CopyFrom(&a, 3), 3);
  EXPECT_EQ(std::string(b.Memory(), 3), "234");
  b.Clear();
  EXPECT_EQ(b.CopyFrom(&a, 0), 10);  // 0 copies the whole source
  EXPECT_EQ(std::string(b.Memory(), 10), "0123456789");
}
