// Hash maps with open addressing and linear probing.
//
// TLmBaseHashMap maps variants to variants; TLmWideStrToWideStrHashMap is the one the
// language storage keeps a language's strings in, keyed by wide strings (compared with case).
//
// A slot's HashCode is its key's home bucket, -2 for an empty slot, -1 for a deleted one. The
// table fills to its last slot before it grows, by the factor IncSize, and a deleted slot is
// reused only when the probe finds no empty one. Enumeration (StartEnum, GetNext) walks the
// table in slot order; adding during an enumeration may reorder the table.
//
// Errors: ELmHashException SHashIncrTooSmall for a growth factor below 2, SHashInvalidSize for
// a table size that cannot hold the entries.
#pragma once

#include <cstdint>
#include <vector>

#include "TPersistent.h"
#include "Variant.h"

struct TLmHashMapRec {
  Variant Key;
  std::int32_t HashCode = -2;
  Variant Value;
};

class TLmBaseHashMap : public TPersistent {
  DECLARE_CLASS(TLmBaseHashMap, TPersistent)

  static constexpr std::int32_t EmptySlot = -2;
  static constexpr std::int32_t DeletedSlot = -1;

  // A table of ListLength empty slots growing by IncSize (at least 2).
  TLmBaseHashMap(int ListLength, int IncSize);
  ~TLmBaseHashMap() override;

  // Non-negative hash of a key; the base converts the key to an integer.
  virtual std::int32_t HashOf(const Variant& Key) const;
  // Called for every value that is removed or overwritten, and for every value left when the
  // map is destroyed; does nothing here.
  virtual void DisposeValue(Variant& Value);
  // Adds the pair, replacing the value of an equal key.
  virtual void Add(const Variant& Key, const Variant& Value);
  virtual bool Delete(const Variant& Key);
  // True and Value set when the key is present; Value untouched otherwise.
  virtual bool Find(const Variant& Key, Variant& Value) const;
  // The next live slot after the cursor; false (cursor unmoved) at the end of the table.
  virtual bool GetNext(Variant& Key, Variant& Value);

  void Add(const WideString& Key, const WideString& Value);
  bool Delete(const WideString& Key);
  bool Find(const WideString& Key, WideString& Value) const;
  bool GetNext(WideString& Key, WideString& Value);

  void StartEnum() { cursor_ = -1; }

  int Count() const { return count_; }
  int Length() const { return static_cast<int>(table_.size()); }
  int IncSize() const { return incSize_; }
  void SetIncSize(int Value);

private:
  std::int32_t homeBucket(const Variant& Key) const;
  // Slot holding the key, or -1.
  int findSlot(const Variant& Key) const;
  void grow(std::int64_t NewLength);
  void initTable(std::int64_t Length);

  std::vector<TLmHashMapRec> table_;
  int incSize_ = 15;
  int count_ = 0;
  int cursor_ = -1;
};

class TLmWideStrToWideStrHashMap : public TLmBaseHashMap {
  DECLARE_CLASS(TLmWideStrToWideStrHashMap, TLmBaseHashMap)

  using TLmBaseHashMap::TLmBaseHashMap;

  // h := h * 33 + c over the UTF-16 code units, wrapping at 32 bits; its absolute value.
  std::int32_t HashOf(const Variant& Key) const override;
};

// The wide-string hash itself.
std::int32_t LmHashOfWideString(std::u16string_view Key);
