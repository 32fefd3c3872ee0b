#include "DocumentOpener.h"

bool DocumentOpener::open (const juce::File& file)
{
    auto launch = std::make_unique<Launch>();
    launch->file = file;

    // Its output is not read: the viewer it starts may write as much as it likes.
    if (! launch->process.start (juce::StringArray { "xdg-open", file.getFullPathName() }, 0))
    {
        onFailure (file);
        return false;
    }

    launches.push_back (std::move (launch));
    startTimer (100);
    return true;
}
