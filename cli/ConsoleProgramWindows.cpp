#include "ConsoleProgram.h"

#include <windows.h>
#include <shellapi.h>
#include <fcntl.h>
#include <io.h>
#include <cstdio>

namespace
{
std::string toUtf8 (const wchar_t* wide)
{
    // A lone surrogate (possible in a Windows file name) becomes U+FFFD rather than ill-formed bytes.
    const auto size = ::WideCharToMultiByte (CP_UTF8, 0, wide, -1, nullptr, 0, nullptr, nullptr);
    std::string text (size > 0 ? (size_t) size : 1, '\0');

    if (size > 0)
        ::WideCharToMultiByte (CP_UTF8, 0, wide, -1, text.data(), size, nullptr, nullptr);

    text.pop_back(); // the terminating zero
    return text;
}
} // namespace

std::vector<std::string> ConsoleProgram::start (int argc, char* argv[])
{
    ::_setmode (::_fileno (stdin), _O_BINARY);
    ::_setmode (::_fileno (stdout), _O_BINARY);
    ::_setmode (::_fileno (stderr), _O_BINARY);

    int count = 0;
    auto** wide = ::CommandLineToArgvW (::GetCommandLineW(), &count);

    if (wide == nullptr)
        return { argv, argv + argc };

    std::vector<std::string> arguments;

    for (int i = 0; i < count; ++i)
        arguments.push_back (toUtf8 (wide[i]));

    ::LocalFree (wide);
    return arguments;
}

int ConsoleProgram::end (int status)
{
    const auto ntdll = ::GetModuleHandleW (L"ntdll.dll");

    if (ntdll != nullptr && ::GetProcAddress (ntdll, "wine_get_version") != nullptr)
    {
        std::fflush (nullptr);
        ::TerminateProcess (::GetCurrentProcess(), (UINT) status);
    }

    return status;
}
