#include "ApplicationEntry.h"
#include "preset/ExternalText.h"

#include <cstdlib>
#include <string>
#include <vector>

namespace ApplicationEntry
{
juce::StringArray getArguments (int argc, char* argv[])
{
    juce::StringArray arguments;

    for (int i = 1; i < argc; ++i)
        arguments.add (ExternalText::decode (argv[i]));

    return arguments;
}

int runApplication (const char* programName, const juce::StringArray& arguments)
{
    // The framework reads the arguments as UTF-8 without checking: it gets the checked ones.
    std::vector<std::string> checkedArguments;
    std::vector<const char*> checkedArgv { programName };

    for (const auto& argument : arguments)
        checkedArguments.push_back (argument.toStdString());

    for (const auto& argument : checkedArguments)
        checkedArgv.push_back (argument.c_str());

    return juce::JUCEApplicationBase::main ((int) checkedArgv.size(), checkedArgv.data());
}

bool hasDisplay()
{
    const auto* display = std::getenv ("DISPLAY");
    return display != nullptr && *display != 0;
}
} // namespace ApplicationEntry
