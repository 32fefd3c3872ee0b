#include "AppTestSupport.h"
#include "app/WindowManager.h"
#include "midi/InMemoryMidiBackend.h"

namespace
{
/** The in-memory ports, with a log of the order in which devices are opened. */
class LoggingBackend : public MidiBackend
{
public:
    explicit LoggingBackend (InMemoryMidiBackend& backendToUse) : inner (backendToUse) {}

    juce::Array<juce::MidiDeviceInfo> getInputDevices() override { return inner.getInputDevices(); }
    juce::Array<juce::MidiDeviceInfo> getOutputDevices() override { return inner.getOutputDevices(); }

    std::unique_ptr<InputPort> openInput (const juce::String& identifier, juce::MidiInputCallback* callback) override
    {
        log.add ("input " + nameOf (getInputDevices(), identifier));
        return inner.openInput (identifier, callback);
    }

    std::unique_ptr<OutputPort> openOutput (const juce::String& identifier) override
    {
        log.add ("output " + nameOf (getOutputDevices(), identifier));
        return inner.openOutput (identifier);
    }

    static juce::String nameOf (const juce::Array<juce::MidiDeviceInfo>& devices, const juce::String& identifier)
    {
        for (const auto& device : devices)
            if (device.identifier == identifier)
                return device.name;

        return {};
    }

    juce::StringArray log;

private:
    InMemoryMidiBackend& inner;
};

class DeviceSetupTest : public testing::Test
{
protected:
    InMemoryMidiBackend ports;
    const int inA = ports.addInput ("In A"), inB = ports.addInput ("In B");
    const int outA = ports.addOutput ("Out A"), outB = ports.addOutput ("Out B");
    LoggingBackend backend { ports };
    MidiManager midi { backend };
    juce::ApplicationCommandManager commands;
    juce::File lastFolder;
    WindowManager manager { &midi, &commands, lastFolder };

    DeviceManagerComponent* open()
    {
        manager.showDeviceSetup();
        auto* window = manager.getDeviceSetupWindow();
        return window != nullptr ? dynamic_cast<DeviceManagerComponent*> (window->getContentComponent()) : nullptr;
    }

    static juce::ListBox* list (DeviceManagerComponent* content, const char* name)
    {
        for (auto* child : content->getChildren())
            if (child->getName() == name)
                return dynamic_cast<juce::ListBox*> (child);

        return nullptr;
    }

    static void click (DeviceManagerComponent* content, const char* buttonText)
    {
        for (auto* child : content->getChildren())
            if (auto* button = dynamic_cast<juce::Button*> (child))
                if (button->getButtonText() == buttonText)
                    button->triggerClick();
    }

