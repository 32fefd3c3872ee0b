// Feeds arbitrary arguments (the input split at zero bytes) to q7x-preset as its main() passes
// them on, in a folder of its own holding a preset and its JSON form. Arguments cannot leave that
// folder: a "/" becomes "_" and a leading "~" a "_" (the fuzzer runs as whoever started it).
#include "FuzzSupport.h"
#include "cli/PresetCommandLine.h"
#include "cli/PresetJson.h"
#include "midi/InMemoryMidiBackend.h"
#include "preset/ExternalText.h"
#include "preset/PresetFraming.h"
#include "preset/PresetLayout.h"

#include <fcntl.h>
#include <filesystem>
#include <sstream>
#include <unistd.h>

namespace
{
/** A fresh folder holding "a.q7x" and "a.json", made the working folder. Standard input is
    empty, so that "import -" never waits for a terminal.
*/
void prepareWorkingFolder()
{
    static const auto folder = juce::File::createTempFile ("q7x-fuzz-cli");
    static const auto emptyInput = ::dup2 (::open ("/dev/null", O_RDONLY | O_CLOEXEC), STDIN_FILENO);
    juce::ignoreUnused (emptyInput);

    std::filesystem::remove_all (folder.getFullPathName().toStdString());
    folder.createDirectory();
    folder.setAsCurrentWorkingDirectory();

    const auto image = PresetLayout::getDefaultPresetImage();
    folder.getChildFile ("a.q7x").replaceWithData (PresetFraming::makeDumpMessage (image).begin(), PresetLayout::presetDumpSize);
    folder.getChildFile ("a.json").replaceWithText (juce::JSON::toString (PresetJson::toJson (image)));
}

/** The input split at zero bytes, as main() would get it: argv[0] first. */
std::vector<std::string> argumentsFrom (const uint8_t* data, size_t size)
{
    std::string bytes (reinterpret_cast<const char*> (data), size);
    std::vector<std::string> arguments { "q7x-preset" };

    for (size_t start = 0; start <= bytes.size() && arguments.size() < 9;)
    {
        auto argument = bytes.substr (start, bytes.find ('\0', start) - start);
        start += argument.size() + 1;
        std::replace (argument.begin(), argument.end(), '/', '_');

        if (! argument.empty() && argument[0] == '~')
            argument[0] = '_';

        arguments.push_back (argument);
    }

    return arguments;
}
} // namespace

extern "C" int LLVMFuzzerTestOneInput (const uint8_t* data, size_t size)
{
    static const FatalAssertions fatalAssertions;
    prepareWorkingFolder();

    std::ostringstream out, err;
    const auto arguments = argumentsFrom (data, size);
    std::vector<const char*> argv;

    for (const auto& argument : arguments)
        argv.push_back (argument.c_str());

    // No MIDI ports: send and get end at once with a missing port instead of waiting for a device.
    static InMemoryMidiBackend noPorts;
    const auto status = PresetCommandLine (out, err, noPorts).run ((int) argv.size(), argv.data());

    if (status < PresetCommandLine::success || status > PresetCommandLine::usageError)
        __builtin_trap();

    // Everything it says is text a terminal can show, whatever bytes it was given.
    for (const auto& text : { out.str(), err.str() })
        if (! ExternalText::isStrictUtf8 (text.data(), text.size()))
            __builtin_trap();

    return 0;
}
