// TxlsMSODrawing: the drawing of one sheet, written one MSODRAWING record per shape item.
//
// The drawing is a drawing container (0xF002) holding the drawing record and a shape-group
// container (0xF003), whose first shape container is the group's own (rectangle and the first
// shape id of the drawing, a patriarch group). The items added (shape containers, client text boxes) follow it. Because
// each item has a record of its own, interleaved with the OBJ records that belong to the shapes,
// the record of item 0 also carries the headers of both containers, with lengths that cover all
// items written later.
#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>

#include "MsoShapeRecords.h"
#include "TmsoObject.h"

class TStream;

class TxlsMSODrawing {
public:
  // Ids: the drawing's id and shape ids; its shape count includes the group's own shape.
  explicit TxlsMSODrawing(const TmsoDrawingIds& Ids = {});

  template <class T>
  T* Add(std::unique_ptr<T> Item) {
    return items_.Add(std::move(Item));
  }
  int Count() const { return items_.Count(); }
  const TmsoList& Items() const { return items_; }

  // The data of the MSODRAWING record of item Index.
  void AssembleItem(int Index, TbiffBuffer& Out) const;
  // Writes the MSODRAWING record of item Index.
  void WriteItem(TStream& Stream, int Index) const;

private:
  TmsoDg dg_;
  TmsoContainer groupShape_;
  TmsoList items_;
};
