#include "MidiBytes.h"
#include "WaitUntil.h"
#include "midi/ChannelMessageRelay.h"
#include "midi/InMemoryMidiBackend.h"

#include <gtest/gtest.h>
#include <thread>

namespace
{
class ChannelMessageRelayTest : public testing::Test
{
protected:
    InMemoryMidiBackend backend;
    MidiManager manager { backend };
    std::vector<std::vector<std::vector<int>>> calls; // the bytes of each call's messages
    bool onMessageThread = true;
    ChannelMessageRelay relay { manager, [this] (const std::vector<juce::MidiMessage>& messages) {
                                   onMessageThread &= juce::MessageManager::getInstance()->isThisTheMessageThread();
                                   calls.emplace_back();

                                   for (const auto& message : messages)
                                       calls.back().push_back (wireBytes (message));
                               } };

    /** Delivers the messages from a thread of their own, as the MIDI service does, then lets the
        message thread have what it was sent.
    */
    void receiveOnMidiThread (const std::vector<juce::MidiMessage>& messages)
    {
        std::thread midiThread ([&] {
            for (const auto& message : messages)
                manager.handleIncomingMidiMessage (nullptr, message);
        });
        midiThread.join();
        EXPECT_TRUE (calls.empty()) << "called before the message thread had a turn";
        waitUntil ([this] { return ! calls.empty(); }, 2000);
        juce::MessageManager::getInstance()->runDispatchLoopUntil (20);
    }
};

TEST_F (ChannelMessageRelayTest, AKnobTurnedArrivesAsOneCallWithTheLatestMessageOfEachAddress)
{
    std::vector<juce::MidiMessage> burst;

    for (int value = 0; value < 100; ++value)
        burst.push_back (juce::MidiMessage::controllerEvent (1, 22, value));

    burst.push_back (juce::MidiMessage::noteOn (10, 37, (juce::uint8) 100));
    burst.push_back (juce::MidiMessage::createSysExMessage ("\x01\x02", 2));
    burst.push_back (juce::MidiMessage::noteOff (10, 37));
    burst.push_back (juce::MidiMessage::controllerEvent (1, 22, 127));
    burst.push_back (juce::MidiMessage::controllerEvent (2, 22, 5)); // another channel: another address
    receiveOnMidiThread (burst);

    // The note's last message, then the CC touched last, then channel 2's; no SysEx.
    const std::vector<std::vector<int>> expected { { 0x89, 37, 0 }, { 0xb0, 22, 127 }, { 0xb1, 22, 5 } };
    ASSERT_EQ (calls.size(), 1u);
    EXPECT_EQ (calls[0], expected);
    EXPECT_TRUE (onMessageThread);
}

TEST_F (ChannelMessageRelayTest, TheOldestAddressesGiveWayWhenMoreThanSixteenWait)
{
    std::vector<juce::MidiMessage> controls;

    for (int cc = 0; cc < 20; ++cc)
        controls.push_back (juce::MidiMessage::controllerEvent (1, cc, 1));

    receiveOnMidiThread (controls);
    ASSERT_EQ (calls.size(), 1u);
    ASSERT_EQ (calls[0].size(), 16u);
    EXPECT_EQ (calls[0].front(), (std::vector<int> { 0xb0, 4, 1 }));
    EXPECT_EQ (calls[0].back(), (std::vector<int> { 0xb0, 19, 1 }));
}
} // namespace
