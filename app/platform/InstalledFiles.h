#pragma once

#include <juce_core/juce_core.h>

/**
    Where the program runs from and where the files installed with it are, as each system's
    installer lays them out.
*/
namespace InstalledFiles
{
/** Where the program runs from, links resolved: the framework's own answer is built from the
    path it was started with, which on Linux is relative when it was found on PATH.
*/
juce::File getProgramFile();

/** Where a document that comes with the program (the user guide) may be, in the order tried. */
juce::Array<juce::File> getDocumentPlaces (const juce::String& fileName);
} // namespace InstalledFiles
