#include "MidiInputAssembler.h"

#include <algorithm>

namespace
{
constexpr juce::uint8 sysExStart = 0xf0, sysExEnd = 0xf7;

bool isRealTime (juce::uint8 byte)
{
    return byte >= 0xf8;
}

bool isStatus (juce::uint8 byte)
{
    return byte >= 0x80;
}
} // namespace

MidiInputAssembler::MidiInputAssembler (juce::MidiInputCallback& callbackToUse, int deviceToHear,
                                        std::atomic<int>& droppedSysExCount)
    : callback (callbackToUse),
      dropListener (dynamic_cast<SysExDropListener*> (&callbackToUse)),
      device (deviceToHear),
      droppedSysEx (droppedSysExCount)
{
    pending.reserve (maxSysExBytes);
}

void MidiInputAssembler::addSysExPiece (int sender, const juce::uint8* data, size_t size, double time)
{
    if (sender != device)
        return;

    for (size_t i = 0; i < size; ++i)
        addSysExByte (data[i], time);
}

void MidiInputAssembler::addMessage (int sender, const juce::uint8* data, size_t size, double time)
{
    if (sender != device || size == 0)
        return;

    if (! isRealTime (data[0]))
        state = SysEx::none;

    deliver (data, size, time);
}

void MidiInputAssembler::addSysExByte (juce::uint8 byte, double time)
{
    if (byte == sysExStart)
    {
        pending.assign (1, byte);
        pendingTime = time;
        state = SysEx::receiving;
        return;
    }

    if (isRealTime (byte))
    {
        deliver (&byte, 1, time);
        return;
    }

    if (state != SysEx::receiving)
    {
        if (byte == sysExEnd)
            state = SysEx::none;

        return;
    }

    if (isStatus (byte) && byte != sysExEnd)
    {
        state = SysEx::none; // cut short by another message: nothing whole to pass on
        return;
    }

    if (pending.size() == maxSysExBytes)
    {
        state = SysEx::tooLong;
        ++droppedSysEx;

        if (dropListener != nullptr)
            dropListener->sysExDropped (juce::MidiMessage (pending.data(), (int) std::min (pending.size(), droppedStartBytes), pendingTime));

        return;
    }

    pending.push_back (byte);

    if (byte == sysExEnd)
    {
        state = SysEx::none;
        deliver (pending.data(), pending.size(), pendingTime);
    }
}

void MidiInputAssembler::deliver (const juce::uint8* data, size_t size, double time)
{
    callback.handleIncomingMidiMessage (nullptr, juce::MidiMessage (data, (int) size, time));
}
