#include "MidiMonitorLog.h"

#include "MidiMonitorFormat.h"

void MidiMonitorLog::setControlNamer (ControlNamer namer)
{
    controlNamer = std::move (namer);
}

void MidiMonitorLog::midiTraffic (MidiDirection direction, const juce::String& port, const juce::MidiMessage& message)
{
    add ({ juce::Time::getCurrentTime(), direction, port, message });
}

void MidiMonitorLog::midiSysExDropped (const juce::String& port, const juce::MidiMessage& start)
{
    add ({ juce::Time::getCurrentTime(), MidiDirection::in, port, start, true });
}

void MidiMonitorLog::add (MidiTrafficEntry entry)
{
    if (paused)
        return;

    bool first = false;

    {
        const juce::ScopedLock sl (lock);
        first = waiting.empty();
        waiting.push_back (std::move (entry));

        // A flood the message thread cannot keep up with keeps only what it could show.
        if (waiting.size() > (size_t) maxLines)
            waiting.pop_front();
    }

    if (first && onTrafficWaiting != nullptr)
        onTrafficWaiting();
}

void MidiMonitorLog::showWaitingTraffic()
{
    std::deque<MidiTrafficEntry> taken;

    {
        const juce::ScopedLock sl (lock);
        taken.swap (waiting);
    }

    for (const auto& entry : taken)
    {
        const auto names = controlNamer != nullptr && ! entry.message.isSysEx() && ! entry.droppedAsTooLong ? controlNamer (entry.message)
                                                                                                            : juce::StringArray();
        lines.push_back (MidiMonitorFormat::formatLine (entry, names));
    }

    while (lines.size() > (size_t) maxLines)
        lines.pop_front();
}

void MidiMonitorLog::clear()
{
    {
        const juce::ScopedLock sl (lock);
        waiting.clear();
    }

    lines.clear();
}

juce::String MidiMonitorLog::getText() const
{
    juce::String text;

    for (const auto& line : lines)
        text << line << "\n";

    return text;
}
