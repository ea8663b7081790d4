#include "CompoundFile.h"

#include <gsf/gsf.h>

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <filesystem>
#include <mutex>
#include <utility>

#include "CodePage.h"
#include "FileDescriptor.h"
#include "FileReplace.h"
#include "SysPath.h"

namespace {

constexpr std::string_view CompoundSignature{"\xD0\xCF\x11\xE0\xA1\xB1\x1A\xE1", 8};

AnsiString systemReason(int error) { return Utf8ToAnsi(std::strerror(error)); }

AnsiString gsfReason(GError* error, const char* fallback) {
  AnsiString text = Utf8ToAnsi(error != nullptr && error->message != nullptr ? error->message : fallback);
  if (error != nullptr) g_error_free(error);
  return text;
}

[[noreturn]] void fail(const AnsiString& what, const AnsiString& fileName, const AnsiString& reason) {
  throw EOleStorageError(what + " \"" + fileName + "\". " + reason, reason);
}

void initGsf() {
  static std::once_flag once;
  std::call_once(once, [] { gsf_init(); });
}

// Owns one GObject reference.
template <class T>
struct TGObject {
  T* p = nullptr;
  TGObject() = default;
  explicit TGObject(T* object) : p(object) {}
  ~TGObject() {
    if (p != nullptr) g_object_unref(p);
  }
  TGObject(const TGObject&) = delete;
  TGObject& operator=(const TGObject&) = delete;
};

}  // namespace

struct TCompoundFileWriter::Data {
  std::filesystem::path target;
  std::filesystem::path part;
  int fd = -1;  // the part file; -1 once renamed or removed
  TGObject<GsfOutput> memory;
  TGObject<GsfOutfile> document;
  bool committed = false;

  void discard() { DiscardReplacingPart(std::exchange(fd, -1), part); }
};

TCompoundFileWriter::TCompoundFileWriter(const AnsiString& FileName) : fileName_(FileName), d_(std::make_unique<Data>()) {
  initGsf();
  d_->fd = OpenReplacingPart(FileName.empty() ? std::filesystem::path() : ToSysPath(FileName), d_->target, d_->part);
  if (d_->fd < 0) fail("Cannot create file", FileName, systemReason(errno));
  d_->memory.p = gsf_output_memory_new();
  d_->document.p = gsf_outfile_msole_new(d_->memory.p);
  if (d_->document.p == nullptr) {
    d_->discard();
    fail("Cannot create file", FileName, "The compound document cannot be started.");
  }
}

TCompoundFileWriter::~TCompoundFileWriter() {
  if (d_->document.p != nullptr && !gsf_output_is_closed(GSF_OUTPUT(d_->document.p)))
    gsf_output_close(GSF_OUTPUT(d_->document.p));
  d_->discard();
}

void TCompoundFileWriter::WriteStream(const WideString& Name, const void* Data, std::size_t Size) {
  if (d_->committed) fail("Cannot write file", fileName_, "The document is already complete.");
  const std::string name = WideToUtf8(Name);
  TGObject<GsfOutput> child(gsf_outfile_new_child(d_->document.p, name.c_str(), FALSE));
  if (child.p == nullptr) fail("Cannot write file", fileName_, "The stream " + WideToAnsi(Name) + " cannot be created.");
  const auto* bytes = static_cast<const guint8*>(Data);
  // gsf_output_write takes at most a gsize at a time; keep the pieces moderate.
  constexpr std::size_t kPiece = std::size_t{1} << 24;
  for (std::size_t done = 0; done < Size;) {
    const std::size_t n = std::min(kPiece, Size - done);
    if (!gsf_output_write(child.p, n, bytes + done)) {
      const GError* error = gsf_output_error(child.p);
      fail("Cannot write file", fileName_, Utf8ToAnsi(error != nullptr ? error->message : "Stream write error"));
    }
    done += n;
  }
  if (!gsf_output_close(child.p)) fail("Cannot write file", fileName_, "The stream cannot be closed.");
}

