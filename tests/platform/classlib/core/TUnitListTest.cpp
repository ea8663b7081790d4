#include "TUnitList.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "Exception.h"
#include "TUnitGuard.h"

namespace {

// Three modules, B using A and C using B, logging their calls; B initialises A itself, as a
// module may do for what it uses.
std::vector<std::string> callLog;
bool failInitC = false;
bool failFinalB = false;
TUnitGuard guardA, guardB, guardC;

void initA() { guardA.Initialize([] { callLog.push_back("init A"); }); }
void finalA() { guardA.Finalize([] { callLog.push_back("final A"); }); }
void initB() {
  guardB.Initialize([] {
    initA();
    callLog.push_back("init B");
  });
}
void finalB() {
  guardB.Finalize([] {
    callLog.push_back("final B");
    finalA();
    if (failFinalB) throw Exception("B cannot close");
  });
}
void initC() {
  guardC.Initialize([] {
    if (failInitC) throw Exception("C cannot start");
    callLog.push_back("init C");
  });
}
void finalC() { guardC.Finalize([] { callLog.push_back("final C"); }); }

const std::vector<TUnitEntry> units{{"A", initA, finalA}, {"B", initB, finalB}, {"C", initC, finalC}};

class TUnitListTest : public testing::Test {
protected:
  void SetUp() override {
    callLog.clear();
    failInitC = failFinalB = false;
  }
};

}  // namespace

TEST_F(TUnitListTest, InitialisesInOrderAndFinalisesInReverseOnceAlsoOnDestruction) {
  TUnitList list(units);
  list.Initialize();
  list.Initialize();
  EXPECT_EQ(list.InitializedCount(), 3u);
  EXPECT_EQ(callLog, (std::vector<std::string>{"init A", "init B", "init C"}));
  callLog.clear();
  list.Finalize();
  list.Finalize();
  EXPECT_EQ(callLog, (std::vector<std::string>{"final C", "final B", "final A"}));
  EXPECT_FALSE(guardA.Initialized());
  callLog.clear();
  {
    TUnitList scoped(units);
    scoped.Initialize();
  }
  EXPECT_EQ(callLog, (std::vector<std::string>{"init A", "init B", "init C", "final C", "final B", "final A"}));
}

TEST_F(TUnitListTest, FailedInitialisationUndoesTheModulesBeforeIt) {
  failInitC = true;
  TUnitList list(units);
  EXPECT_THROW(list.Initialize(), Exception);
  EXPECT_EQ(list.InitializedCount(), 0u);
  EXPECT_EQ(callLog, (std::vector<std::string>{"init A", "init B", "final B", "final A"}));
}

TEST_F(TUnitListTest, FailedFinalisationStillFinalisesTheOthers) {
  failFinalB = true;
  TUnitList list(units);
  list.Initialize();
  callLog.clear();
  EXPECT_THROW(list.Finalize(), Exception);
  EXPECT_EQ(callLog, (std::vector<std::string>{"final C", "final B", "final A"}));
  EXPECT_EQ(list.InitializedCount(), 0u);
}
