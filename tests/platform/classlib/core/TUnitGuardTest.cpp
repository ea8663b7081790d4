#include "TUnitGuard.h"

#include <gtest/gtest.h>

#include "Exception.h"

TEST(TUnitGuardTest, NestedCallsRunEachBodyOnce) {
  TUnitGuard guard;
  int inits = 0, finals = 0;
  auto init = [&] { ++inits; };
  auto fini = [&] { ++finals; };
  guard.Finalize(fini);  // nothing to undo yet
  EXPECT_EQ(finals, 0);
  guard.Initialize(init);
  guard.Initialize(init);
  EXPECT_EQ(inits, 1);
  guard.Finalize(fini);
  EXPECT_EQ(finals, 0);
  EXPECT_TRUE(guard.Initialized());
  guard.Finalize(fini);
  guard.Finalize(fini);
  EXPECT_EQ(finals, 1);
  EXPECT_FALSE(guard.Initialized());
  guard.Initialize(init);  // a new cycle starts the module again
  EXPECT_EQ(inits, 2);
}

TEST(TUnitGuardTest, FailedInitialisationLeavesTheModuleUninitialised) {
  TUnitGuard guard;
  int finals = 0;
  EXPECT_THROW(guard.Initialize([] { throw Exception("no registry"); }), Exception);
  EXPECT_FALSE(guard.Initialized());
  guard.Finalize([&] { ++finals; });
  EXPECT_EQ(finals, 0);
  int inits = 0;
  guard.Initialize([&] { ++inits; });
  EXPECT_EQ(inits, 1);
}
