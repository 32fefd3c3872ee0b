#include "midi/InMemoryMidiBackend.h"
#include "midi/MidiInputAssembler.h"
#include "midi/MidiManager.h"
#include "midi/MidiMonitorFormat.h"
#include "midi/MidiMonitorLog.h"
#include "preset/PresetLayout.h"

#include <gtest/gtest.h>

namespace
{
using MonitorBytes = std::vector<int>;

juce::MidiMessage monitorMessage (const MonitorBytes& bytes)
{
    std::vector<juce::uint8> raw (bytes.begin(), bytes.end());
    return { raw.data(), (int) raw.size() };
}

/** F0, the preset header with `command`, the image bytes (the default preset's, `imageBytes`
    of them, with `changes` as offset and value), F7.
*/
MonitorBytes presetMessage (int command, int imageBytes = 93, std::vector<std::pair<int, int>> changes = {})
{
    MonitorBytes bytes { 0xf0, 0x00, 0x00, 0x0e, 0x00, 0x41, command, 0x00, 0x5d };
    auto image = PresetLayout::getDefaultPresetImage();

    for (auto [offset, value] : changes)
        image.set (offset, (juce::uint8) value);

    bytes.insert (bytes.end(), image.begin(), image.begin() + imageBytes);
    bytes.push_back (0xf7);
    return bytes;
}

// 14:03:07.250 local time, as the monitor shows it.
const juce::Time monitorTime (2026, 11, 9, 14, 3, 7, 250, true);

MidiTrafficEntry monitorEntry (const MonitorBytes& bytes, MidiDirection direction = MidiDirection::in)
{
    return { monitorTime, direction, "Q7X Simulator", monitorMessage (bytes) };
}
} // namespace

TEST (MidiMonitorLogTest, LinesShowTimeDirectionPortBytesAndMeaning)
{
    const auto in = MidiDirection::in, out = MidiDirection::out;

    struct Case
    {
        MonitorBytes bytes;
        MidiDirection direction;
        const char* line;
    };

    const Case cases[] = {
        { { 0xb0, 0x15, 0x40 }, in, "14:03:07.250  In   Q7X Simulator  B0 15 40  CC 21 = 64, channel 1" },
        { { 0x99, 0x3c, 0x64 }, in, "14:03:07.250  In   Q7X Simulator  99 3C 64  Note On 60 velocity 100, channel 10" },
        { { 0x8f, 0x24, 0x00 }, in, "14:03:07.250  In   Q7X Simulator  8F 24 00  Note Off 36 velocity 0, channel 16" },
        { { 0xc0, 0x05 }, in, "14:03:07.250  In   Q7X Simulator  C0 05  Program Change 5, channel 1" },
        { { 0xe1, 0x00, 0x40 }, in, "14:03:07.250  In   Q7X Simulator  E1 00 40  Pitch Bend 0, channel 2" },
        { { 0xe0, 0x00, 0x00 }, in, "14:03:07.250  In   Q7X Simulator  E0 00 00  Pitch Bend -8192, channel 1" },
        { { 0xd2, 0x20 }, in, "14:03:07.250  In   Q7X Simulator  D2 20  Channel Pressure 32, channel 3" },
        { { 0xf0, 0x00, 0x00, 0x0e, 0x00, 0x41, 0x62, 0x00, 0x5d, 0xf7 }, out, "14:03:07.250  Out  Q7X Simulator  F0 00 00 0E 00 41 62 00 5D F7  preset request" },
        { presetMessage (0x61), out,
          "14:03:07.250  Out  Q7X Simulator  F0 00 00 0E 00 41 61 00 5D ... (103 bytes)  preset sent" },
        { presetMessage (0x63), in,
          "14:03:07.250  In   Q7X Simulator  F0 00 00 0E 00 41 63 00 5D ... (103 bytes)  preset reply, accepted" },
        // The keybed's channel byte (offset 2) holds 0-15.
        { presetMessage (0x63, 93, { { 2, 16 } }), in,
          "14:03:07.250  In   Q7X Simulator  F0 00 00 0E 00 41 63 00 5D ... (103 bytes)  "
          "preset reply refused: Keybed MIDI Channel 16 out of range" },
        { presetMessage (0x63, 46), in,
          "14:03:07.250  In   Q7X Simulator  F0 00 00 0E 00 41 63 00 5D ... (56 bytes)  "
          "preset reply refused: 46 bytes where a preset has 93" },
        // Another maker's short SysEx is shown whole.
        { { 0xf0, 0x7e, 0x7f, 0x06, 0x01, 0xf7 }, in, "14:03:07.250  In   Q7X Simulator  F0 7E 7F 06 01 F7  SysEx" },
    };

    for (const auto& c : cases)
        EXPECT_EQ (MidiMonitorFormat::formatLine (monitorEntry (c.bytes, c.direction)), c.line);
}

