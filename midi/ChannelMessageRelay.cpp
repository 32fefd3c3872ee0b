#include "ChannelMessageRelay.h"

#include <algorithm>

ChannelMessageRelay::ChannelMessageRelay (MidiManager& managerToUse, Receiver receiverToUse)
    : manager (managerToUse),
      receiver (std::move (receiverToUse))
{
    manager.addListener (this);
}

ChannelMessageRelay::~ChannelMessageRelay()
{
    // Waits for a call in progress on the MIDI thread, which may trigger once more: cancelled after.
    manager.removeListener (this);
    cancelPendingUpdate();
}

void ChannelMessageRelay::midiMessageReceived (const juce::MidiMessage& message)
{
    const auto address = ControlMessages::getAddress (message);

    if (! address.has_value())
        return;

    {
        const juce::ScopedLock sl (lock);

        // The same address again replaces the older message, so a burst costs one entry.
        queued.erase (std::remove_if (queued.begin(), queued.end(),
                                      [&address] (const juce::MidiMessage& older) {
                                          return ControlMessages::getAddress (older) == address;
                                      }),
                      queued.end());

        if (queued.size() == maxQueued)
            queued.erase (queued.begin());

        queued.push_back (message);
    }

    // Posts at most one message to the message thread until that one has been handled.
    triggerAsyncUpdate();
}

void ChannelMessageRelay::handleAsyncUpdate()
{
    std::vector<juce::MidiMessage> messages;

    {
        const juce::ScopedLock sl (lock);
        messages.swap (queued);
    }

    if (! messages.empty() && receiver != nullptr)
        receiver (messages);
}
