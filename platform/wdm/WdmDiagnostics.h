// What the kernel stand-in checks while a driver runs, for the tests to examine.
//
// Faults after which the real kernel would stop the machine (a request completed twice, a
// spin lock released by a thread that does not hold it, freeing pool that was never
// allocated...) end the process with a message on stderr. Rule breaches that the real kernel
// tolerates but its driver verifier reports (a dispatch routine that returns STATUS_PENDING
// without marking the request pending, a power request completed without
// PoStartNextPowerIrp...) are recorded as violations. A test ends with WdmLeftovers() empty:
// no pool outstanding under any tag, and no violation.
#pragma once

#include <chrono>
#include <cstddef>
#include <string>
#include <vector>

// Stops the process as a kernel bug check would.
[[noreturn]] void WdmBugCheck(const std::string& reason);

// Stops the process when a test asks for an order of requests that Windows never produces, so
// that no test passes on an order a driver never meets (see WdmFile.h and WdmManagers.h for
// the orders refused).
[[noreturn]] void WdmRefuseOrder(const std::string& reason);

void WdmReportViolation(const std::string& what);
std::vector<std::string> WdmViolations();
// For a test that provokes violations on purpose.
void WdmClearViolations();

// Empty when no pool block is outstanding and no violation was recorded; otherwise one line
// per outstanding tag and per violation.
std::string WdmLeftovers();

// Clears violations, injected faults and the pool accounting (blocks still outstanding are
// forgotten, not freed), for the next test.
void WdmResetDiagnostics();

// Threads blocked in KeWaitForSingleObject right now.
std::size_t WdmWaitingThreads();

// A wait without timeout that is not satisfied within this limit is reported as a hang and
// stops the process (default 30 s), so that a driver deadlock fails fast.
void WdmSetHangLimit(std::chrono::milliseconds limit);
std::chrono::milliseconds WdmHangLimit();
