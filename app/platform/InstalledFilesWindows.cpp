#include "InstalledFiles.h"

juce::File InstalledFiles::getProgramFile()
{
    // Windows names the running module by its full path.
    return juce::File::getSpecialLocation (juce::File::currentExecutableFile);
}

juce::Array<juce::File> InstalledFiles::getDocumentPlaces (const juce::String& fileName)
{
    const auto programFolder = getProgramFile().getParentDirectory();

    // The installer and the zip put the documents beside the program; a release build folder
    // keeps them in docs\, beside the program.
    return { programFolder.getChildFile (fileName), programFolder.getChildFile ("docs").getChildFile (fileName) };
}
