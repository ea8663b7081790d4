#include "TPicture.h"

#include "TBitmap.h"
#include "TFileStream.h"
#include "TGIFImage.h"
#include "TGraphic_p.h"
#include "TypInfo.h"
#include "TJPEGImage.h"
#include "TPngImage.h"
#include "TStream.h"

DEFINE_CLASS(TPicture, TPersistent)

namespace {

// A new, empty graphic of the format whose signature the data begins with.
std::unique_ptr<TGraphic> graphicFor(const unsigned char* head, std::size_t size) {
  if (size >= 3 && head[0] == 0xFF && head[1] == 0xD8 && head[2] == 0xFF) return std::make_unique<TJPEGImage>();
  if (size >= 8 && head[0] == 0x89 && head[1] == 'P' && head[2] == 'N' && head[3] == 'G') return std::make_unique<TPngImage>();
  if (size >= 2 && head[0] == 'B' && head[1] == 'M') return std::make_unique<TBitmap>();
  if (size >= 6 && head[0] == 'G' && head[1] == 'I' && head[2] == 'F' && head[3] == '8') return std::make_unique<TGIFImage>();
  throw EInvalidGraphic("Unknown picture format");
}

// A graphic of the same class as the source, holding its pixels.
std::unique_ptr<TGraphic> copyOf(TGraphic* source) {
  std::unique_ptr<TGraphic> copy;
  if (dynamic_cast<TJPEGImage*>(source) != nullptr)
    copy = std::make_unique<TJPEGImage>();
  else if (dynamic_cast<TPngImage*>(source) != nullptr)
    copy = std::make_unique<TPngImage>();
  else if (dynamic_cast<TGIFImage*>(source) != nullptr)
    copy = std::make_unique<TGIFImage>();
  else
    copy = std::make_unique<TBitmap>();
  copy->Assign(source);
  return copy;
}

}  // namespace

TPicture::TPicture() = default;
TPicture::~TPicture() = default;

TGraphic* TPicture::Graphic() const { return graphic_.get(); }

void TPicture::SetGraphic(TGraphic* Value) { take(Value != nullptr ? copyOf(Value) : nullptr); }

int TPicture::Width() const { return graphic_ ? graphic_->Width() : 0; }
int TPicture::Height() const { return graphic_ ? graphic_->Height() : 0; }

void TPicture::LoadFromFile(const AnsiString& FileName) {
  TFileStream stream(FileName, fmOpenRead | fmShareDenyWrite);
  LoadFromStream(&stream);
}

void TPicture::LoadFromStream(TStream* Stream) {
  const std::int64_t start = Stream->Position();
  unsigned char head[8] = {};
  const auto got = static_cast<std::size_t>(Stream->Read(head, sizeof head));
  Stream->SetPosition(start);
  std::unique_ptr<TGraphic> graphic = graphicFor(head, got);
  graphic->LoadFromStream(Stream);
  take(std::move(graphic));
}

void TPicture::SaveToFile(const AnsiString& FileName) const {
  if (!graphic_ || graphic_->Empty()) throw EInvalidGraphic("The picture is empty");
  graphic_->SaveToFile(FileName);
}

void TPicture::Assign(TPersistent* Source) {
  if (Source == nullptr) {
    take(nullptr);
  } else if (auto* picture = dynamic_cast<TPicture*>(Source)) {
    if (picture != this) take(picture->graphic_ ? copyOf(picture->graphic_.get()) : nullptr);
  } else if (auto* graphic = dynamic_cast<TGraphic*>(Source)) {
    take(copyOf(graphic));
  } else {
    inherited::Assign(Source);
  }
}

void TPicture::take(std::unique_ptr<TGraphic> graphic) {
  graphic_ = std::move(graphic);
  if (graphic_) graphic_->OnChange = [this](TObject*) {
    if (OnChange) OnChange(this);
  };
  if (OnChange) OnChange(this);
}
