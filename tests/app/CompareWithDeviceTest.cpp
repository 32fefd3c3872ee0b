#include "AppTestSupport.h"
#include "app/CommandIDs.h"
#include "app/compare/DeviceComparisonWindow.h"
#include "midi/Q7XSimulator.h"

// The document and the simulated Q7X both start from the default preset: Knob 2 on CC 21, Pad 1 on note 49.
namespace
{
class CompareWithDeviceTest : public WindowManagerFixture
{
protected:
    Q7XSimulator simulator { backend };
    EditorDocument* document = nullptr;

    void SetUp() override
    {
        midi.setInputDevice (Q7XSimulator::portName);
        midi.setOutputDevice (Q7XSimulator::portName);
        manager->newDocument();
        document = manager->getDocument (0);
    }

    const juce::Array<juce::uint8>& windowPreset() { return document->getPresetController().getPresetData(); }

    static DeviceComparisonWindow* findComparison()
    {
        auto& desktop = juce::Desktop::getInstance();

        for (int i = 0; i < desktop.getNumComponents(); ++i)
            if (auto* window = dynamic_cast<DeviceComparisonWindow*> (desktop.getComponent (i)))
                return window;

        return nullptr;
    }

    void invokeCompare()
    {
        document->invoke (juce::ApplicationCommandTarget::InvocationInfo (CommandIDs::compareWithDevice), false);
    }

    /** Runs the command and waits for its window; null when none came. */
    DeviceComparisonWindow* compare()
    {
        invokeCompare();
        waitUntil ([] { return findComparison() != nullptr; });
        return findComparison();
    }
};

TEST_F (CompareWithDeviceTest, ShowsTheSentenceOrTheDifferencesAndLeavesTheDocumentAlone)
{
    const auto before = windowPreset();

    auto* window = compare();
    ASSERT_NE (window, nullptr);
    EXPECT_EQ (window->getName(), "Compare with Device");
    EXPECT_EQ (window->getText(), "The Q7X holds this preset.");
    window->getButton ("Close").triggerClick();
    ASSERT_TRUE (waitUntil ([] { return findComparison() == nullptr; }));

    auto device = before;
    device.set (PresetLayout::findParameter ("Knob 2 CC")->offset, 74);
    device.set (PresetLayout::findParameter ("Pad 1 Note")->offset, 40);
    simulator.setPreset (device);
    window = compare();
    ASSERT_NE (window, nullptr);
    EXPECT_EQ (window->getText(), "Knob 2 CC: 21 in the window, 74 in the Q7X\n"
                                  "Pad 1 Note: 49 (C#2) in the window, 40 (E1) in the Q7X");
    EXPECT_EQ (windowPreset(), before);
    EXPECT_EQ (alerts.size(), 0);

    // Send puts the window's preset into the device; Get, the device's into the window, as Get Preset does.
    window->getButton ("Send").triggerClick();
    ASSERT_TRUE (waitUntil ([&] { return simulator.getPreset() == before; }));
    EXPECT_EQ (findComparison(), nullptr);
    simulator.setPreset (device);
    compare()->getButton ("Get").triggerClick();
    ASSERT_TRUE (alerts.waitFor (1));
    EXPECT_EQ (alerts.getTitles(), juce::StringArray ({ "MIDI Get Sucess" }));
    EXPECT_EQ (windowPreset(), device);
}

TEST_F (CompareWithDeviceTest, ARefusedReplyOrAMissingPortIsToldAsGetTellsIt)
{
    const auto before = windowPreset();

    simulator.setReplyKind (Q7XSimulator::ReplyKind::outOfRangeByte);
    invokeCompare();
    ASSERT_TRUE (alerts.waitFor (1));
    EXPECT_EQ (alerts.getTitles(), juce::StringArray ({ "Invalid MIDI Message" }));

    midi.setOutputDevice ({});
    invokeCompare();
    ASSERT_TRUE (alerts.waitFor (2));
    EXPECT_EQ (alerts.getTitles()[1], "No MIDI Device selected.");
    EXPECT_EQ (findComparison(), nullptr);
    EXPECT_EQ (windowPreset(), before);
}
} // namespace