void TCompoundFileWriter::Commit() {
  if (d_->committed) return;
  if (!gsf_output_close(GSF_OUTPUT(d_->document.p)))
    fail("Cannot write file", fileName_, "The compound document cannot be completed.");
  // Closing the document closes its sink as well.
  if (!gsf_output_is_closed(d_->memory.p)) gsf_output_close(d_->memory.p);
  const guint8* bytes = gsf_output_memory_get_bytes(GSF_OUTPUT_MEMORY(d_->memory.p));
  const auto size = static_cast<std::size_t>(gsf_output_size(d_->memory.p));
  if (WriteDescriptor(d_->fd, bytes, size) != size) {
    const int error = errno;
    d_->discard();
    fail("Cannot write file", fileName_, systemReason(error));
  }
  if (!CommitReplacingPart(std::exchange(d_->fd, -1), d_->part, d_->target))
    fail("Cannot create file", fileName_, systemReason(errno));
  d_->committed = true;
}

struct TCompoundFileReader::Data {
  TGObject<GsfInput> input;
  TGObject<GsfInfile> document;

  // Opens the document over input; raises for one that is none.
  void open(const AnsiString& FileName) {
    GError* error = nullptr;
    document.p = gsf_infile_msole_new(input.p, &error);
    if (document.p == nullptr) fail("Cannot open file", FileName, gsfReason(error, "Not a compound document."));
  }
};

TCompoundFileReader::TCompoundFileReader(const AnsiString& FileName) : fileName_(FileName), d_(std::make_unique<Data>()) {
  initGsf();
  GError* error = nullptr;
  d_->input.p = gsf_input_stdio_new(ToSysPath(FileName).c_str(), &error);
  if (d_->input.p == nullptr) fail("Cannot open file", FileName, gsfReason(error, "The file cannot be read."));
  d_->open(FileName);
}

TCompoundFileReader::TCompoundFileReader(std::string_view Bytes, const AnsiString& FileName)
    : fileName_(FileName), d_(std::make_unique<Data>()) {
  initGsf();
  d_->input.p = gsf_input_memory_new(reinterpret_cast<const guint8*>(Bytes.data()), gsf_off_t(Bytes.size()), FALSE);
  if (d_->input.p == nullptr) fail("Cannot open file", FileName, "The document cannot be read.");
  d_->open(FileName);
}

TCompoundFileReader::~TCompoundFileReader() = default;

bool TCompoundFileReader::HasStream(const WideString& Name) const {
  TGObject<GsfInput> stream(gsf_infile_child_by_name(d_->document.p, WideToUtf8(Name).c_str()));
  return stream.p != nullptr;
}

std::string TCompoundFileReader::ReadStream(const WideString& Name) const {
  TGObject<GsfInput> stream(gsf_infile_child_by_name(d_->document.p, WideToUtf8(Name).c_str()));
  if (stream.p == nullptr) fail("Cannot open file", fileName_, "No stream " + WideToAnsi(Name) + ".");
  // A stream cannot hold more than its document: a size beyond it comes from a broken
  // directory, and is not allocated.
  const gsf_off_t size = gsf_input_size(stream.p);
  if (size < 0 || size > gsf_input_size(d_->input.p))
    fail("Cannot read file", fileName_, "The stream " + WideToAnsi(Name) + " is larger than the document.");
  std::string bytes(static_cast<std::size_t>(size), '\0');
  if (size > 0 && gsf_input_read(stream.p, size, reinterpret_cast<guint8*>(bytes.data())) == nullptr)
    fail("Cannot read file", fileName_, "The stream " + WideToAnsi(Name) + " is cut short or damaged.");
  return bytes;
}

bool IsCompoundDocument(std::string_view Bytes) { return Bytes.substr(0, CompoundSignature.size()) == CompoundSignature; }

std::string ReadCompoundStream(const AnsiString& FileName, const WideString& Name) {
  return TCompoundFileReader(FileName).ReadStream(Name);
}
