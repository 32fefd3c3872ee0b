#include "ExternalText.h"

juce::File ExternalText::getCurrentWorkingDirectory()
{
    // The framework asks Windows for the folder's name in UTF-16, which holds any name.
    return juce::File::getCurrentWorkingDirectory();
}
