// Counted strings.
#include "WdmPool.h"

extern "C" void RtlInitUnicodeString(PUNICODE_STRING DestinationString, const WCHAR* SourceString)
{
    DestinationString->Buffer = const_cast<PWCH>(SourceString);
    USHORT chars = 0;
    if (SourceString)
        while (SourceString[chars])
            ++chars;
    DestinationString->Length = static_cast<USHORT>(chars * sizeof(WCHAR));
    DestinationString->MaximumLength = SourceString ? static_cast<USHORT>(DestinationString->Length + sizeof(WCHAR)) : 0;
}

extern "C" void RtlFreeUnicodeString(PUNICODE_STRING UnicodeString)
{
    if (UnicodeString->Buffer)
        ExFreePool(UnicodeString->Buffer);
    UnicodeString->Buffer = nullptr;
    UnicodeString->Length = 0;
    UnicodeString->MaximumLength = 0;
}
