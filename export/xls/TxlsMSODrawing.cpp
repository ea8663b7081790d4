#include "TxlsMSODrawing.h"

#include "Biff8Records.h"
#include "TbiffRecord.h"

TxlsMSODrawing::TxlsMSODrawing(const TmsoDrawingIds& Ids) : dg_(Ids), groupShape_(msoSpContainer) {
  groupShape_.Add(std::make_unique<TmsoSpgr>());
  groupShape_.Add(std::make_unique<TmsoSp>(0, Ids.FirstShapeId(), msoShapeGroup | msoShapePatriarch));
}

void TxlsMSODrawing::AssembleItem(int Index, TbiffBuffer& Out) const {
  if (Index == 0) {
    const std::size_t items = items_.TotalSize();
    const TmsoContainer drawing(msoDgContainer);
    const TmsoContainer group(msoSpgrContainer);
    drawing.WriteHeader(Out, dg_.TotalSize() + 8 + groupShape_.TotalSize() + items);
    dg_.WriteTo(Out);
    group.WriteHeader(Out, groupShape_.TotalSize() + items);
    groupShape_.WriteTo(Out);
  }
  items_.Items(Index)->WriteTo(Out);
}

void TxlsMSODrawing::WriteItem(TStream& Stream, int Index) const {
  TbiffBuffer record;
  AssembleItem(Index, record);
  WriteBiffRecord(Stream, biff8::MSODRAWING, record.Data(), record.Size());
}
