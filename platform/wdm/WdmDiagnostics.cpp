#include "WdmDiagnostics.h"

#include <cstdio>
#include <cstdlib>
#include <mutex>

#include "WdmFaults.h"
#include "WdmPool.h"
#include "WdmSync_p.h"

namespace {

std::mutex ViolationMutex;
std::vector<std::string> Violations;
std::chrono::milliseconds HangLimit{30000};

} // namespace

void WdmBugCheck(const std::string& reason)
{
    std::fprintf(stderr, "kernel stand-in bug check: %s\n", reason.c_str());
    std::fflush(stderr);
    std::abort();
}

void WdmRefuseOrder(const std::string& reason)
{
    std::fprintf(stderr, "kernel stand-in: order refused, Windows never produces it: %s\n", reason.c_str());
    std::fflush(stderr);
    std::abort();
}

void WdmReportViolation(const std::string& what)
{
    std::lock_guard lock(ViolationMutex);
    Violations.push_back(what);
}

std::vector<std::string> WdmViolations()
{
    std::lock_guard lock(ViolationMutex);
    return Violations;
}

void WdmClearViolations()
{
    std::lock_guard lock(ViolationMutex);
    Violations.clear();
}

std::string WdmLeftovers()
{
    std::string report;
    for (const TWdmPoolUsage& usage : WdmPoolOutstanding())
        report += "pool tag '" + WdmTagName(usage.Tag) + "': " + std::to_string(usage.Blocks) + " block(s), " +
                  std::to_string(usage.Bytes) + " byte(s) outstanding\n";
    for (const std::string& violation : WdmViolations())
        report += "violation: " + violation + "\n";
    return report;
}

void WdmResetDiagnostics()
{
    WdmClearViolations();
    WdmClearFaults();
    WdmForgetPool();
}

std::size_t WdmWaitingThreads()
{
    return WdmSyncWaitingThreads();
}

void WdmSetHangLimit(std::chrono::milliseconds limit)
{
    HangLimit = limit;
}

std::chrono::milliseconds WdmHangLimit()
{
    return HangLimit;
}
