#include "InstalledFiles.h"

juce::File InstalledFiles::getProgramFile()
{
    const auto linked = juce::File ("/proc/self/exe").getLinkedTarget();

    if (linked.existsAsFile())
        return linked;

    return juce::File::getSpecialLocation (juce::File::currentExecutableFile);
}

juce::Array<juce::File> InstalledFiles::getDocumentPlaces (const juce::String& fileName)
{
    const auto programFolder = getProgramFile().getParentDirectory();

    // Installed, the program lives in <prefix>/bin and its documentation in <prefix>/share/doc,
    // wherever the prefix is: /usr, /usr/local, a folder the package was unpacked into. A release
    // build folder keeps the guide it built in docs/, beside the program. Last, where the package
    // puts it, for a program started through a path that hides its prefix.
    return { programFolder.getSiblingFile ("share/doc/q7x-editor").getChildFile (fileName),
             programFolder.getChildFile ("docs").getChildFile (fileName),
             juce::File ("/usr/share/doc/q7x-editor").getChildFile (fileName) };
}
