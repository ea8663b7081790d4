#include "CompoundFile.h"

#include <fcntl.h>
#include <gsf/gsf.h>
#include <unistd.h>

#include <atomic>
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <mutex>
#include <string_view>

#include "CodePage.h"
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

unsigned nextTempNumber() {
  static std::atomic<unsigned> counter{0};
  return counter++;
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
  std::string tempPath;  // empty once renamed or removed
  TGObject<GsfOutput> sink;  // the temporary file
  TGObject<GsfOutfile> document;
  bool committed = false;

  void discard() {
    if (document.p != nullptr && !gsf_output_is_closed(GSF_OUTPUT(document.p))) gsf_output_close(GSF_OUTPUT(document.p));
    if (sink.p != nullptr && !gsf_output_is_closed(sink.p)) gsf_output_close(sink.p);
    if (!tempPath.empty()) ::unlink(tempPath.c_str());
    tempPath.clear();
  }
};

TCompoundFileWriter::TCompoundFileWriter(const AnsiString& FileName) : fileName_(FileName), d_(std::make_unique<Data>()) {
  initGsf();
  d_->target = ToSysPath(FileName);
  if (d_->target.filename().empty()) fail("Cannot create file", FileName, systemReason(EISDIR));
  std::error_code ec;
  if (std::filesystem::is_directory(d_->target, ec)) fail("Cannot create file", FileName, systemReason(EISDIR));
  // The temporary file lives beside the target, so that the final rename stays on one file
  // system; it is created as the target would be (mode 0666 less the umask).
  int fd = -1;
  for (int attempt = 0; fd < 0; ++attempt) {
    const std::string path = (d_->target.parent_path() / ("." + d_->target.filename().string() + "." +
                                                          std::to_string(::getpid()) + "-" + std::to_string(nextTempNumber())))
                                 .string();
    fd = ::open(path.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
    if (fd >= 0) {
      d_->tempPath = path;
    } else if (errno != EEXIST || attempt > 100) {
      fail("Cannot create file", FileName, systemReason(errno));
    }
  }
  // The document goes straight into the temporary file: a large workbook is never held in
  // memory a second time. The sink owns the file from here on and closes it.
  FILE* file = ::fdopen(fd, "wb");
  if (file == nullptr) {
    const int error = errno;
    ::close(fd);
    d_->discard();
    fail("Cannot create file", FileName, systemReason(error));
  }
  d_->sink.p = gsf_output_stdio_new_FILE(d_->tempPath.c_str(), file, FALSE);
  d_->document.p = d_->sink.p != nullptr ? gsf_outfile_msole_new(d_->sink.p) : nullptr;
  if (d_->document.p == nullptr) {
    if (d_->sink.p == nullptr) std::fclose(file);
    d_->discard();
    fail("Cannot create file", FileName, "The compound document cannot be started.");
  }
}

TCompoundFileWriter::~TCompoundFileWriter() { d_->discard(); }

void TCompoundFileWriter::WriteStream(const WideString& Name, const void* Data, std::size_t Size) {
  WriteStream(Name, {TPiece{Data, Size}});
}

void TCompoundFileWriter::WriteStream(const WideString& Name, std::initializer_list<TPiece> Pieces) {
  if (d_->committed) fail("Cannot write file", fileName_, "The document is already complete.");
  const std::string name = WideToUtf8(Name);
  TGObject<GsfOutput> child(gsf_outfile_new_child(d_->document.p, name.c_str(), FALSE));
  if (child.p == nullptr) fail("Cannot write file", fileName_, "The stream " + WideToAnsi(Name) + " cannot be created.");
  // gsf_output_write takes at most a gsize at a time; keep the pieces moderate.
  constexpr std::size_t kPiece = std::size_t{1} << 24;
  for (const TPiece& piece : Pieces) {
    const auto* bytes = static_cast<const guint8*>(piece.Data);
    for (std::size_t done = 0; done < piece.Size;) {
      const std::size_t n = std::min(kPiece, piece.Size - done);
      if (!gsf_output_write(child.p, n, bytes + done)) {
        const GError* error = gsf_output_error(child.p);
        fail("Cannot write file", fileName_, Utf8ToAnsi(error != nullptr ? error->message : "Stream write error"));
      }
      done += n;
    }
  }
  if (!gsf_output_close(child.p)) fail("Cannot write file", fileName_, "The stream cannot be closed.");
}

void TCompoundFileWriter::Commit() {
  if (d_->committed) return;
  if (!gsf_output_close(GSF_OUTPUT(d_->document.p))) {
    d_->discard();
    fail("Cannot write file", fileName_, "The compound document cannot be completed.");
  }
  // Closing the document closes its sink as well, which writes out and closes the file.
  const bool closed = gsf_output_is_closed(d_->sink.p) || gsf_output_close(d_->sink.p);
  if (!closed || gsf_output_error(d_->sink.p) != nullptr) {
    const GError* error = gsf_output_error(d_->sink.p);
    const AnsiString reason = Utf8ToAnsi(error != nullptr ? error->message : "The file cannot be written.");
    d_->discard();
    fail("Cannot write file", fileName_, reason);
  }
  if (std::rename(d_->tempPath.c_str(), d_->target.c_str()) != 0) {
    const int error = errno;
    d_->discard();
    fail("Cannot create file", fileName_, systemReason(error));
  }
  d_->tempPath.clear();
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
