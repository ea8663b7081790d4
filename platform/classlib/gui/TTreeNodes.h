// TTreeNodes: the nodes of a tree view (its Items property).
//
// Count and Item count the nodes of the whole tree in its order: each node followed by its
// children. Add and AddFirst put a node last or first among the siblings of Sibling (at the
// top level when Sibling is nullptr); AddChild and AddChildFirst among the children of Parent;
// Insert before Sibling. BeginUpdate/EndUpdate hold back repainting. An index out of range
// raises EListError.
#pragma once

#include "TPersistent.h"

class TTreeNode;
class TCustomTreeView;

class TTreeNodes : public TPersistent {
  DECLARE_CLASS(TTreeNodes, TPersistent)

  explicit TTreeNodes(TCustomTreeView* AOwner);

  int Count() const;
  TTreeNode* Item(int Index) const;
  TTreeNode* GetFirstNode() const;

  TTreeNode* Add(TTreeNode* Sibling, const AnsiString& S);
  TTreeNode* AddObject(TTreeNode* Sibling, const AnsiString& S, void* Ptr);
  TTreeNode* AddFirst(TTreeNode* Sibling, const AnsiString& S);
  TTreeNode* AddChild(TTreeNode* Parent, const AnsiString& S);
  TTreeNode* AddChildObject(TTreeNode* Parent, const AnsiString& S, void* Ptr);
  TTreeNode* AddChildFirst(TTreeNode* Parent, const AnsiString& S);
  TTreeNode* Insert(TTreeNode* Sibling, const AnsiString& S);

  void Delete(TTreeNode* Node);
  void Clear();
  void BeginUpdate();
  void EndUpdate();
  // Copies the whole tree of another TTreeNodes.
  void Assign(TPersistent* Source) override;
  TCustomTreeView* Owner() const;

private:
  // A new node under Parent (top level for nullptr) at Index (-1: last).
  TTreeNode* insertNode(TTreeNode* Parent, int Index, const AnsiString& S, void* Ptr);
  TCustomTreeView* owner_;
};
