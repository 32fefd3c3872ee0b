#include "midi/MidiInputAssembler.h"

#include <gtest/gtest.h>

namespace
{
using Bytes = std::vector<juce::uint8>;

class Recorder : public juce::MidiInputCallback,
                 public SysExDropListener
{
public:
    void handleIncomingMidiMessage (juce::MidiInput*, const juce::MidiMessage& message) override
    {
        received.push_back ({ message.getRawData(), message.getRawData() + message.getRawDataSize() });
    }

    void sysExDropped (const juce::MidiMessage& start) override
    {
        droppedStarts.push_back ({ start.getRawData(), start.getRawData() + start.getRawDataSize() });
    }

    std::vector<Bytes> received, droppedStarts;
};

constexpr int deviceClient = 20, otherProgram = 129;

/** F0, `size - 2` data bytes counting up, F7. */
Bytes sysEx (size_t size, juce::uint8 first = 0x41)
{
    Bytes bytes { 0xf0 };

    for (size_t i = 0; i + 2 < size; ++i)
        bytes.push_back ((juce::uint8) ((first + i) & 0x7f));

    bytes.push_back (0xf7);
    return bytes;
}

Bytes join (std::initializer_list<Bytes> parts)
{
    Bytes all;

    for (const auto& part : parts)
        all.insert (all.end(), part.begin(), part.end());

    return all;
}

struct Event
{
    int sender;
    bool isSysEx;
    Bytes bytes;
    size_t pieceSize = 3; // SysEx is handed over in pieces of this size
};

void feed (MidiInputAssembler& assembler, const Event& event)
{
    if (! event.isSysEx)
    {
        assembler.addMessage (event.sender, event.bytes.data(), event.bytes.size(), 0.0);
        return;
    }

    for (size_t i = 0; i < event.bytes.size(); i += event.pieceSize)
        assembler.addSysExPiece (event.sender, event.bytes.data() + i,
                                 std::min (event.pieceSize, event.bytes.size() - i), 0.0);
}

// What an input passes on, from what the system hands over.
TEST (MidiInputAssembler, PassesOnWholeMessagesOfItsDeviceUpToTheSizeLimit)
{
    const auto reply = sysEx (103);
    const Bytes noteOn { 0x90, 0x3c, 0x64 }, clock { 0xf8 };

    struct Case
    {
        const char* what;
        std::vector<Event> events;
        std::vector<Bytes> expected;
        int dropped;
    };

    const Case cases[] = {
        { "a reply in pieces of three bytes", { { deviceClient, true, reply } }, { reply }, 0 },
        { "a reply in one piece, then a note", { { deviceClient, true, reply, 200 }, { deviceClient, false, noteOn } }, { reply, noteOn }, 0 },
        { "the longest SysEx kept", { { deviceClient, true, sysEx (4096), 1000 } }, { sysEx (4096) }, 0 },
        { "one byte longer: dropped and counted, the next reply whole",
          { { deviceClient, true, sysEx (4097), 1000 }, { deviceClient, true, reply } },
          { reply },
          1 },
        { "F0 and a megabyte of data, never F7, then a reply",
          { { deviceClient, true, join ({ { 0xf0 }, Bytes (1 << 20, 0x11) }), 256 }, { deviceClient, true, reply } },
          { reply },
          1 },
        { "another program's reply and note are not heard",
          { { otherProgram, true, reply }, { otherProgram, false, noteOn } },
          {},
          0 },
        { "another program's SysEx amid the deviceClient's leaves it whole",
          { { deviceClient, true, Bytes (reply.begin(), reply.begin() + 50) },
            { otherProgram, true, sysEx (10) },
            { deviceClient, true, Bytes (reply.begin() + 50, reply.end()) } },
          { reply },
          0 },
        { "a clock amid a SysEx is passed on, the SysEx goes on",
          { { deviceClient, true, Bytes (reply.begin(), reply.begin() + 50) },
            { deviceClient, false, clock },
            { deviceClient, true, Bytes (reply.begin() + 50, reply.end()) } },
          { clock, reply },
          0 },
        { "a note cuts a SysEx short: its rest is no message",
          { { deviceClient, true, Bytes (reply.begin(), reply.begin() + 50) },
            { deviceClient, false, noteOn },
            { deviceClient, true, Bytes (reply.begin() + 50, reply.end()) } },
          { noteOn },
          0 },
        { "a status byte inside the SysEx cuts it short",
          { { deviceClient, true, join ({ Bytes (reply.begin(), reply.begin() + 50), { 0x80 }, Bytes (reply.begin() + 50, reply.end()) }) } },
          {},
          0 },
        { "stray data and F7 without F0", { { deviceClient, true, { 0x10, 0x20, 0xf7 } } }, {}, 0 },
    };

    for (const auto& c : cases)
    {
        SCOPED_TRACE (c.what);
        Recorder recorder;
        std::atomic<int> dropped { 0 };
        MidiInputAssembler assembler (recorder, deviceClient, dropped);

        for (const auto& event : c.events)
            feed (assembler, event);

        EXPECT_EQ (recorder.received, c.expected);
        EXPECT_EQ (dropped.load(), c.dropped);

        // The callback hears of each drop too, with the dropped message's F0 and header.
        ASSERT_EQ ((int) recorder.droppedStarts.size(), c.dropped);

        for (const auto& start : recorder.droppedStarts)
            EXPECT_EQ (start, Bytes (c.events.front().bytes.begin(), c.events.front().bytes.begin() + 9));
    }
}

// Windows hands SysEx over in the input buffers an input lends its driver, each given back when full
// or at F7; a buffer the driver found in error (a piece lost) ends the message unfinished.
TEST (MidiInputAssembler, PutsRepliesTogetherFromInputBuffers)
{
    const auto reply = sysEx (103);

    for (const size_t bufferSize : { 1u, 3u, 64u, 102u, 103u, 256u })
    {
        SCOPED_TRACE ("buffers of " + std::to_string (bufferSize) + " bytes");
        Recorder recorder;
        std::atomic<int> dropped { 0 };
        MidiInputAssembler assembler (recorder, deviceClient, dropped);

        // The first reply loses its second buffer; the second comes whole.
        const auto firstLost = std::min (bufferSize, reply.size() - 1);
        assembler.addSysExPiece (deviceClient, reply.data(), firstLost, 0.0);
        assembler.abandonSysEx();
        assembler.addSysExPiece (deviceClient, reply.data() + firstLost + 1, reply.size() - firstLost - 1, 0.0);

        for (size_t i = 0; i < reply.size(); i += bufferSize)
            assembler.addSysExPiece (deviceClient, reply.data() + i, std::min (bufferSize, reply.size() - i), 0.0);

        EXPECT_EQ (recorder.received, std::vector<Bytes> { reply });
        EXPECT_EQ (dropped.load(), 0);
    }
}
} // namespace
