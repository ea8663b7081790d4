// TTreeNode: one node of a tree view: Text, a picture of the view's Images (ImageIndex, and
// SelectedIndex while it is selected), Data of the program's own, and child nodes. Deleting
// a node deletes its children with it.
#pragma once

#include <memory>

#include "TPersistent.h"

class TTreeNodes;
class TCustomTreeView;

class TTreeNode : public TPersistent {
  DECLARE_CLASS(TTreeNode, TPersistent)

  ~TTreeNode() override;

  // Copies text, pictures and data of another node (not its children).
  void Assign(TPersistent* Source) override;

  const AnsiString& Text() const;
  void SetText(const AnsiString& Value);
  void* Data() const;
  void SetData(void* Value);
  int ImageIndex() const;
  void SetImageIndex(int Value);
  int SelectedIndex() const;
  void SetSelectedIndex(int Value);

  TTreeNode* Parent() const;
  int Count() const;
  // Raises EListError for an index out of range.
  TTreeNode* Item(int Index) const;
  bool HasChildren() const;
  // Position among its siblings; depth (0 for a top-level node); position in the whole tree.
  int Index() const;
  int Level() const;
  int AbsoluteIndex() const;
  TTreeNode* GetFirstChild() const;
  TTreeNode* GetLastChild() const;
  TTreeNode* getNextSibling() const;
  TTreeNode* getPrevSibling() const;
  // The next node in the tree's whole order (children before siblings), nullptr after the last.
  TTreeNode* GetNext() const;

  bool Expanded() const;
  void SetExpanded(bool Value);
  void Expand(bool Recurse);
  void Collapse(bool Recurse);
  bool Selected() const;
  void SetSelected(bool Value);
  void MakeVisible();

  void Delete();
  void DeleteChildren();
  TTreeNodes* Owner() const;
  TCustomTreeView* TreeView() const;

  struct State;
  State* NodeState() const { return d_.get(); }

private:
  friend class TTreeNodes;
  explicit TTreeNode(TTreeNodes* AOwner);
  std::unique_ptr<State> d_;
};
