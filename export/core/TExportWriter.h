// TExportWriter: puts an exporter's text into its output stream in the exporter's Encoding.
//
//   Encoding  bytes of one Write
//   0         the ANSI code page
//   1         the OEM code page
//   2         the Macintosh code page
//   3         UTF-8
//   4         UTF-16 little-endian, 2 bytes per code unit
//   5         UCS-4 little-endian, 4 bytes per character (a surrogate pair is one character)
// Characters a code page lacks become its substitute character; a lone surrogate becomes
// U+FFFD in UTF-8 and UCS-4. An empty text, a writer without owner and a writer without
// stream (database exporters) write nothing. WriteSignature writes the byte-order mark of
// encodings 3 to 5 (EF BB BF, FF FE, FF FE 00 00); the writer never writes one by itself.
//
// The padding helpers only build text: PadLeft right-justifies Text in Width characters with
// Ch in front, PadRight left-justifies it, PadCenter puts (Width - length) / 2 in front and the
// rest behind; a text longer than Width is cut to its first Width characters.
//
// The owner and the stream belong to the caller; a writer lives for one export
// (TDataExport::ExportToStream). A descendant that writes to the stream itself goes through
// Stream().
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

#include "TObject.h"

class TDataExport;
class TExportWriter;
class TStream;

// Creates writers of one class for ExportToStream.
struct TExportWriterClass {
  const TClassInfo* Info;
  TExportWriter* (*Create)(TDataExport* Owner, TStream* Stream);
};

template <class T>
TExportWriterClass ExportWriterClass() {
  return {&T::StaticClass(), [](TDataExport* owner, TStream* stream) -> TExportWriter* { return new T(owner, stream); }};
}

class TExportWriter : public TObject {
  DECLARE_CLASS(TExportWriter, TObject)

  TExportWriter(TDataExport* Owner, TStream* Stream);

  virtual void Write(const WideString& Text);
  // "Left alignment" (0), "Center alignment" (1), "Right alignment" (2), else
  // "Unknown alignment".
  virtual AnsiString AlignToStr(int Align) const;
  // Called by TDataExport::ExportToStream once the export has run to its end (also when it was
  // aborted), before the writer is freed; never after an export that raised. A writer that
  // keeps files of its own besides the stream completes them here. Base: nothing.
  virtual void Finish();

  // Text and CR LF in one Write.
  void WriteLn(const WideString& Text);
  void EmptyLine();
  // Count copies of Ch and CR LF.
  void CharLine(char16_t Ch, int Count);
  void WriteSignature();

  static WideString PadLeft(const WideString& Text, char16_t Ch, int Width);
  static WideString PadRight(const WideString& Text, char16_t Ch, int Width);
  static WideString PadCenter(const WideString& Text, char16_t Ch, int Width);

  TDataExport* Owner() const { return owner_; }
  TStream* Stream() const { return stream_; }

protected:
  // Writes Count bytes to the stream; nothing without one.
  void WriteBytes(const void* Buffer, std::size_t Count);

private:
  TDataExport* owner_;
  TStream* stream_;
  std::string bytes_;  // the last Write's encoded text, kept to reuse its storage
};

// Text in one of the six encodings above, appended to Out.
void EncodeExportText(std::u16string_view Text, int Encoding, std::string& Out);
// The byte-order mark of an encoding ("" for 0 to 2).
std::string_view ExportSignature(int Encoding);
