// The stack the tests drive: vxdriver loaded into the kernel stand-in above a simulated
// terminal on a USB port. Requests come as Plug and Play, the power manager and the
// communication library would send them, in the orders Windows produces. Every test ends with the device removed, the driver
// unloaded, no pool outstanding under any tag and no rule of the I/O manager broken.
#pragma once

#include <gtest/gtest.h>

#include <chrono>
#include <functional>
#include <memory>
#include <string>
#include <thread>
#include <vector>

#include "SimUsbDevice.h"
#include "WdmDiagnostics.h"
#include "WdmDriver.h"
#include "WdmFaults.h"
#include "WdmFile.h"
#include "WdmInterface.h"
#include "WdmManagers.h"
#include "WdmPool.h"
#include "vxdriver.h"

class TVxDriverTest : public ::testing::Test {
protected:
    static constexpr UCHAR BulkIn = 0x81;
    static constexpr UCHAR BulkOut = 0x02;
    static constexpr UCHAR InterruptIn = 0x83;
    static constexpr ULONG DriverTag = VXDRIVER_POOL_TAG;

    void SetUp() override { WdmResetDiagnostics(); }

    void TearDown() override
    {
        if (Fdo && !Removed) {
            EXPECT_EQ(Remove(), STATUS_SUCCESS);
        }
        Device.reset();
        Driver.reset();
        EXPECT_EQ(WdmLeftovers(), "");
        WdmResetDiagnostics();
    }

    // Loads the driver and adds a device with the settings; returns AddDevice's status.
    NTSTATUS Add(TSimUsbDevice::TSettings Settings = {})
    {
        Driver = std::make_unique<TWdmDriver>(DriverEntry);
        Device = std::make_unique<TSimUsbDevice>(std::move(Settings));
        NTSTATUS status = Driver->AddDevice(Device->Pdo());
        Fdo = NT_SUCCESS(status) ? IoGetAttachedDevice(Device->Pdo()) : nullptr;
        if (!Fdo)
            Removed = true;
        return status;
    }

    // Loads, adds and starts the device, failing the test if any step fails.
    void Start(TSimUsbDevice::TSettings Settings = {})
    {
        ASSERT_EQ(Add(std::move(Settings)), STATUS_SUCCESS);
        ASSERT_EQ(WdmSendPnp(Device->Pdo(), IRP_MN_START_DEVICE), STATUS_SUCCESS);
    }

    NTSTATUS Pnp(UCHAR MinorFunction) { return WdmSendPnp(Device->Pdo(), MinorFunction); }

    // Removes the device as the Plug and Play manager does: after a query-remove unless it was
    // surprise-removed or never started.
    NTSTATUS Remove()
    {
        Removed = true;
        return WdmRemoveDevice(Device->Pdo());
    }

    PDEVICE_EXTENSION Ext() const { return GetExtension(Fdo); }

    std::u16string Link() const
    {
        std::vector<std::u16string> links = WdmEnabledInterfaces(GUID_DEVINTERFACE_HANDHELD);
        return links.empty() ? std::u16string() : links.front();
    }

    // Opens the interface path followed by Name ("" for a control handle, "\\0" for pipe 0).
    std::unique_ptr<TWdmFile> Open(const std::u16string& Name, NTSTATUS Expected = STATUS_SUCCESS)
    {
        auto file = std::make_unique<TWdmFile>();
        EXPECT_EQ(file->Open(Link() + Name), Expected);
        return file;
    }

    static std::vector<UCHAR> Pattern(std::size_t Length, UCHAR Seed = 1)
    {
        std::vector<UCHAR> bytes(Length);
        for (std::size_t i = 0; i < Length; ++i)
            bytes[i] = static_cast<UCHAR>(Seed + i * 7 + i / 251);
        return bytes;
    }

    LONG PendingIoCount() const { return Ext()->PendingIoCount; }

    // Polls until the condition holds; false on timeout.
    static bool WaitUntil(const std::function<bool()>& Condition,
                          std::chrono::milliseconds Timeout = std::chrono::seconds(10))
    {
        auto deadline = std::chrono::steady_clock::now() + Timeout;
        while (!Condition()) {
            if (std::chrono::steady_clock::now() > deadline)
                return false;
            std::this_thread::yield();
        }
        return true;
    }

    std::unique_ptr<TWdmDriver> Driver;
    std::unique_ptr<TSimUsbDevice> Device;
    PDEVICE_OBJECT Fdo = nullptr;
    bool Removed = false;
};
