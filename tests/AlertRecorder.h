#pragma once

#include "preset/Alert.h"

#include <vector>

/**
    Records every alert raised while it exists instead of showing it, and restores
    the message box when destroyed. Alerts raised off the message thread arrive
    through the message loop, so run it before looking.
*/
class AlertRecorder
{
public:
    struct Entry
    {
        juce::String title, message;
    };

    AlertRecorder()
    {
        Alert::setPresenter ([this] (const juce::String& title, const juce::String& message)
        {
            const juce::ScopedLock sl (lock);
            entries.push_back ({ title, message });
        });
    }

    ~AlertRecorder()
    {
        Alert::setPresenter ({});
    }

    std::vector<Entry> getAlerts() const
    {
        const juce::ScopedLock sl (lock);
        return entries;
    }

    int size() const
    {
        const juce::ScopedLock sl (lock);
        return (int) entries.size();
    }

    int countWithTitle (const juce::String& title) const
    {
        const juce::ScopedLock sl (lock);
        return (int) std::count_if (entries.begin(), entries.end(),
                                    [&] (const Entry& e) { return e.title == title; });
    }

    void clear()
    {
        const juce::ScopedLock sl (lock);
        entries.clear();
    }

private:
    juce::CriticalSection lock;
    std::vector<Entry> entries;

    JUCE_DECLARE_NON_COPYABLE (AlertRecorder)
};
