#include "LmHashMap.h"

#include <cstdlib>
#include <limits>
#include <utility>

#include "LmExceptions.h"
#include "TypInfo.h"

DEFINE_CLASS(TLmBaseHashMap, TPersistent)
DEFINE_CLASS(TLmWideStrToWideStrHashMap, TLmBaseHashMap)

namespace {

// Keys are equal when their texts are equal, letter case included.
bool sameKey(const Variant& a, const Variant& b) { return VarToWideStr(a) == VarToWideStr(b); }

// The i-th slot of the probe sequence from the home bucket.
std::size_t slotIndex(std::int32_t home, int i, int length) {
  return static_cast<std::size_t>((std::int64_t{home} + i) % length);
}

}  // namespace

std::int32_t LmHashOfWideString(std::u16string_view Key) {
  std::uint32_t h = 0;
  for (char16_t c : Key) h = h * 33u + c;
  const auto value = static_cast<std::int32_t>(h);
  // The most negative value has no positive counterpart and stays as it is.
  return value == std::numeric_limits<std::int32_t>::min() ? value : std::abs(value);
}

TLmBaseHashMap::TLmBaseHashMap(int ListLength, int IncSize) {
  SetIncSize(IncSize);
  initTable(ListLength);
}

// Virtual calls from a destructor reach this class's DisposeValue; the maps here dispose of
// nothing, and a descendant that does must empty itself in its own destructor.
TLmBaseHashMap::~TLmBaseHashMap() {
  for (TLmHashMapRec& slot : table_)
    if (slot.HashCode >= 0) DisposeValue(slot.Value);
}

void TLmBaseHashMap::SetIncSize(int Value) {
  if (Value < 2) throw ELmHashException(LoadResString(&SHashIncrTooSmall));
  incSize_ = Value;
}

std::int32_t TLmBaseHashMap::HashOf(const Variant& Key) const {
  const std::int32_t h = Key.AsInteger();
  return h == std::numeric_limits<std::int32_t>::min() ? h : std::abs(h);
}

void TLmBaseHashMap::DisposeValue(Variant&) {}

std::int32_t TLmBaseHashMap::homeBucket(const Variant& Key) const {
  return std::abs(HashOf(Key) % static_cast<std::int32_t>(table_.size()));
}

void TLmBaseHashMap::initTable(std::int64_t Length) {
  if (Length < 0 || Length > std::numeric_limits<std::int32_t>::max())
    throw ELmHashException(LoadResString(&SHashInvalidSize));
  table_.clear();
  table_.resize(static_cast<std::size_t>(Length));
  count_ = 0;
  cursor_ = -1;
}

void TLmBaseHashMap::grow(std::int64_t NewLength) {
  if (count_ > NewLength) throw ELmHashException(LoadResString(&SHashInvalidSize));
  std::vector<TLmHashMapRec> old = std::move(table_);
  initTable(NewLength);
  for (TLmHashMapRec& slot : old)
    if (slot.HashCode >= 0) Add(slot.Key, slot.Value);
}

void TLmBaseHashMap::Add(const Variant& Key, const Variant& Value) {
  // The table is full: grow it first. A table of no slots grows to one, so the entry always
  // finds a place.
  if (Length() <= count_) grow(std::max<std::int64_t>(std::int64_t{count_} * incSize_, count_ + 1));
  const std::int32_t home = homeBucket(Key);
  const int length = Length();
  int firstDeleted = -1;
  for (int i = 0; i < length; ++i) {
    TLmHashMapRec& slot = table_[slotIndex(home, i, length)];
    if (slot.HashCode == EmptySlot) {
      slot = {Key, home, Value};
      ++count_;
      return;
    }
    if (slot.HashCode == DeletedSlot) {
      if (firstDeleted < 0) firstDeleted = static_cast<int>(slotIndex(home, i, length));
    } else if (slot.HashCode == home && sameKey(slot.Key, Key)) {
      DisposeValue(slot.Value);
      slot = {Key, home, Value};
      return;
    }
  }
  if (firstDeleted >= 0) {
    table_[static_cast<std::size_t>(firstDeleted)] = {Key, home, Value};
    ++count_;
  }
}

int TLmBaseHashMap::findSlot(const Variant& Key) const {
  const int length = Length();
  if (length == 0) return -1;
  const std::int32_t home = homeBucket(Key);
  for (int i = 0; i < length; ++i) {
    const auto index = static_cast<int>(slotIndex(home, i, length));
    const TLmHashMapRec& slot = table_[static_cast<std::size_t>(index)];
    if (slot.HashCode == EmptySlot) return -1;
    if (slot.HashCode == home && sameKey(slot.Key, Key)) return index;
  }
  return -1;
}

bool TLmBaseHashMap::Find(const Variant& Key, Variant& Value) const {
  const int index = findSlot(Key);
  if (index < 0) return false;
  Value = table_[static_cast<std::size_t>(index)].Value;
  return true;
}

bool TLmBaseHashMap::Delete(const Variant& Key) {
  const int index = findSlot(Key);
  if (index < 0) return false;
  TLmHashMapRec& slot = table_[static_cast<std::size_t>(index)];
  slot.HashCode = DeletedSlot;  // key and value stay; the slot no longer counts
  DisposeValue(slot.Value);
  --count_;
  return true;
}

bool TLmBaseHashMap::GetNext(Variant& Key, Variant& Value) {
  for (int i = cursor_ + 1; i < Length(); ++i) {
    const TLmHashMapRec& slot = table_[static_cast<std::size_t>(i)];
    if (slot.HashCode >= 0) {
      cursor_ = i;
      Key = slot.Key;
      Value = slot.Value;
      return true;
    }
  }
  return false;
}

void TLmBaseHashMap::Add(const WideString& Key, const WideString& Value) { Add(Variant(Key), Variant(Value)); }

bool TLmBaseHashMap::Delete(const WideString& Key) { return Delete(Variant(Key)); }

bool TLmBaseHashMap::Find(const WideString& Key, WideString& Value) const {
  Variant v;
  if (!Find(Variant(Key), v)) return false;
  Value = VarToWideStr(v);
  return true;
}

bool TLmBaseHashMap::GetNext(WideString& Key, WideString& Value) {
  Variant k, v;
  if (!GetNext(k, v)) return false;
  Key = VarToWideStr(k);
  Value = VarToWideStr(v);
  return true;
}

std::int32_t TLmWideStrToWideStrHashMap::HashOf(const Variant& Key) const {
  return LmHashOfWideString(VarToWideStr(Key));
}
