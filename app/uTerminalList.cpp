#include "uTerminalList.h"

#include <algorithm>
#include <cstring>

#include "IntegerText.h"
#include "TListItem.h"
#include "TListItems.h"
#include "TListView.h"
#include "TStrings.h"
#include "uFileTexts.h"

TTerminalList ReadTerminalList(TCommListCall Call, std::int32_t Port, std::size_t Room, char* ErrMsg) {
  std::vector<TCommFileRecord> buffer(Room);
  std::int32_t count = 0;
  const std::int32_t result = Call(Port, buffer.data(), &count);
  TTerminalList list;
  list.Failed = vxGetErrMsg(result, ErrMsg, nullptr) != 0;
  // A count outside the room is not believed beyond what the list can hold.
  buffer.resize(static_cast<std::size_t>(std::clamp<std::int64_t>(count, 0, static_cast<std::int64_t>(Room))));
  list.Records = std::move(buffer);
  return list;
}

void AddTerminalItems(TListView* View, const std::vector<TCommFileRecord>& Records) {
  TListItems* items = View->Items();
  for (const TCommFileRecord& record : Records) {
    TListItem* item = items->Add();
    item->SetImageIndex(-1);
    item->SetCaption(CommRecordName(record));
    const AnsiString number = IntToStr(record.FileNo);
    TStrings* cells = item->SubItems();
    cells->Add(IntToStr(record.Size));
    cells->Add(CommRecordDate(record));
    cells->Add(number);
    cells->Add(number);
    cells->Add(number);
  }
}

AnsiString CommText(const char* Buffer, std::size_t Size) { return AnsiString(Buffer, strnlen(Buffer, Size)); }
