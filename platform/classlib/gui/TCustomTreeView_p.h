// Private to the GUI layer; may change without notice.
//
// A tree view's nodes each keep the Qt item that shows them; the tree widget holds the items,
// the nodes own their children.
#pragma once

#include <memory>
#include <unordered_map>
#include <vector>

#include <QTreeWidget>

#include "TCustomTreeView.h"
#include "TTreeNode.h"
#include "TTreeNodes.h"
#include "TWinControl_p.h"

struct TTreeNode::State {
  TTreeNodes* owner = nullptr;
  TTreeNode* parent = nullptr;
  std::vector<TTreeNode*> children;  // owned
  QTreeWidgetItem* item = nullptr;   // held by the tree widget; freed with the node
  AnsiString text;
  void* data = nullptr;
  int imageIndex = -1;
  int selectedIndex = -1;
};

class TTreeViewPrivate : public TWinControlPrivate {
public:
  TTreeViewPrivate();
  ~TTreeViewPrivate() override;

  QTreeWidget* tree() const { return static_cast<QTreeWidget*>(widget.data()); }
  QWidget* inputWidget() const override;
  QPalette::ColorRole colorRole() const override { return QPalette::Base; }

  // The nodes in the tree's order, rebuilt after a change of structure.
  const std::vector<TTreeNode*>& flat();
  void structureChanged() { flatValid = false; }
  TTreeNode* nodeOf(const QTreeWidgetItem* item) const;
  void applyIcon(TTreeNode* node) const;

  TCustomTreeView* treeView = nullptr;  // set once the tree view's own constructor runs
  std::unique_ptr<TTreeNodes> nodes;
  std::vector<TTreeNode*> roots;  // owned
  std::unordered_map<const QTreeWidgetItem*, TTreeNode*> byItem;
  std::vector<TTreeNode*> flatNodes;
  bool flatValid = false;
  TCustomImageList* images = nullptr;
  bool readOnly = false;
  bool showRoot = true;
  bool showButtons = true;
  int updateCount = 0;
  bool clearing = false;
};
