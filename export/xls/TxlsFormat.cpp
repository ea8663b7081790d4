#include "TxlsFormat.h"

#include "Format.h"
#include "TxlsXFormat.h"
#include "TypInfo.h"

DEFINE_CLASS(TxlsFormat, TxlsCustomItem,
             Published::Class("Font", &TxlsFormat::Font, &TxlsFormat::SetFont),
             Published::Class("Borders", &TxlsFormat::Borders, &TxlsFormat::SetBorders),
             Published::Class("Fill", &TxlsFormat::Fill, &TxlsFormat::SetFill),
             Published::Class("Alignment", &TxlsFormat::Alignment, &TxlsFormat::SetAlignment),
             Published::Boolean("Wrap", &TxlsFormat::Wrap, &TxlsFormat::SetWrap),
             Published::Integer("Rotation", &TxlsFormat::Rotation, &TxlsFormat::SetRotation),
             Published::String("FieldName", &TxlsFormat::FieldName, &TxlsFormat::SetFieldName),
             Published::Integer("Indent", &TxlsFormat::Indent, &TxlsFormat::SetIndent))

DEFINE_CLASS(TxlsFormats, TOwnedCollection)

TxlsFormat::TxlsFormat(TCollection* Collection)
    : TxlsCustomItem(Collection),
      font_(std::make_unique<TxlsFont>()),
      borders_(std::make_unique<TxlsBorders>()),
      fill_(std::make_unique<TxlsFill>()),
      alignment_(std::make_unique<TxlsAlignment>()) {}

TxlsFormat::~TxlsFormat() = default;

void TxlsFormat::Assign(TPersistent* Source) {
  if (auto* format = dynamic_cast<TxlsFormat*>(Source)) {
    font_->Assign(format->font_.get());
    borders_->Assign(format->borders_.get());
    fill_->Assign(format->fill_.get());
    alignment_->Assign(format->alignment_.get());
    wrap_ = format->wrap_;
    rotation_ = format->rotation_;
    indent_ = format->indent_;
    return;
  }
  inherited::Assign(Source);
}

AnsiString TxlsFormat::DisplayName() const {
  // The strip styles of an exporter are numbered rather than named.
  if (TCollection* collection = Collection()) {
    const TPersistent* owner = collection->Owner();
    if (owner != nullptr && GetPropInfo(owner, "StripStyles") != nullptr &&
        GetObjectProp(owner, "StripStyles") == collection)
      return Format("StripStyle_%d", {Index()});
  }
  return inherited::DisplayName();
}

void TxlsFormat::Reset() {
  TxlsFont font;
  TxlsBorders borders;
  TxlsFill fill;
  TxlsAlignment alignment;
  font_->Assign(&font);
  borders_->Assign(&borders);
  fill_->Assign(&fill);
  alignment_->Assign(&alignment);
  wrap_ = false;
  indent_ = 0;
}

bool TxlsFormat::IsDefault() const {
  // Name must be exactly "arial": a font of another spelling is a font of its own.
  return font_->IsDefault() && !borders_->AnySet() && fill_->Background() == clrWhite &&
         fill_->Pattern() == ptNone && fill_->Foreground() == clrWhite && alignment_->Horizontal() == halGeneral &&
         alignment_->Vertical() == valBottom && !wrap_;
}

void TxlsFormat::AssignFromXF(const TxlsXFormat& XF) {
  if (XF.Font() != nullptr) font_->Assign(XF.Font());
  borders_->Assign(XF.Borders());
  fill_->Assign(XF.Fill());
  alignment_->Assign(XF.Alignment());
  wrap_ = XF.Wrap();
  rotation_ = XF.Rotation();
  indent_ = XF.Indent();
}

TxlsFormats::TxlsFormats(TPersistent* AOwner) : TOwnedCollection(AOwner, CollectionItemClass<TxlsFormat>()) {}

TxlsFormat* TxlsFormats::Add() { return static_cast<TxlsFormat*>(TCollection::Add()); }

TxlsFormat* TxlsFormats::Items(int Index) const { return static_cast<TxlsFormat*>(TCollection::Items(Index)); }
