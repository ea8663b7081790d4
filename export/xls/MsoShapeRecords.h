// The OfficeArt records of drawings and shapes: drawing-group and drawing records, the group
// shape's rectangle, shapes, their property tables, anchors and client records, and the split
// menu colours of the drawing group.
#pragma once

#include <string>
#include <vector>

#include "TmsoObject.h"

// Shape ids come in clusters of 1024: cluster k holds the ids k * 1024 to k * 1024 + 1023, and
// each belongs to one drawing. A drawing's shapes (its group shape first) take consecutive ids
// from the start of its first cluster on, in as many clusters as they need.
constexpr std::uint32_t msoShapesPerCluster = 1024;

// The shape ids of one drawing: its id, its first cluster and its shapes (the group's own
// included).
struct TmsoDrawingIds {
  std::uint16_t DrawingId = 1;
  std::uint32_t FirstCluster = 1;
  std::uint32_t Shapes = 1;
  std::uint32_t Clusters() const { return (Shapes + msoShapesPerCluster - 1) / msoShapesPerCluster; }
  std::uint32_t FirstShapeId() const { return FirstCluster * msoShapesPerCluster; }
  std::uint32_t LastShapeId() const { return FirstShapeId() + Shapes - 1; }
};

// The drawing group's record (0xF006): the drawings saved and the clusters of shape ids they use.
class TmsoDgg : public TmsoObject {
public:
  explicit TmsoDgg(std::vector<TmsoDrawingIds> Drawings);
  std::size_t TotalSize() const override;

protected:
  void WriteBody(TbiffBuffer& Out) const override;

private:
  std::vector<TmsoDrawingIds> drawings_;
};

// A drawing's record (0xF008): its id (the instance), its shape count and last shape id.
class TmsoDg : public TmsoObject {
public:
  explicit TmsoDg(const TmsoDrawingIds& Ids);
  std::size_t TotalSize() const override { return 16; }

protected:
  void WriteBody(TbiffBuffer& Out) const override;

private:
  std::uint32_t shapes_;
  std::uint32_t lastShapeId_;
};

// The group shape's rectangle (0xF009), all zero.
class TmsoSpgr : public TmsoObject {
public:
  TmsoSpgr();
  std::size_t TotalSize() const override { return 24; }

protected:
  void WriteBody(TbiffBuffer& Out) const override;
};

// Shape flags of TmsoSp.
constexpr std::uint32_t msoShapeGroup = 0x0001;
constexpr std::uint32_t msoShapePatriarch = 0x0004;
constexpr std::uint32_t msoShapeHasAnchor = 0x0200;
constexpr std::uint32_t msoShapeHasShapeType = 0x0800;

// A shape (0xF00A): its type (the instance), id and flags.
class TmsoSp : public TmsoObject {
public:
  TmsoSp(std::uint16_t ShapeType, std::uint32_t ShapeId, std::uint32_t Flags);
  std::size_t TotalSize() const override { return 16; }

protected:
  void WriteBody(TbiffBuffer& Out) const override;

private:
  std::uint32_t shapeId_;
  std::uint32_t flags_;
};

// One property of a shape's property table. A complex property (bit 15 of the id) carries a
// text, stored after the table as UTF-16 with a terminating zero; its value is that byte count.
struct TmsoOPTData {
  std::uint16_t Id = 0;
  std::uint32_t Value = 0;
  std::u16string Complex;
  bool IsComplex() const { return (Id & 0x8000) != 0; }
};

// A shape's property table (0xF00B); the instance is the number of properties.
class TmsoOPT : public TmsoObject {
public:
  TmsoOPT();
  void Add(std::uint16_t Id, std::uint32_t Value);
  // A complex property holding Text.
  void AddComplex(std::uint16_t Id, const std::u16string& Text);
  int Count() const { return static_cast<int>(properties_.size()); }
  std::size_t TotalSize() const override;

protected:
  void WriteBody(TbiffBuffer& Out) const override;

private:
  std::vector<TmsoOPTData> properties_;
};

// Where a shape sits: columns and rows with offsets within them (1/1024 of a column's width,
// 1/256 of a row's height).
struct TxlsAnchor {
  std::uint16_t Col1 = 0, Dx1 = 0, Row1 = 0, Dy1 = 0;
  std::uint16_t Col2 = 0, Dx2 = 0, Row2 = 0, Dy2 = 0;
  friend bool operator==(const TxlsAnchor&, const TxlsAnchor&) = default;
};

// A shape's anchor in the sheet (0xF010).
class TmsoClientAnchor : public TmsoObject {
public:
  TmsoClientAnchor(std::uint16_t Flags, const TxlsAnchor& Anchor);
  std::size_t TotalSize() const override { return 26; }

protected:
  void WriteBody(TbiffBuffer& Out) const override;

private:
  std::uint16_t flags_;
  TxlsAnchor anchor_;
};

// The empty records that tie a shape to its OBJ record (0xF011) and to its text (0xF00D).
class TmsoClientData : public TmsoObject {
public:
  TmsoClientData();
  std::size_t TotalSize() const override { return 8; }

protected:
  void WriteBody(TbiffBuffer&) const override {}
};

class TmsoClientTextBox : public TmsoObject {
public:
  TmsoClientTextBox();
  std::size_t TotalSize() const override { return 8; }

protected:
  void WriteBody(TbiffBuffer&) const override {}
};

// The colours of the split menu (0xF11E) of the drawing group.
class TmsoSplitMenuColors : public TmsoObject {
public:
  TmsoSplitMenuColors();
  std::size_t TotalSize() const override { return 24; }

protected:
  void WriteBody(TbiffBuffer& Out) const override;
};
