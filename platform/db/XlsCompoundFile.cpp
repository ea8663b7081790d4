#include "XlsCompoundFile_p.h"

#include <gsf/gsf.h>

#include <memory>
#include <mutex>

#include "DbError.h"
#include "Format.h"
#include "SysPath.h"

namespace {

constexpr std::string_view CompoundSignature{"\xD0\xCF\x11\xE0\xA1\xB1\x1A\xE1", 8};

template <class T>
struct TUnref {
  void operator()(T* p) const { g_object_unref(p); }
};
template <class T>
using TGsfPtr = std::unique_ptr<T, TUnref<T>>;

std::string readWorkbook(GsfInput* input, const AnsiString& FileName) {
  GError* error = nullptr;
  TGsfPtr<GsfInfile> infile(gsf_infile_msole_new(input, &error));
  if (!infile) {
    const AnsiString reason = error ? error->message : "unknown reason";
    if (error) g_error_free(error);
    RaiseDbError(FileName, "not a readable compound document (" + reason + ")");
  }
  TGsfPtr<GsfInput> stream(gsf_infile_child_by_name(infile.get(), "Workbook"));
  if (!stream) {
    TGsfPtr<GsfInput> book(gsf_infile_child_by_name(infile.get(), "Book"));
    RaiseDbError(FileName, book ? "Excel 5.0/95 workbooks are not read, only Excel 97-2003 ones"
                                : "the compound document holds no workbook");
  }
  // A stream cannot hold more than its file: a size beyond it comes from a broken directory.
  const gsf_off_t size = gsf_input_size(stream.get());
  if (size < 0 || size > gsf_input_size(input)) RaiseDbError(FileName, "the workbook stream is larger than the file");
  std::string bytes(static_cast<std::size_t>(size), '\0');
  if (size > 0 && !gsf_input_read(stream.get(), size, reinterpret_cast<guint8*>(bytes.data())))
    RaiseDbError(FileName, "the workbook stream cannot be read: the compound document is cut short or broken");
  return bytes;
}

void initGsf() {
  static std::once_flag once;
  std::call_once(once, [] { gsf_init(); });
}

}  // namespace

bool IsCompoundDocument(std::string_view Bytes) { return Bytes.substr(0, CompoundSignature.size()) == CompoundSignature; }

std::string ReadWorkbookStream(const AnsiString& FileName) {
  initGsf();
  GError* error = nullptr;
  TGsfPtr<GsfInput> input(gsf_input_stdio_new(ToSysPath(FileName).c_str(), &error));
  if (!input) {
    const AnsiString reason = error ? error->message : "unknown reason";
    if (error) g_error_free(error);
    RaiseDbError(FileName, "cannot open the file (" + reason + ")");
  }
  return readWorkbook(input.get(), FileName);
}

std::string ReadWorkbookStreamFromBytes(std::string_view Bytes, const AnsiString& FileName) {
  initGsf();
  TGsfPtr<GsfInput> input(
      gsf_input_memory_new(reinterpret_cast<const guint8*>(Bytes.data()), gsf_off_t(Bytes.size()), FALSE));
  return readWorkbook(input.get(), FileName);
}
