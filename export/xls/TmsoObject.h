// OfficeArt records, of which the drawing group of the workbook and the drawing of each sheet
// are built (MSODRAWINGGROUP, MSODRAWING).
//
// Every record starts with an 8-byte header: the 16-bit value instance * 16 + version, the
// 16-bit record type and the 32-bit length of what follows (TotalSize - 8). TmsoContainer holds
// other records and is as long as its children together.
#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>
#include <vector>

#include "TbiffBuffer.h"

class TmsoObject {
public:
  TmsoObject(std::uint8_t Version, std::uint16_t Instance, std::uint16_t RecordType);
  virtual ~TmsoObject();
  TmsoObject(const TmsoObject&) = delete;
  TmsoObject& operator=(const TmsoObject&) = delete;

  std::uint8_t Version() const { return version_; }
  std::uint16_t Instance() const { return instance_; }
  std::uint16_t RecordType() const { return recordType_; }

  // Bytes of the record, header included.
  virtual std::size_t TotalSize() const = 0;
  // Bytes that belong to the record but are written after it, on their own (a shape's client
  // text box, which goes in a drawing record of its own): its length covers them too.
  virtual std::size_t FollowingSize() const { return 0; }
  // Appends the whole record (header and body).
  void WriteTo(TbiffBuffer& Out) const;
  // Appends the header alone, with a length covering Extra bytes more than this record's own.
  void WriteHeader(TbiffBuffer& Out, std::size_t Extra = 0) const;

protected:
  void SetInstance(std::uint16_t Value) { instance_ = Value; }
  virtual void WriteBody(TbiffBuffer& Out) const = 0;

private:
  std::uint8_t version_;
  std::uint16_t instance_;
  std::uint16_t recordType_;
};

// An owning list of records, written one after the other.
class TmsoList {
public:
  template <class T>
  T* Add(std::unique_ptr<T> Item) {
    T* raw = Item.get();
    items_.push_back(std::move(Item));
    return raw;
  }
  int Count() const { return static_cast<int>(items_.size()); }
  TmsoObject* Items(int Index) const { return items_.at(static_cast<std::size_t>(Index)).get(); }
  std::size_t TotalSize() const;
  void WriteTo(TbiffBuffer& Out) const;

private:
  std::vector<std::unique_ptr<TmsoObject>> items_;
};

// Record types of the containers.
constexpr std::uint16_t msoDggContainer = 0xF000;
constexpr std::uint16_t msoBStoreContainer = 0xF001;
constexpr std::uint16_t msoDgContainer = 0xF002;
constexpr std::uint16_t msoSpgrContainer = 0xF003;
constexpr std::uint16_t msoSpContainer = 0xF004;

class TmsoContainer : public TmsoObject {
public:
  explicit TmsoContainer(std::uint16_t RecordType, std::uint16_t Instance = 0);
  template <class T>
  T* Add(std::unique_ptr<T> Child) {
    return children_.Add(std::move(Child));
  }
  const TmsoList& Children() const { return children_; }
  std::size_t TotalSize() const override { return 8 + children_.TotalSize(); }
  std::size_t FollowingSize() const override { return following_; }
  // The container's last child is written after it, on its own, and is Bytes long.
  void SetFollowingSize(std::size_t Bytes) { following_ = Bytes; }

protected:
  void WriteBody(TbiffBuffer& Out) const override { children_.WriteTo(Out); }

private:
  TmsoList children_;
  std::size_t following_ = 0;
};
