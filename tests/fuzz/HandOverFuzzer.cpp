// Feeds arbitrary bytes to what the running editor does with a later launch's command line,
// and to how a launch reads its own arguments.
#include "FuzzSupport.h"
#include "app/singleinstance/SingleInstance.h"
#include "preset/ExternalText.h"

extern "C" int LLVMFuzzerTestOneInput (const uint8_t* data, size_t size)
{
    static const FatalAssertions fatalAssertions;
    static const juce::File workingFolder ("/home/user/some folder");

    if (const auto commandLine = SingleInstance::decodeCommandLine (data, size))
    {
        // What the application does with it: a path, maybe quoted, maybe relative.
        const auto absolute = SingleInstance::makePathAbsolute (*commandLine, workingFolder);
        const auto file = SingleInstance::fileNamedBy (absolute, workingFolder);

        if (! juce::CharPointer_UTF8::isValidString (file.getFullPathName().toRawUTF8(), std::numeric_limits<int>::max()))
            __builtin_trap();
    }

    // The same bytes as an argument of a launch (up to the first zero byte).
    const std::string argument (reinterpret_cast<const char*> (data), size);
    const auto decoded = ExternalText::decode (argument.c_str());
    const auto joined = SingleInstance::joinArguments ({ decoded, "-x" });

    // What a launch sends, the running editor takes as it was sent.
    if (joined.getNumBytesAsUTF8() <= SingleInstance::maxCommandLineBytes
        && SingleInstance::decodeCommandLine (joined.toRawUTF8(), joined.getNumBytesAsUTF8()) != joined)
        __builtin_trap();

    return 0;
}
