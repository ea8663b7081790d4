#include "TxlsColInfoList.h"

#include <algorithm>

#include "Biff8Records.h"
#include "TbiffBuffer.h"
#include "TbiffRecord.h"

void TxlsColInfoList::Add(const TxlsColInfo& Item) {
  if (!items_.empty() && Item.Column < items_.back().Column) sorted_ = false;
  items_.push_back(Item);
}

void TxlsColInfoList::Sort() {
  std::stable_sort(items_.begin(), items_.end(),
                   [](const TxlsColInfo& a, const TxlsColInfo& b) { return a.Column < b.Column; });
  sorted_ = true;
}

void TxlsColInfoList::Clear() {
  items_.clear();
  sorted_ = true;
}

void TxlsColInfoList::SaveToStream(TStream& Stream) {
  if (!sorted_) Sort();
  TbiffBuffer record;
  for (const TxlsColInfo& item : items_) {
    record.Clear();
    record.U16(item.Column).U16(item.Column).U16(item.Width).U16(item.XF).U16(item.Options).U16(0);  // unused
    WriteBiffRecord(Stream, biff8::COLINFO, record.Data(), record.Size());
  }
}
