#include "DocumentOpener.h"

DocumentOpener::DocumentOpener (std::function<void (const juce::File&)> failure)
    : onFailure (std::move (failure))
{
}

DocumentOpener::~DocumentOpener()
{
    stopTimer();
}

juce::StringArray DocumentOpener::getCommandFor (const juce::File& file)
{
    return { "xdg-open", file.getFullPathName() };
}

bool DocumentOpener::open (const juce::File& file)
{
    auto launch = std::make_unique<Launch>();
    launch->file = file;

    // Its output is not read: the viewer it starts may write as much as it likes.
    if (! launch->process.start (getCommandFor (file), 0))
    {
        onFailure (file);
        return false;
    }

    launches.push_back (std::move (launch));
    startTimer (100);
    return true;
}

void DocumentOpener::timerCallback()
{
    std::vector<juce::File> failed;

    for (auto it = launches.begin(); it != launches.end();)
    {
        auto& process = (*it)->process;

        if (process.isRunning())
        {
            ++it;
            continue;
        }

        // xdg-open exits with a non-zero status when no program takes the file (or it is not there).
        if (process.getExitCode() != 0)
            failed.push_back ((*it)->file);

        it = launches.erase (it);
    }

    if (launches.empty())
        stopTimer();

    for (const auto& file : failed)
        onFailure (file);
}
