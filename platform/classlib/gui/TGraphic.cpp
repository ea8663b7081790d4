#include "TGraphic.h"

#include <QBuffer>
#include <QByteArray>

#include "TFileStream.h"
#include "TGraphic_p.h"
#include "TypInfo.h"

DEFINE_CLASS(TGraphic, TPersistent)

std::vector<unsigned char> ReadRest(TStream* stream) {
  const std::int64_t size = stream->Size() - stream->Position();
  std::vector<unsigned char> data(size > 0 ? static_cast<std::size_t>(size) : 0);
  if (!data.empty()) stream->ReadBuffer(data.data(), static_cast<std::int64_t>(data.size()));
  return data;
}

QImage DecodeWithQt(const std::vector<unsigned char>& data, const char* format, const char* what) {
  QImage image;
  if (data.empty() ||
      !image.loadFromData(reinterpret_cast<const uchar*>(data.data()), static_cast<int>(data.size()), format))
    throw EInvalidGraphic(AnsiString("Invalid ") + what + " data");
  return image;
}

void EncodeWithQt(const QImage& image, const char* format, TStream* stream) {
  QByteArray bytes;
  QBuffer buffer(&bytes);
  buffer.open(QIODevice::WriteOnly);
  if (image.isNull() || !image.save(&buffer, format)) throw EInvalidGraphic(AnsiString("Cannot write the picture as ") + format);
  stream->WriteBuffer(bytes.constData(), bytes.size());
}

TGraphic::TGraphic() : d_(std::make_unique<TGraphicPrivate>()) {}
TGraphic::~TGraphic() = default;

bool TGraphic::Empty() const { return d_->image.isNull(); }
int TGraphic::Width() const { return d_->image.width(); }
int TGraphic::Height() const { return d_->image.height(); }

void TGraphic::LoadFromFile(const AnsiString& FileName) {
  TFileStream stream(FileName, fmOpenRead | fmShareDenyWrite);
  LoadFromStream(&stream);
}

void TGraphic::SaveToFile(const AnsiString& FileName) const {
  TFileStream stream(FileName, fmCreate);
  SaveToStream(&stream);
}

void TGraphic::Assign(TPersistent* Source) {
  if (auto* other = dynamic_cast<TGraphic*>(Source)) {
    if (other != this) {
      d_->image = other->d_->image;
      Changed();
    }
    return;
  }
  inherited::Assign(Source);
}

void TGraphic::Changed() {
  if (OnChange) OnChange(this);
}
