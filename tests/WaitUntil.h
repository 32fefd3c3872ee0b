#pragma once

#include <juce_events/juce_events.h>

#include <functional>

/**
    Runs the message loop until the condition holds or the deadline passes; returns
    whether it holds. For waiting on work done by other threads, never for timing.
*/
inline bool waitUntil (const std::function<bool()>& condition, int timeoutMs = 10000)
{
    const auto deadline = juce::Time::getMillisecondCounter() + (juce::uint32) timeoutMs;

    while (! condition())
    {
        if (juce::Time::getMillisecondCounter() > deadline)
            return condition();

        juce::MessageManager::getInstance()->runDispatchLoopUntil (5);
    }

    return true;
}
