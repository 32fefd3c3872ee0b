#pragma once

#include "midi/MidiManager.h"

#include <vector>

/** Records the messages a MidiManager hands it; with a shared log, also the order of listeners. */
class RecordingMidiListener : public MidiManager::MidiManagerListener
{
public:
    explicit RecordingMidiListener (juce::StringArray* orderLogToUse = nullptr, juce::String nameToUse = {})
        : orderLog (orderLogToUse), name (std::move (nameToUse))
    {
    }

    void midiMessageReceived (const juce::MidiMessage& message) override
    {
        const juce::ScopedLock sl (lock);
        messages.push_back (message);

        if (orderLog != nullptr)
            orderLog->add (name);
    }

    std::vector<juce::MidiMessage> getMessages() const
    {
        const juce::ScopedLock sl (lock);
        return messages;
    }

    int size() const { return (int) getMessages().size(); }

private:
    juce::CriticalSection lock;
    std::vector<juce::MidiMessage> messages;
    juce::StringArray* orderLog;
    juce::String name;
};

/** A note any test can send and look for. */
inline const juce::MidiMessage noteOn = juce::MidiMessage::noteOn (1, 60, (juce::uint8) 100);

/** The bytes of a message on the wire. */
inline std::vector<juce::uint8> bytesOf (const juce::MidiMessage& message)
{
    return { message.getRawData(), message.getRawData() + message.getRawDataSize() };
}
