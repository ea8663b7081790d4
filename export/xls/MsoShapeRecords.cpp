#include "MsoShapeRecords.h"

#include <algorithm>

TmsoDgg::TmsoDgg(std::vector<TmsoDrawingIds> Drawings) : TmsoObject(0, 0, 0xF006), drawings_(std::move(Drawings)) {}

std::size_t TmsoDgg::TotalSize() const {
  std::size_t size = 8 + 16;
  for (const TmsoDrawingIds& d : drawings_) size += 8 * std::size_t{d.Clusters()};
  return size;
}

void TmsoDgg::WriteBody(TbiffBuffer& Out) const {
  std::uint32_t nextId = msoShapesPerCluster, clusters = 0, shapes = 0;
  for (const TmsoDrawingIds& d : drawings_) {
    nextId = std::max(nextId, d.LastShapeId() + 1);
    clusters += d.Clusters();
    shapes += d.Shapes;
  }
  Out.U32(nextId);        // the id after the largest in use
  Out.U32(clusters + 1);  // clusters + 1
  Out.U32(shapes);        // shapes saved
  Out.U32(static_cast<std::uint32_t>(drawings_.size()));
  // Each cluster: its drawing and the ids it has given so far (all 1024 when full).
  for (const TmsoDrawingIds& d : drawings_)
    for (std::uint32_t c = 0; c < d.Clusters(); ++c)
      Out.U32(d.DrawingId).U32(std::min(msoShapesPerCluster, d.Shapes - c * msoShapesPerCluster));
}

TmsoDg::TmsoDg(const TmsoDrawingIds& Ids)
    : TmsoObject(0, Ids.DrawingId, 0xF008), shapes_(Ids.Shapes), lastShapeId_(Ids.LastShapeId()) {}

void TmsoDg::WriteBody(TbiffBuffer& Out) const { Out.U32(shapes_).U32(lastShapeId_); }

TmsoSpgr::TmsoSpgr() : TmsoObject(1, 0, 0xF009) {}

void TmsoSpgr::WriteBody(TbiffBuffer& Out) const { Out.Zeros(16); }

TmsoSp::TmsoSp(std::uint16_t ShapeType, std::uint32_t ShapeId, std::uint32_t Flags)
    : TmsoObject(2, ShapeType, 0xF00A), shapeId_(ShapeId), flags_(Flags) {}

void TmsoSp::WriteBody(TbiffBuffer& Out) const { Out.U32(shapeId_).U32(flags_); }

TmsoOPT::TmsoOPT() : TmsoObject(3, 0, 0xF00B) {}

void TmsoOPT::Add(std::uint16_t Id, std::uint32_t Value) {
  properties_.push_back({static_cast<std::uint16_t>(Id & 0x7FFF), Value, {}});
  SetInstance(static_cast<std::uint16_t>(properties_.size()));
}

void TmsoOPT::AddComplex(std::uint16_t Id, const std::u16string& Text) {
  properties_.push_back(
      {static_cast<std::uint16_t>(Id | 0x8000), static_cast<std::uint32_t>(2 * Text.size() + 2), Text});
  SetInstance(static_cast<std::uint16_t>(properties_.size()));
}

std::size_t TmsoOPT::TotalSize() const {
  std::size_t size = 8;
  for (const TmsoOPTData& p : properties_) size += 6 + (p.IsComplex() ? p.Value : 0);
  return size;
}

void TmsoOPT::WriteBody(TbiffBuffer& Out) const {
  for (const TmsoOPTData& p : properties_) Out.U16(p.Id).U32(p.Value);
  for (const TmsoOPTData& p : properties_)
    if (p.IsComplex()) Out.Chars(p.Complex).U16(0);
}

TmsoClientAnchor::TmsoClientAnchor(std::uint16_t Flags, const TxlsAnchor& Anchor)
    : TmsoObject(0, 0, 0xF010), flags_(Flags), anchor_(Anchor) {}

void TmsoClientAnchor::WriteBody(TbiffBuffer& Out) const {
  Out.U16(flags_);
  Out.U16(anchor_.Col1).U16(anchor_.Dx1).U16(anchor_.Row1).U16(anchor_.Dy1);
  Out.U16(anchor_.Col2).U16(anchor_.Dx2).U16(anchor_.Row2).U16(anchor_.Dy2);
}

TmsoClientData::TmsoClientData() : TmsoObject(0, 0, 0xF011) {}

TmsoClientTextBox::TmsoClientTextBox() : TmsoObject(0, 0, 0xF00D) {}

TmsoSplitMenuColors::TmsoSplitMenuColors() : TmsoObject(0, 4, 0xF11E) {}

void TmsoSplitMenuColors::WriteBody(TbiffBuffer& Out) const {
  Out.U32(0x0800000D).U32(0x0800000C).U32(0x08000017).U32(0x100000F7);
}
