#include "TJPEGImage.h"

#include <csetjmp>
#include <cstdio>
#include <cstdlib>
#include <memory>
#include <vector>

#include <jpeglib.h>

#include "TGraphic_p.h"
#include "TypInfo.h"
#include "TStream.h"

DEFINE_CLASS(TJPEGImage, TGraphic)

// The library reports a fatal error through error_exit and expects it not to return: the
// handler jumps back to the setjmp of the library call in progress. Every function that
// calls the library with such a jump target holds only plain C data, so that the jump
// skips no destructor.
namespace {

struct JpegError {
  jpeg_error_mgr manager;
  std::jmp_buf jump;
  char message[JMSG_LENGTH_MAX];
};

extern "C" void onJpegError(j_common_ptr cinfo) {
  auto* error = reinterpret_cast<JpegError*>(cinfo->err);
  (*cinfo->err->format_message)(cinfo, error->message);
  std::longjmp(error->jump, 1);
}

// Warnings (corrupt but readable data) do not stop the decoder.
extern "C" void onJpegMessage(j_common_ptr) {}

void initError(JpegError* error) {
  jpeg_std_error(&error->manager);
  error->manager.error_exit = onJpegError;
  error->manager.output_message = onJpegMessage;
  error->message[0] = '\0';
}

// Reads the header and starts decompressing into RGB, grey-scale or CMYK samples.
bool startDecompress(jpeg_decompress_struct* cinfo, JpegError* error, const unsigned char* data, unsigned long size) {
  if (setjmp(error->jump)) return false;
  jpeg_mem_src(cinfo, data, size);
  jpeg_read_header(cinfo, TRUE);
  if (cinfo->jpeg_color_space == JCS_CMYK || cinfo->jpeg_color_space == JCS_YCCK)
    cinfo->out_color_space = JCS_CMYK;
  else if (cinfo->num_components == 1)
    cinfo->out_color_space = JCS_GRAYSCALE;
  else
    cinfo->out_color_space = JCS_RGB;
  jpeg_start_decompress(cinfo);
  return true;
}

bool readScanlines(jpeg_decompress_struct* cinfo, JpegError* error, unsigned char* pixels, std::size_t stride) {
  if (setjmp(error->jump)) return false;
  while (cinfo->output_scanline < cinfo->output_height) {
    JSAMPROW row = pixels + static_cast<std::size_t>(cinfo->output_scanline) * stride;
    jpeg_read_scanlines(cinfo, &row, 1);
  }
  jpeg_finish_decompress(cinfo);
  return true;
}

bool compress(jpeg_compress_struct* cinfo, JpegError* error, const unsigned char* rgb, int width, int height, int quality,
              unsigned char** out, unsigned long* outSize) {
  if (setjmp(error->jump)) return false;
  jpeg_mem_dest(cinfo, out, outSize);
  cinfo->image_width = static_cast<JDIMENSION>(width);
  cinfo->image_height = static_cast<JDIMENSION>(height);
  cinfo->input_components = 3;
  cinfo->in_color_space = JCS_RGB;
  jpeg_set_defaults(cinfo);
  jpeg_set_quality(cinfo, quality, TRUE);
  jpeg_start_compress(cinfo, TRUE);
  const std::size_t stride = static_cast<std::size_t>(width) * 3;
  while (cinfo->next_scanline < cinfo->image_height) {
    auto row = const_cast<JSAMPROW>(rgb + static_cast<std::size_t>(cinfo->next_scanline) * stride);
    jpeg_write_scanlines(cinfo, &row, 1);
  }
  jpeg_finish_compress(cinfo);
  return true;
}

// Frees what jpeg_mem_dest allocated.
struct FreeDeleter {
  void operator()(unsigned char* p) const { std::free(p); }
};

}  // namespace

struct TJPEGImage::Data {
  int quality = 90;
};

TJPEGImage::TJPEGImage() : d_(std::make_unique<Data>()) {}
TJPEGImage::~TJPEGImage() = default;

