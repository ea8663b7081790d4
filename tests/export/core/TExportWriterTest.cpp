#include "TExportWriter.h"

#include <gtest/gtest.h>

#include "TDataExport.h"
#include "TMemoryStream.h"

namespace {

// The bytes one Write of Text (and, with Signature, the mark before it) puts into a stream.
std::string bytesOf(int Encoding, const WideString& Text, bool Signature = false) {
  TDataExport owner(nullptr);
  owner.SetEncoding(static_cast<std::uint8_t>(Encoding));
  TMemoryStream stream;
  TExportWriter writer(&owner, &stream);
  if (Signature) writer.WriteSignature();
  writer.Write(Text);
  return std::string(stream.Memory(), static_cast<std::size_t>(stream.Size()));
}

std::string bytes(std::initializer_list<int> values) {
  std::string s;
  for (int v : values) s += static_cast<char>(v);
  return s;
}

}  // namespace

TEST(TExportWriterTest, EachEncodingWritesItsBytes) {
  const WideString text = u"A抄";
  EXPECT_EQ(bytesOf(0, text), "A\xb3\xad");  // GBK
  EXPECT_EQ(bytesOf(1, text), "A\xb3\xad");  // the OEM page of a Chinese system is GBK too
  EXPECT_EQ(bytesOf(2, u"A"), "A");
  EXPECT_EQ(bytesOf(3, text), "A\xe6\x8a\x84");
  EXPECT_EQ(bytesOf(4, text), bytes({0x41, 0x00, 0x84, 0x62}));
  EXPECT_EQ(bytesOf(5, u"AB"), bytes({0x41, 0, 0, 0, 0x42, 0, 0, 0}));
}

TEST(TExportWriterTest, SignaturesPrecedeTheTextOnlyForTheUnicodeEncodings) {
  EXPECT_EQ(bytesOf(0, u"A", true), "A");
  EXPECT_EQ(bytesOf(1, u"A", true), "A");
  EXPECT_EQ(bytesOf(2, u"A", true), "A");
  EXPECT_EQ(bytesOf(3, u"A", true), "\xef\xbb\xbf" "A");
  EXPECT_EQ(bytesOf(4, u"A", true), bytes({0xff, 0xfe, 0x41, 0x00}));
  EXPECT_EQ(bytesOf(5, u"A", true), bytes({0xff, 0xfe, 0, 0, 0x41, 0, 0, 0}));
}

TEST(TExportWriterTest, ACharacterOutsideTheBasicPlaneIsOneUcs4Unit) {
  const WideString text = u"\U0001F600x";  // a surrogate pair and a letter
  EXPECT_EQ(bytesOf(5, text), bytes({0x00, 0xf6, 0x01, 0x00, 0x78, 0, 0, 0}));
  EXPECT_EQ(bytesOf(4, text), bytes({0x3d, 0xd8, 0x00, 0xde, 0x78, 0x00}));
  EXPECT_EQ(bytesOf(3, text), "\xf0\x9f\x98\x80x");
  // A lone surrogate is no character: it becomes U+FFFD.
  EXPECT_EQ(bytesOf(5, WideString(1, char16_t(0xD800))), bytes({0xfd, 0xff, 0, 0}));
  EXPECT_EQ(bytesOf(3, WideString(1, char16_t(0xDC00))), "\xef\xbf\xbd");
}

TEST(TExportWriterTest, NothingIsWrittenForAnEmptyTextOrWithoutOwnerOrStream) {
  EXPECT_EQ(bytesOf(5, u""), "");
  TMemoryStream stream;
  TExportWriter orphan(nullptr, &stream);
  orphan.WriteLn(u"x");
  orphan.WriteSignature();
  EXPECT_EQ(stream.Size(), 0);
  TDataExport owner(nullptr);
  TExportWriter database(&owner, nullptr);
  database.WriteLn(u"x");  // no stream to write to: nothing happens
}

TEST(TExportWriterTest, LineHelpersEndWithCrLf) {
  TDataExport owner(nullptr);
  TMemoryStream stream;
  TExportWriter writer(&owner, &stream);
  writer.WriteLn(u"ab");
  writer.EmptyLine();
  writer.CharLine(u'-', 3);
  EXPECT_EQ(std::string(stream.Memory(), static_cast<std::size_t>(stream.Size())), "ab\r\n\r\n---\r\n");
}

TEST(TExportWriterTest, PaddingCutsOrFills) {
  EXPECT_EQ(TExportWriter::PadCenter(u"ab", u'*', 5), u"*ab**");
  EXPECT_EQ(TExportWriter::PadLeft(u"abcdef", u' ', 3), u"abc");
  EXPECT_EQ(TExportWriter::PadLeft(u"ab", u'0', 4), u"00ab");
  EXPECT_EQ(TExportWriter::PadRight(u"ab", u'.', 4), u"ab..");
  EXPECT_EQ(TExportWriter::PadRight(u"abc", u'.', 3), u"abc");
  EXPECT_EQ(TExportWriter::PadCenter(u"abcdef", u' ', 2), u"ab");
  EXPECT_EQ(TExportWriter::PadLeft(u"ab", u' ', -1), u"");
}

TEST(TExportWriterTest, AlignmentNames) {
  TExportWriter writer(nullptr, nullptr);
  EXPECT_EQ(writer.AlignToStr(0), "Left alignment");
  EXPECT_EQ(writer.AlignToStr(1), "Center alignment");
  EXPECT_EQ(writer.AlignToStr(2), "Right alignment");
  EXPECT_EQ(writer.AlignToStr(3), "Unknown alignment");
}
