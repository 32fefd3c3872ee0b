#include "WineRepaintPump.h"

#include <windows.h>

bool WineRepaintPump::isRunningUnderWine()
{
    // Wine's own ntdll exports its version; Windows' never does.
    const auto ntdll = ::GetModuleHandleW (L"ntdll.dll");
    return ntdll != nullptr && ::GetProcAddress (ntdll, "wine_get_version") != nullptr;
}
