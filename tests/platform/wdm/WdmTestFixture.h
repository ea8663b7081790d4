// Every test of the kernel stand-in starts from clean diagnostics and ends with no pool
// outstanding and no violation recorded (unless it expects some and clears them).
#pragma once

#include <gtest/gtest.h>

#include "WdmDiagnostics.h"

class TWdmTest : public ::testing::Test {
protected:
    void SetUp() override { WdmResetDiagnostics(); }
    void TearDown() override
    {
        EXPECT_EQ(WdmLeftovers(), "");
        WdmResetDiagnostics();
    }
};