    /** Lets the clicks and the action messages they send arrive until the dialog has gone. */
    bool waitUntilClosed()
    {
        return waitUntil ([this] { return manager.getDeviceSetupWindow() == nullptr; });
    }
};

TEST_F (DeviceSetupTest, ListsTheDevicesWithNothingSelectedBeforeAChoice)
{
    auto* content = open();
    ASSERT_NE (content, nullptr);
    EXPECT_EQ (manager.getDeviceSetupWindow()->getName(), "Pelmar Q7X Editor Device Setup");
    EXPECT_EQ (content->getBounds(), juce::Rectangle<int> (0, 0, 360, 425));

    auto* inputs = list (content, "Input Devices");
    auto* outputs = list (content, "Output Devices");
    ASSERT_TRUE (inputs != nullptr && outputs != nullptr);
    EXPECT_EQ (inputs->getModel()->getNumRows(), 2);
    EXPECT_EQ (outputs->getModel()->getNumRows(), 2);
    EXPECT_EQ (content->getSelectedInputRow(), -1);
    EXPECT_EQ (content->getSelectedOutputRow(), -1);
}

TEST_F (DeviceSetupTest, OkAppliesOutputThenInputAndCloses)
{
    auto* content = open();
    content->selectInputRow (1);
    content->selectOutputRow (0);
    click (content, "OK");
    ASSERT_TRUE (waitUntilClosed());

    EXPECT_EQ (backend.log, juce::StringArray ({ "output Out A", "input In B" }));
    EXPECT_EQ (midi.getInputDeviceName(), "In B");
    EXPECT_EQ (midi.getOutputDeviceName(), "Out A");
    EXPECT_EQ (manager.getDeviceSetupWindow(), nullptr);

    // Opened again, the dialog selects the chosen devices.
    content = open();
    EXPECT_EQ (content->getSelectedInputRow(), 1);
    EXPECT_EQ (content->getSelectedOutputRow(), 0);
}

TEST_F (DeviceSetupTest, CancelChangesNothingEvenAfterRowsWereClicked)
{
    auto* content = open();
    content->selectInputRow (0);
    content->selectOutputRow (1);
    click (content, "Cancel");
    ASSERT_TRUE (waitUntilClosed());

    EXPECT_TRUE (backend.log.isEmpty());
    EXPECT_FALSE (midi.isInputOpen() || midi.isOutputOpen());
    EXPECT_EQ (manager.getDeviceSetupWindow(), nullptr);
}

TEST_F (DeviceSetupTest, ApplyStaysOpenAndCancelKeepsWhatWasApplied)
{
    auto* content = open();
    content->selectInputRow (0);
    content->selectOutputRow (1);
    click (content, "Apply");
    ASSERT_TRUE (waitUntil ([this] { return midi.isOutputOpen(); }));

    EXPECT_NE (manager.getDeviceSetupWindow(), nullptr);
    EXPECT_TRUE (midi.isInputOpen() && midi.isOutputOpen());
    EXPECT_EQ (ports.getNumOpenOutputPorts (outB), 1);

    click (content, "Cancel");
    ASSERT_TRUE (waitUntilClosed());
    EXPECT_EQ (ports.getNumOpenPorts (inA), 1);
    EXPECT_EQ (ports.getNumOpenOutputPorts (outB), 1);
}

TEST_F (DeviceSetupTest, NoInputOrARowWhoseDeviceLeftClosesThePortThatWasOpen)
{
    midi.setInputDevice ("In A");
    auto* content = open();
    list (content, "Input Devices")->deselectAllRows();
    content->selectOutputRow (1);
    click (content, "OK");
    ASSERT_TRUE (waitUntilClosed());

    EXPECT_EQ (ports.getNumOpenOutputPorts (outB), 1);
    EXPECT_EQ (ports.getNumOpenPorts (inA), 0);
    EXPECT_FALSE (midi.isInputOpen());
    EXPECT_EQ (midi.getInputDeviceName(), "");

    // Out A is unplugged while the dialog shows it; choosing it closes Out B all the same.
    content = open();
    ports.removeOutput (outA);
    content->selectOutputRow (0);
    click (content, "OK");
    ASSERT_TRUE (waitUntilClosed());

    EXPECT_EQ (ports.getNumOpenOutputPorts (outB), 0);
    EXPECT_FALSE (midi.isOutputOpen());
    EXPECT_EQ (midi.getOutputDeviceName(), "Out A");
}

TEST_F (DeviceSetupTest, AVanishedDeviceIsNotSelected)
{
    midi.setInputDevice ("In B");
    midi.setOutputDevice ("Out B");
    ports.removeInput (inB);

    auto* content = open();
    EXPECT_EQ (list (content, "Input Devices")->getModel()->getNumRows(), 1);
    EXPECT_EQ (content->getSelectedInputRow(), -1);
    EXPECT_EQ (content->getSelectedOutputRow(), 1);
}

TEST_F (DeviceSetupTest, ShownOnceUntilClosedThenReadAfresh)
{
    auto* content = open();
    auto* window = manager.getDeviceSetupWindow();
    ports.addInput ("In C");

    EXPECT_EQ (open(), content);
    EXPECT_EQ (manager.getDeviceSetupWindow(), window);
    EXPECT_EQ (list (content, "Input Devices")->getModel()->getNumRows(), 2);

    click (content, "Cancel");
    ASSERT_TRUE (waitUntilClosed());
    content = open();
    EXPECT_EQ (list (content, "Input Devices")->getModel()->getNumRows(), 3);
}
} // namespace
