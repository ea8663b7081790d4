#include "TComponent.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "TypInfo.h"

namespace {

// Records the notifications it receives, as "insert:Name" / "remove:Name".
class TWatcher : public TComponent {
  DECLARE_CLASS(TWatcher, TComponent)
  using TComponent::TComponent;
  std::vector<std::string> seen;
  TComponent* reference = nullptr;

protected:
  void Notification(TComponent* AComponent, TOperation Operation) override {
    inherited::Notification(AComponent, Operation);
    if (AComponent == this) return;
    seen.push_back((Operation == TOperation::opInsert ? "insert:" : "remove:") + AComponent->Name());
    if (Operation == TOperation::opRemove && AComponent == reference) reference = nullptr;
  }
};
DEFINE_CLASS(TWatcher, TComponent)

// Counts its destructions in a shared log.
class TLogged : public TComponent {
  DECLARE_CLASS(TLogged, TComponent)
  TLogged(TComponent* owner, std::vector<std::string>& log, const char* name) : TComponent(owner), log_(log) {
    SetName(name);
  }
  ~TLogged() override { log_.push_back(Name()); }

private:
  std::vector<std::string>& log_;
};
DEFINE_CLASS(TLogged, TComponent)

}  // namespace

TEST(TComponentTest, OwnerKeepsComponentsInCreationOrderAndFreesThemLastFirst) {
  std::vector<std::string> log;
  {
    TComponent owner(nullptr);
    new TLogged(&owner, log, "A");
    new TLogged(&owner, log, "B");
    new TLogged(&owner, log, "C");
    ASSERT_EQ(owner.ComponentCount(), 3);
    EXPECT_EQ(owner.Components(0)->Name(), "A");
    EXPECT_EQ(owner.Components(2)->Name(), "C");
    EXPECT_EQ(owner.Components(1)->ComponentIndex(), 1);
    EXPECT_EQ(owner.FindComponent("b"), owner.Components(1));
    EXPECT_EQ(owner.FindComponent("missing"), nullptr);
    EXPECT_THROW(owner.Components(3), EListError);
  }
  EXPECT_EQ(log, (std::vector<std::string>{"C", "B", "A"}));
}

TEST(TComponentTest, DeletingAnOwnedComponentRemovesItFromItsOwner) {
  TComponent owner(nullptr);
  auto* child = new TComponent(&owner);
  delete child;
  EXPECT_EQ(owner.ComponentCount(), 0);
}

TEST(TComponentTest, NamesMustBeUniqueIdentifiersWithinTheOwner) {
  TComponent owner(nullptr);
  auto* a = new TComponent(&owner);
  auto* b = new TComponent(&owner);
  a->SetName("btnExit");
  EXPECT_THROW(b->SetName("BTNEXIT"), EComponentError);
  EXPECT_EQ(b->Name(), "");
  EXPECT_THROW(b->SetName("1abc"), EComponentError);
  EXPECT_THROW(b->SetName("a b"), EComponentError);
  b->SetName("_ok1");
  EXPECT_EQ(b->Name(), "_ok1");
  a->SetName("");  // an empty name is always allowed
  EXPECT_EQ(a->Name(), "");
}

TEST(TComponentTest, SiblingsAreToldOfInsertAndRemove) {
  TComponent owner(nullptr);
  auto* watcher = new TWatcher(&owner);
  auto* other = new TComponent(&owner);
  other->SetName("Other");  // named after insertion, so the insert notice had an empty name
  delete other;
  ASSERT_EQ(watcher->seen.size(), 2u);
  EXPECT_EQ(watcher->seen[0], "insert:");
  EXPECT_EQ(watcher->seen[1], "remove:Other");
}

TEST(TComponentTest, FreeNotificationReachesComponentsOfOtherOwners) {
  TComponent ownerA(nullptr);
  TComponent ownerB(nullptr);
  auto* watcher = new TWatcher(&ownerA);
  auto* storage = new TComponent(&ownerB);
  storage->SetName("Storage");
  watcher->reference = storage;
  watcher->FreeNotification(storage);
  delete storage;
  EXPECT_EQ(watcher->reference, nullptr);
  EXPECT_EQ(watcher->seen.back(), "remove:Storage");
}

TEST(TComponentTest, RemovedFreeNotificationIsNotDelivered) {
  TWatcher watcher(nullptr);
  auto* other = new TComponent(nullptr);
  other->SetName("Other");
  watcher.FreeNotification(other);
  watcher.RemoveFreeNotification(other);
  delete other;
  EXPECT_TRUE(watcher.seen.empty());
}

TEST(TComponentTest, FreeNotificationLinkIsDroppedWhenTheWatcherGoesFirst) {
  auto* other = new TComponent(nullptr);
  {
    TWatcher watcher(nullptr);
    watcher.FreeNotification(other);
  }
  delete other;  // must not notify the freed watcher (ASan would report it)
  SUCCEED();
}

TEST(TComponentTest, DesignFlagIsNeverSetAtRunTime) {
  TComponent c(nullptr);
  EXPECT_FALSE(c.ComponentState().Contains(TComponentStateFlag::csDesigning));
}

TEST(TComponentTest, InsertComponentMovesAComponentBetweenOwners) {
  TComponent a(nullptr);
  TComponent b(nullptr);
  auto* child = new TComponent(&a);
  b.InsertComponent(child);
  EXPECT_EQ(a.ComponentCount(), 0);
  EXPECT_EQ(b.ComponentCount(), 1);
  EXPECT_EQ(child->Owner(), &b);
}

TEST(TComponentTest, NameAndTagArePublished) {
  TComponent c(nullptr);
  SetStrProp(&c, "Name", "Panel1");
  SetOrdProp(&c, "tag", 2001);
  EXPECT_EQ(c.Name(), "Panel1");
  EXPECT_EQ(c.Tag(), 2001);
  EXPECT_EQ(GetStrProp(&c, "NAME"), "Panel1");
}
