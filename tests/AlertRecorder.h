#pragma once

#include "preset/Alert.h"

#include <juce_events/juce_events.h>

/** Catches the alerts raised while it lives, instead of showing message boxes. */
class AlertRecorder
{
public:
    struct Entry
    {
        juce::String title, message;
    };

    AlertRecorder()
    {
        Alert::setPresenter ([this] (const juce::String& title, const juce::String& message) {
            const juce::ScopedLock sl (lock);
            entries.add ({ title, message });
        });
    }

    ~AlertRecorder() { Alert::setPresenter ({}); }

    juce::Array<Entry> getEntries() const
    {
        const juce::ScopedLock sl (lock);
        return entries;
    }

    juce::StringArray getTitles() const
    {
        juce::StringArray titles;
        for (const auto& e : getEntries())
            titles.add (e.title);
        return titles;
    }

    int size() const { return getEntries().size(); }

    void clear()
    {
        const juce::ScopedLock sl (lock);
        entries.clear();
    }

    /** Runs the message loop until `count` alerts have arrived or the deadline passes. */
    bool waitFor (int count, int timeoutMs = 5000) const
    {
        const auto deadline = juce::Time::getMillisecondCounter() + (juce::uint32) timeoutMs;

        while (size() < count && juce::Time::getMillisecondCounter() < deadline)
            juce::MessageManager::getInstance()->runDispatchLoopUntil (5);

        return size() >= count;
    }

private:
    juce::CriticalSection lock;
    juce::Array<Entry> entries;
};