// A SysEx message the input drops as too long has a line of its own: one per message, whatever
// its length, and none for the bytes that follow it.
TEST (MidiMonitorLogTest, EachSysExDroppedAsTooLongIsALine)
{
    InMemoryMidiBackend backend;
    MidiManager manager { backend };
    MidiMonitorLog log;
    manager.setTrafficListener (&log);
    std::atomic<int> dropped { 0 };
    constexpr int device = 20;
    MidiInputAssembler input (manager, device, dropped);

    std::vector<juce::uint8> flood { 0xf0, 0x00, 0x00, 0x0e, 0x00, 0x41, 0x63, 0x00, 0x5d };
    flood.resize (5000, 0x11);
    const std::vector<juce::uint8> end { 0xf7 }, clock { 0xf8 };

    input.addSysExPiece (device, flood.data(), flood.size(), 0.0);
    input.addSysExPiece (device, end.data(), end.size(), 0.0);
    flood.resize (70000, 0x22); // a longer one, never ended
    input.addSysExPiece (device, flood.data(), flood.size(), 0.0);
    input.addMessage (device, clock.data(), clock.size(), 0.0);
    log.showWaitingTraffic();

    ASSERT_EQ (log.getNumLines(), 3) << log.getText();

    for (int i : { 0, 1 })
        EXPECT_TRUE (log.getLine (i).endsWith ("  In     F0 00 00 0E 00 41 63 00 5D ...  SysEx longer than 4096 bytes, dropped"))
            << log.getLine (i);

    EXPECT_TRUE (log.getLine (2).contains ("  In     F8  ")) << log.getLine (2);
}

TEST (MidiMonitorLogTest, ChannelMessagesNameTheControlsThatSendThem)
{
    MidiMonitorLog log;
    log.setControlNamer ([] (const juce::MidiMessage& message) {
        return message.isController() && message.getControllerNumber() == 21 ? juce::StringArray { "Knob 2", "Knob 5" }
                                                                             : juce::StringArray();
    });

    log.add (monitorEntry ({ 0xb0, 0x15, 0x40 }));
    log.add (monitorEntry ({ 0xb0, 0x16, 0x40 }));
    log.showWaitingTraffic();

    ASSERT_EQ (log.getNumLines(), 2);
    EXPECT_TRUE (log.getLine (0).endsWith ("B0 15 40  Knob 2, Knob 5 CC 21 = 64, channel 1")) << log.getLine (0);
    EXPECT_TRUE (log.getLine (1).endsWith ("B0 16 40  CC 22 = 64, channel 1")) << log.getLine (1);
}

TEST (MidiMonitorLogTest, KeepsTheLast2000LinesAndAsksOnceForEachBatchShown)
{
    MidiMonitorLog log;
    int asked = 0;
    log.onTrafficWaiting = [&asked] { ++asked; };

    const auto addNumbered = [&log] (int from, int count) {
        for (int i = from; i < from + count; ++i)
            log.add (monitorEntry ({ 0xb0 | (i / 128 % 16), i / 2048, i % 128 }));
    };

    addNumbered (0, 1500);
    EXPECT_EQ (asked, 1);
    log.showWaitingTraffic();
    addNumbered (1500, 1500);
    EXPECT_EQ (asked, 2);
    log.showWaitingTraffic();

    // Messages 1000-2999 are left, the oldest first: 1000 is B7 00 68, 2999 is B7 01 37.
    ASSERT_EQ (log.getNumLines(), 2000);
    EXPECT_TRUE (log.getLine (0).contains ("  B7 00 68  CC 0 = 104, channel 8")) << log.getLine (0);
    EXPECT_TRUE (log.getLine (1999).contains ("  B7 01 37  CC 1 = 55, channel 8")) << log.getLine (1999);
    EXPECT_EQ (juce::StringArray::fromLines (log.getText().trimEnd()).size(), 2000);

    // A flood waiting to be shown is bounded too.
    addNumbered (3000, 2001);
    log.showWaitingTraffic();
    EXPECT_EQ (log.getNumLines(), 2000);
    EXPECT_TRUE (log.getLine (0).contains ("  B7 01 39  ")) << log.getLine (0); // 3001

    // Paused, nothing is recorded; cleared, nothing is left.
    log.setPaused (true);
    addNumbered (0, 3);
    log.setPaused (false);
    log.showWaitingTraffic();
    EXPECT_TRUE (log.getLine (1999).contains ("  B7 02 08  ")) << log.getLine (1999); // 5000
    log.clear();
    EXPECT_EQ (log.getNumLines(), 0);
    EXPECT_EQ (log.getText(), "");
}
