#include "DocumentOpener.h"

bool DocumentOpener::open (const juce::File& file)
{
    // The shell answers at once whether a program took the document.
    if (juce::Process::openDocument (file.getFullPathName(), {}))
        return true;

    onFailure (file);
    return false;
}
