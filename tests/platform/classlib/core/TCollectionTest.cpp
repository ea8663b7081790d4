#include "TCollection.h"

#include <gtest/gtest.h>

#include <string>

#include "Exception.h"
#include "TComponent.h"
#include "TOwnedCollection.h"
#include "TypInfo.h"

namespace {

class TColumn : public TCollectionItem {
  DECLARE_CLASS(TColumn, TCollectionItem)
  using TCollectionItem::TCollectionItem;
  AnsiString Caption() const { return caption; }
  void SetCaption(const AnsiString& v) {
    caption = v;
    Changed(false);
  }
  void Assign(TPersistent* Source) override {
    if (auto* other = dynamic_cast<TColumn*>(Source)) return SetCaption(other->caption);
    TCollectionItem::Assign(Source);
  }
  AnsiString caption;
};
DEFINE_CLASS(TColumn, TCollectionItem, Published::String("Caption", &TColumn::Caption, &TColumn::SetCaption))

// Logs Update and Notify calls: "u*" for all items, "u<caption>" for one, "+", "x", "d".
class TColumns : public TOwnedCollection {
  DECLARE_CLASS(TColumns, TOwnedCollection)
  explicit TColumns(TPersistent* owner) : TOwnedCollection(owner, CollectionItemClass<TColumn>()) {}
  TColumn* Column(int i) const { return static_cast<TColumn*>(Items(i)); }
  std::string log;

protected:
  void Update(TCollectionItem* Item) override { log += Item ? "u" + static_cast<TColumn*>(Item)->caption : "u*"; }
  void Notify(TCollectionItem*, TCollectionNotification Action) override {
    log += Action == TCollectionNotification::cnAdded ? "+" : Action == TCollectionNotification::cnExtracting ? "x" : "d";
  }
};
DEFINE_CLASS(TColumns, TOwnedCollection)

class TListView : public TComponent {
  DECLARE_CLASS(TListView, TComponent)
  explicit TListView(TComponent* owner) : TComponent(owner), columns(this) {}
  TColumns* Columns() const { return const_cast<TColumns*>(&columns); }
  TColumns columns;
};
DEFINE_CLASS(TListView, TComponent, Published::Class("Columns", &TListView::Columns))

}  // namespace

TEST(TCollectionTest, ItemsKnowTheirCollectionIndexAndID) {
  TListView view(nullptr);
  TColumns& cols = view.columns;
  TColumn* a = static_cast<TColumn*>(cols.Add());
  TColumn* b = static_cast<TColumn*>(cols.Add());
  EXPECT_EQ(cols.Count(), 2);
  EXPECT_EQ(b->Index(), 1);
  EXPECT_EQ(a->Collection(), &cols);
  EXPECT_EQ(cols.Owner(), &view);
  EXPECT_EQ(a->GetOwner(), &cols);
  EXPECT_EQ(&cols.ItemClass(), &TColumn::StaticClass());
  EXPECT_EQ(a->DisplayName(), "TColumn");
  cols.Delete(0);
  TColumn* c = static_cast<TColumn*>(cols.Insert(0));
  EXPECT_EQ(c->ID(), 2);  // IDs are never reused
  EXPECT_EQ(cols.FindItemID(1), b);
  EXPECT_EQ(cols.FindItemID(0), nullptr);
  b->SetIndex(0);
  EXPECT_EQ(cols.Items(0), b);
  EXPECT_THROW(b->SetIndex(5), EListError);
  EXPECT_THROW(cols.Items(2), EListError);
}

TEST(TCollectionTest, ChangesAreNotified) {
  TColumns cols(nullptr);
  cols.Add();
  static_cast<TColumn*>(cols.Items(0))->SetCaption("A");
  cols.BeginUpdate();
  cols.Add();
  cols.Column(1)->SetCaption("B");
  cols.EndUpdate();
  cols.Delete(0);
  delete cols.Items(0);  // an item deleted directly leaves its collection
  EXPECT_EQ(cols.Count(), 0);
  EXPECT_EQ(cols.log, "+u*uA+u*dxu*u*");
}

TEST(TCollectionTest, ItemsMoveBetweenCollections) {
  TColumns from(nullptr), to(nullptr);
  TCollectionItem* item = from.Add();
  item->SetCollection(&to);
  EXPECT_EQ(from.Count(), 0);
  EXPECT_EQ(to.Items(0), item);
  EXPECT_EQ(to.log, "+u*");
  item->SetCollection(nullptr);
  delete item;
}

TEST(TCollectionTest, AssignCopiesThroughTheItems) {
  TColumns source(nullptr), target(nullptr);
  source.Add();
  source.Column(0)->SetCaption("Name");
  source.Add();
  source.Column(1)->SetCaption("Size");
  target.Add();
  target.log.clear();
  target.Assign(&source);
  ASSERT_EQ(target.Count(), 2);
  EXPECT_EQ(target.Column(1)->caption, "Size");
  EXPECT_NE(target.Items(0), source.Items(0));
  EXPECT_EQ(target.log, "x++u*");  // one Update for the whole copy
  target.SetItems(0, source.Items(1));
  EXPECT_EQ(target.Column(0)->caption, "Size");
  TComponent other(nullptr);
  EXPECT_THROW(target.Assign(&other), EConvertError);
}

TEST(TCollectionTest, TranslationWalkReachesItemPropertiesByName) {
  TListView view(nullptr);
  view.columns.Add();
  auto* cols = dynamic_cast<TCollection*>(GetObjectProp(&view, "Columns"));
  ASSERT_NE(cols, nullptr);
  SetStrProp(cols->Items(0), "Caption", "Name");
  EXPECT_EQ(GetStrProp(cols->Items(0), "Caption"), "Name");
  EXPECT_TRUE(cols->ClassType().InheritsFromName("TCollection"));
  EXPECT_TRUE(TCollection::StaticClass().Properties().empty());
}
