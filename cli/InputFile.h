#pragma once

#include <juce_core/juce_core.h>

/**
    Opens a file named on the command line for reading its bytes as they are (binary mode on
    Windows, where text mode would turn CR LF into LF and stop at the first Ctrl+Z), without
    waiting on a pipe that has no writer. The system's calls live in InputFileLinux.cpp and
    InputFileWindows.cpp.
*/
namespace InputFile
{
/** A descriptor open for reading (close it with ::close), or -1 with errno set. */
int open (const juce::File& file);
} // namespace InputFile
