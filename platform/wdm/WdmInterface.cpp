// Device interface registration: IoRegisterDeviceInterface builds the link name from the
// physical device's instance path and the interface class, as the I/O manager does.
#include <cstdio>
#include <cstring>
#include <mutex>

#include "WdmDevice_p.h"
#include "WdmDiagnostics.h"
#include "WdmFaults.h"
#include "WdmInterface.h"
#include "WdmPool.h"

namespace {

struct TInterface {
    std::u16string LinkName;
    PDEVICE_OBJECT Pdo;
    GUID Class;
    bool Enabled;
};

std::mutex InterfaceMutex;
std::vector<TInterface> Interfaces;

std::u16string GuidText(const GUID& guid)
{
    char text[40];
    std::snprintf(text, sizeof text, "{%08x-%04x-%04x-%02x%02x-%02x%02x%02x%02x%02x%02x}", guid.Data1, guid.Data2,
                  guid.Data3, guid.Data4[0], guid.Data4[1], guid.Data4[2], guid.Data4[3], guid.Data4[4],
                  guid.Data4[5], guid.Data4[6], guid.Data4[7]);
    return std::u16string(text, text + std::strlen(text));
}

std::u16string LinkNameFor(const std::u16string& instancePath, const GUID& guid)
{
    std::u16string link = u"\\??\\";
    for (char16_t c : instancePath)
        link += c == u'\\' ? u'#' : c;
    return link + u"#" + GuidText(guid);
}

TInterface* Find(const std::u16string& linkName)
{
    for (TInterface& entry : Interfaces)
        if (entry.LinkName == linkName)
            return &entry;
    return nullptr;
}

} // namespace

std::vector<std::u16string> WdmEnabledInterfaces(const GUID& InterfaceClass)
{
    std::lock_guard lock(InterfaceMutex);
    std::vector<std::u16string> links;
    for (const TInterface& entry : Interfaces)
        if (entry.Enabled && IsEqualGUID(entry.Class, InterfaceClass))
            links.push_back(entry.LinkName);
    return links;
}

PDEVICE_OBJECT WdmInterfaceDevice(const std::u16string& LinkName)
{
    std::lock_guard lock(InterfaceMutex);
    TInterface* entry = Find(LinkName);
    return entry ? entry->Pdo : nullptr;
}

bool WdmInterfaceEnabled(const std::u16string& LinkName)
{
    std::lock_guard lock(InterfaceMutex);
    TInterface* entry = Find(LinkName);
    return entry && entry->Enabled;
}

void WdmForgetInterfacesOf(PDEVICE_OBJECT Pdo)
{
    std::lock_guard lock(InterfaceMutex);
    std::erase_if(Interfaces, [Pdo](const TInterface& entry) { return entry.Pdo == Pdo; });
}

extern "C" NTSTATUS IoRegisterDeviceInterface(PDEVICE_OBJECT PhysicalDeviceObject, const GUID* InterfaceClassGuid,
                                              PUNICODE_STRING ReferenceString, PUNICODE_STRING SymbolicLinkName)
{
    if (ReferenceString)
        return STATUS_NOT_SUPPORTED; // no driver here uses reference strings
    const std::u16string& instancePath = WdmDevicePrivate(PhysicalDeviceObject).InstancePath;
    if (instancePath.empty() || WdmCallFails(TWdmCall::RegisterInterface))
        return STATUS_INVALID_PARAMETER; // not a physical device
    std::u16string link = LinkNameFor(instancePath, *InterfaceClassGuid);
    SIZE_T bytes = (link.size() + 1) * sizeof(WCHAR);
    if (bytes > 0xFFFF)
        return STATUS_NAME_TOO_LONG;
    auto* buffer = static_cast<PWCH>(ExAllocatePoolWithTag(PagedPool, bytes, WdmTag("Strg")));
    if (!buffer)
        return STATUS_INSUFFICIENT_RESOURCES;
    std::memcpy(buffer, link.c_str(), bytes);
    SymbolicLinkName->Buffer = buffer;
    SymbolicLinkName->Length = static_cast<USHORT>(link.size() * sizeof(WCHAR));
    SymbolicLinkName->MaximumLength = static_cast<USHORT>(bytes);

    std::lock_guard lock(InterfaceMutex);
    if (!Find(link))
        Interfaces.push_back({link, PhysicalDeviceObject, *InterfaceClassGuid, false});
    return STATUS_SUCCESS;
}

extern "C" NTSTATUS IoSetDeviceInterfaceState(PUNICODE_STRING SymbolicLinkName, BOOLEAN Enable)
{
    if (WdmCallFails(TWdmCall::SetInterfaceState))
        return STATUS_OBJECT_NAME_NOT_FOUND;
    std::u16string link(SymbolicLinkName->Buffer, SymbolicLinkName->Length / sizeof(WCHAR));
    std::lock_guard lock(InterfaceMutex);
    TInterface* entry = Find(link);
    if (!entry)
        return STATUS_OBJECT_NAME_NOT_FOUND;
    bool wasEnabled = entry->Enabled;
    entry->Enabled = Enable != FALSE;
    return Enable && wasEnabled ? STATUS_OBJECT_NAME_EXISTS : STATUS_SUCCESS;
}
