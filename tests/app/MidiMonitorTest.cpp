#include "AppTestSupport.h"
#include "app/WindowManager.h"
#include "midi/InMemoryMidiBackend.h"

namespace
{
class MidiMonitorTest : public WindowManagerFixture
{
protected:
    const int deviceIn = backend.addInput ("Keys In"), deviceOut = backend.addOutput ("Keys Out");

    MidiMonitorComponent& openMonitor()
    {
        manager->showMidiMonitor();
        return manager->getMidiMonitorWindow()->getMonitor();
    }

    static int countMonitorWindows()
    {
        int count = 0;
        auto& desktop = juce::Desktop::getInstance();

        for (int i = 0; i < desktop.getNumComponents(); ++i)
            if (desktop.getComponent (i)->getName() == "MIDI Monitor" && desktop.getComponent (i)->isVisible())
                ++count;

        return count;
    }

    void receive (std::initializer_list<juce::uint8> bytes)
    {
        backend.deliver (deviceIn, juce::MidiMessage (bytes.begin(), (int) bytes.size()));
        ASSERT_TRUE (waitUntil ([this] { return backend.isIdle(); }));
    }

    static bool click (juce::Button& button, const std::function<bool()>& done)
    {
        button.triggerClick();
        return waitUntil (done);
    }
};

TEST_F (MidiMonitorTest, OneWindowListsInAndOutAndPausesClearsAndCopies)
{
    midi.setInputDevice ("Keys In");
    midi.setOutputDevice ("Keys Out");

    // Nothing is recorded before the monitor opens.
    receive ({ 0xb0, 0x01, 0x02 });

    auto* monitor = &openMonitor();
    auto* window = manager->getMidiMonitorWindow();
    EXPECT_EQ (&openMonitor(), monitor);
    EXPECT_EQ (countMonitorWindows(), 1);
    EXPECT_EQ (window->getName(), "MIDI Monitor");

    auto& log = monitor->getLog();
    receive ({ 0xb0, 0x15, 0x40 });
    midi.sendMessage (juce::MidiMessage::programChange (1, 5));
    ASSERT_TRUE (waitUntil ([&] { return log.getNumLines() == 2; }));
    EXPECT_TRUE (log.getLine (0).contains ("  In   Keys In  B0 15 40  CC 21 = 64, channel 1")) << log.getLine (0);
    EXPECT_TRUE (log.getLine (1).contains ("  Out  Keys Out  C0 05  Program Change 5, channel 1")) << log.getLine (1);

    // Paused, what comes is not listed, and resumed it is again.
    ASSERT_TRUE (click (monitor->getPauseButton(), [&] { return log.isPaused(); }));
    receive ({ 0x90, 0x3c, 0x64 });
    ASSERT_TRUE (click (monitor->getPauseButton(), [&] { return ! log.isPaused(); }));
    receive ({ 0x80, 0x3c, 0x00 });
    ASSERT_TRUE (waitUntil ([&] { return log.getNumLines() == 3; }));
    EXPECT_TRUE (log.getLine (2).contains ("80 3C 00  Note Off 60")) << log.getLine (2);

    // Copy puts the whole list on the clipboard, one line each.
    juce::SystemClipboard::copyTextToClipboard ("before");
    ASSERT_TRUE (click (monitor->getCopyButton(), [] { return juce::SystemClipboard::getTextFromClipboard() != "before"; }));
    EXPECT_EQ (juce::SystemClipboard::getTextFromClipboard(), log.getLine (0) + "\n" + log.getLine (1) + "\n" + log.getLine (2) + "\n");

    ASSERT_TRUE (click (monitor->getClearButton(), [&] { return log.getNumLines() == 0; }));

    // Closing ends the recording; the next monitor starts empty.
    window->closeButtonPressed();
    EXPECT_EQ (manager->getMidiMonitorWindow(), nullptr);
    EXPECT_EQ (countMonitorWindows(), 0);
    receive ({ 0xb0, 0x15, 0x41 });
    EXPECT_EQ (openMonitor().getLog().getNumLines(), 0);
}

// A control message is named after the controls of the document's preset that send it, with the
// monitor in front as well: Knob 2 sends CC 21 on channel 1 in the default preset.
TEST_F (MidiMonitorTest, NamesTheControlsOfTheDocumentThatSendAMessage)
{
    midi.setInputDevice ("Keys In");
    manager->newDocument();
    auto& log = openMonitor().getLog();
    receive ({ 0xb0, 0x15, 0x40 });
    ASSERT_TRUE (waitUntil ([&] { return log.getNumLines() == 1; }));
    EXPECT_TRUE (log.getLine (0).endsWith ("B0 15 40  Knob 2 CC 21 = 64, channel 1")) << log.getLine (0);
}
} // namespace
