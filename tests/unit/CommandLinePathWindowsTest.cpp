#include "app/singleinstance/SingleInstance.h"

#include <gtest/gtest.h>

// "Open with" and the command line hand the editor Windows paths: drives, servers, both separators.
TEST (CommandLinePathWindows, NamesTheFileAWindowsPathNames)
{
    const juce::File workingDirectory ("C:\\Work\\Presets");

    const struct
    {
        const char* commandLine;
        const char* expected;
    } cases[] = {
        { "live.q7x", "C:\\Work\\Presets\\live.q7x" },
        { "\"C:\\My Presets\\live.q7x\"", "C:\\My Presets\\live.q7x" },
        { "D:/Shows/live.q7x", "D:\\Shows\\live.q7x" },
        { "..\\Old\\live.q7x", "C:\\Work\\Old\\live.q7x" },
        { "sub/./live.q7x", "C:\\Work\\Presets\\sub\\live.q7x" },
        { "\\\\server\\share\\live.q7x", "\\\\server\\share\\live.q7x" },
    };

    for (const auto& c : cases)
        EXPECT_EQ (SingleInstance::fileNamedBy (c.commandLine, workingDirectory).getFullPathName(), c.expected) << c.commandLine;

    // A second launch hands over the path it names, whole and quoted.
    EXPECT_EQ (SingleInstance::makePathAbsolute ("live.q7x", workingDirectory), "\"C:\\Work\\Presets\\live.q7x\"");
}