int TJPEGImage::CompressionQuality() const { return d_->quality; }

void TJPEGImage::SetCompressionQuality(int Value) {
  if (Value >= 1 && Value <= 100) d_->quality = Value;
}

void TJPEGImage::LoadFromStream(TStream* Stream) {
  const std::vector<unsigned char> data = ReadRest(Stream);
  if (data.empty()) throw EInvalidGraphic("JPEG error: no picture data");
  jpeg_decompress_struct cinfo{};
  JpegError error{};
  initError(&error);
  cinfo.err = &error.manager;
  jpeg_create_decompress(&cinfo);
  std::vector<unsigned char> pixels;
  bool ok = startDecompress(&cinfo, &error, data.data(), static_cast<unsigned long>(data.size()));
  const int width = static_cast<int>(cinfo.output_width);
  const int height = static_cast<int>(cinfo.output_height);
  const int components = cinfo.output_components;
  const bool adobe = cinfo.saw_Adobe_marker != 0;
  const J_COLOR_SPACE space = cinfo.out_color_space;
  if (ok) {
    const std::size_t stride = static_cast<std::size_t>(width) * static_cast<std::size_t>(components);
    pixels.resize(stride * static_cast<std::size_t>(height));
    ok = readScanlines(&cinfo, &error, pixels.data(), stride);
  }
  const AnsiString message = error.message;
  jpeg_destroy_decompress(&cinfo);
  if (!ok) throw EInvalidGraphic("JPEG error: " + message);

  QImage image(width, height, QImage::Format_RGB32);
  for (int y = 0; y < height; ++y) {
    const unsigned char* src = pixels.data() + static_cast<std::size_t>(y) * width * components;
    auto* dst = reinterpret_cast<QRgb*>(image.scanLine(y));
    for (int x = 0; x < width; ++x, src += components) {
      if (space == JCS_GRAYSCALE) {
        dst[x] = qRgb(src[0], src[0], src[0]);
      } else if (space == JCS_CMYK) {
        // Adobe writes CMYK inverted (0 = full ink).
        const int c = adobe ? src[0] : 255 - src[0];
        const int m = adobe ? src[1] : 255 - src[1];
        const int yl = adobe ? src[2] : 255 - src[2];
        const int k = adobe ? src[3] : 255 - src[3];
        dst[x] = qRgb(c * k / 255, m * k / 255, yl * k / 255);
      } else {
        dst[x] = qRgb(src[0], src[1], src[2]);
      }
    }
  }
  GraphicPrivate()->image = std::move(image);
  Changed();
}

void TJPEGImage::SaveToStream(TStream* Stream) const {
  const QImage& image = GraphicPrivate()->image;
  if (image.isNull()) throw EInvalidGraphic("JPEG error: the picture is empty");
  const QImage rgb = image.convertToFormat(QImage::Format_RGB888);
  std::vector<unsigned char> packed(static_cast<std::size_t>(rgb.width()) * 3 * static_cast<std::size_t>(rgb.height()));
  for (int y = 0; y < rgb.height(); ++y)
    std::copy_n(rgb.constScanLine(y), static_cast<std::size_t>(rgb.width()) * 3,
                packed.begin() + static_cast<std::ptrdiff_t>(static_cast<std::size_t>(y) * rgb.width() * 3));
  jpeg_compress_struct cinfo{};
  JpegError error{};
  initError(&error);
  cinfo.err = &error.manager;
  jpeg_create_compress(&cinfo);
  unsigned char* out = nullptr;
  unsigned long outSize = 0;
  const bool ok = compress(&cinfo, &error, packed.data(), rgb.width(), rgb.height(), d_->quality, &out, &outSize);
  std::unique_ptr<unsigned char, FreeDeleter> owned(out);
  const AnsiString message = error.message;
  jpeg_destroy_compress(&cinfo);
  if (!ok) throw EInvalidGraphic("JPEG error: " + message);
  Stream->WriteBuffer(owned.get(), static_cast<std::int64_t>(outSize));
}
