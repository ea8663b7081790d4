// Every test of the kernel stand-in starts from clean diagnostics and ends with no pool
// outstanding and no violation recorded (unless it expects some and clears them).
#pragma once

#include <gtest/gtest.h>

#include <string>

#include "WdmDiagnostics.h"
#include "wdm.h"

class TWdmTest : public ::testing::Test {
protected:
    void SetUp() override { WdmResetDiagnostics(); }
    void TearDown() override
    {
        EXPECT_EQ(WdmLeftovers(), "");
        WdmResetDiagnostics();
    }

    // Registers and enables a device interface of a test class for a physical device, as its
    // function driver would; returns the link name that user mode opens.
    static std::u16string EnableTestInterface(PDEVICE_OBJECT Pdo)
    {
        static const GUID testInterface = {0x5d1a0e2c, 0x7b43, 0x4f19, {0x9a, 0x61, 0x2e, 0x8c, 0x40, 0x17, 0xd3, 0x55}};
        UNICODE_STRING link{};
        EXPECT_EQ(IoRegisterDeviceInterface(Pdo, &testInterface, nullptr, &link), STATUS_SUCCESS);
        EXPECT_EQ(IoSetDeviceInterfaceState(&link, TRUE), STATUS_SUCCESS);
        std::u16string name(link.Buffer, link.Length / sizeof(WCHAR));
        RtlFreeUnicodeString(&link);
        return name;
    }
};
