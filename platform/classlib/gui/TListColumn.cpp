#include "TListColumn.h"

#include "TCollection.h"
#include "TypInfo.h"

DEFINE_CLASS(TListColumn, TCollectionItem,
             Published::Enum("Alignment", {"taLeftJustify", "taRightJustify", "taCenter"}, &TListColumn::Alignment,
                             &TListColumn::SetAlignment),
             Published::Boolean("AutoSize", &TListColumn::AutoSize, &TListColumn::SetAutoSize),
             Published::String("Caption", &TListColumn::Caption, &TListColumn::SetCaption),
             Published::Integer("ImageIndex", &TListColumn::ImageIndex, &TListColumn::SetImageIndex),
             Published::Integer("MaxWidth", &TListColumn::MaxWidth, &TListColumn::SetMaxWidth),
             Published::Integer("MinWidth", &TListColumn::MinWidth, &TListColumn::SetMinWidth),
             Published::Integer("Tag", &TListColumn::Tag, &TListColumn::SetTag),
             Published::Integer("Width", &TListColumn::Width, &TListColumn::SetWidth))

namespace {
constexpr int kDefaultColumnWidth = 50;
}

struct TListColumn::Data {
  TAlignment alignment = taLeftJustify;
  bool autoSize = false;
  AnsiString caption;
  int imageIndex = -1;
  int maxWidth = 0;
  int minWidth = 0;
  int tag = 0;
  int width = kDefaultColumnWidth;
};

TListColumn::TListColumn(TCollection* Collection) : TCollectionItem(Collection), d_(std::make_unique<Data>()) {}
TListColumn::~TListColumn() = default;

void TListColumn::Assign(TPersistent* Source) {
  if (auto* other = dynamic_cast<TListColumn*>(Source)) {
    *d_ = *other->d_;
    Changed(false);
    return;
  }
  inherited::Assign(Source);
}

AnsiString TListColumn::DisplayName() const { return d_->caption.empty() ? inherited::DisplayName() : d_->caption; }

TAlignment TListColumn::Alignment() const { return d_->alignment; }
void TListColumn::SetAlignment(TAlignment Value) {
  d_->alignment = Value;
  Changed(false);
}
bool TListColumn::AutoSize() const { return d_->autoSize; }
void TListColumn::SetAutoSize(bool Value) {
  d_->autoSize = Value;
  Changed(false);
}
const AnsiString& TListColumn::Caption() const { return d_->caption; }
void TListColumn::SetCaption(const AnsiString& Value) {
  d_->caption = Value;
  Changed(false);
}
int TListColumn::ImageIndex() const { return d_->imageIndex; }
void TListColumn::SetImageIndex(int Value) {
  if (Value == d_->imageIndex) return;
  d_->imageIndex = Value;
  Changed(false);
}
int TListColumn::MaxWidth() const { return d_->maxWidth; }
void TListColumn::SetMaxWidth(int Value) {
  d_->maxWidth = Value < 0 ? 0 : Value;
  if (d_->maxWidth > 0 && d_->width > d_->maxWidth) d_->width = d_->maxWidth;
  Changed(false);
}
int TListColumn::MinWidth() const { return d_->minWidth; }
void TListColumn::SetMinWidth(int Value) {
  d_->minWidth = Value < 0 ? 0 : Value;
  if (d_->width > 0 && d_->width < d_->minWidth) d_->width = d_->minWidth;
  Changed(false);
}
int TListColumn::Tag() const { return d_->tag; }
void TListColumn::SetTag(int Value) { d_->tag = Value; }
int TListColumn::Width() const { return d_->width; }
void TListColumn::SetWidth(int Value) {
  if (Value < 0 && Value != ColumnTextWidth) Value = 0;
  if (Value > 0 && d_->minWidth > 0 && Value < d_->minWidth) Value = d_->minWidth;
  if (d_->maxWidth > 0 && Value > d_->maxWidth) Value = d_->maxWidth;
  if (Value == d_->width) return;
  d_->width = Value;
  Changed(false);
}
