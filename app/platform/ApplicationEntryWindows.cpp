#include "ApplicationEntry.h"

#include <windows.h>
#include <shellapi.h>

namespace ApplicationEntry
{
juce::StringArray getArguments (int, char*[])
{
    juce::StringArray arguments;
    int count = 0;

    if (auto* wide = ::CommandLineToArgvW (::GetCommandLineW(), &count))
    {
        for (int i = 1; i < count; ++i)
            arguments.add (juce::String (juce::CharPointer_UTF16 (reinterpret_cast<const juce::CharPointer_UTF16::CharType*> (wide[i]))));

        ::LocalFree (wide);
    }

    return arguments;
}

int runApplication (const char*, const juce::StringArray&)
{
    // A Windows GUI program's framework takes its arguments from the wide command line itself.
    return juce::JUCEApplicationBase::main();
}

bool hasDisplay()
{
    return true;
}
} // namespace ApplicationEntry
