#include "DocumentOpener.h"

DocumentOpener::DocumentOpener (std::function<void (const juce::File&)> failure)
    : onFailure (std::move (failure))
{
}

DocumentOpener::~DocumentOpener()
{
    stopTimer();
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

        // The opener exits with a non-zero status when no program takes the file (or it is not there).
        if (process.getExitCode() != 0)
            failed.push_back ((*it)->file);

        it = launches.erase (it);
    }

    if (launches.empty())
        stopTimer();

    for (const auto& file : failed)
        onFailure (file);
}
