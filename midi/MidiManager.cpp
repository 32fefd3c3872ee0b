#include "MidiManager.h"

#include "preset/Alert.h"

MidiManager::MidiManager (MidiBackend& backendToUse)
    : backend (backendToUse)
{
}

MidiManager::~MidiManager()
{
    outputPort.reset();
    inputPort.reset();
}

void MidiManager::setInputDevice (const juce::String& name)
{
    // The same name again only matters when it is not open yet: the device may
    // have been plugged in or freed since the last attempt.
    if (name == inputDeviceName && (isInputOpen() || name.isEmpty()))
        return;

    inputDeviceName = name;

    const auto index = backend.getInputDeviceNames().indexOf (name);

    if (index < 0)
        return;

    // Assigning opens the new port before the old one is closed; a failed open leaves none.
    inputPort = backend.openInput (index, this);

    if (inputPort != nullptr)
        inputPort->start();
}

void MidiManager::setOutputDevice (const juce::String& name)
{
    outputDeviceName = name;

    const auto names = backend.getOutputDeviceNames();

    // Every match is opened in turn, so of identically named devices the last one stays open.
    for (int i = 0; i < names.size(); ++i)
        if (names[i] == name)
            outputPort = backend.openOutput (i);
}

void MidiManager::sendMessage (const juce::MidiMessage& message)
{
    if (outputPort != nullptr)
    {
        outputPort->sendMessageNow (message);
        return;
    }

    Alert::show ("MIDI Error",
                 juce::StringArray { "MIDI Communication Unsuccessful.",
                                     "Verify MIDI Connection and Device Settings.",
                                     "Verify no other applications are using the MIDI Port." }
                     .joinIntoString ("\r\n"));
}

void MidiManager::addListener (MidiManagerListener* listener)
{
    if (listener != nullptr)
        listeners.add (listener);
}

void MidiManager::removeListener (MidiManagerListener* listener)
{
    if (listener != nullptr)
        listeners.remove (listener);
}

bool MidiManager::isInputOpen() const
{
    return inputPort != nullptr;
}

bool MidiManager::isOutputOpen() const
{
    return outputPort != nullptr;
}

const juce::String& MidiManager::getInputDeviceName() const
{
    return inputDeviceName;
}

const juce::String& MidiManager::getOutputDeviceName() const
{
    return outputDeviceName;
}

MidiBackend& MidiManager::getBackend() const noexcept
{
    return backend;
}

void MidiManager::handleIncomingMidiMessage (juce::MidiInput*, const juce::MidiMessage& message)
{
    // Newest first; a listener removed during the broadcast is not called after its
    // removal, and every other one is called exactly once.
    listeners.call ([&message] (MidiManagerListener& listener) { listener.midiMessageReceived (message); });
}

void MidiManager::handlePartialSysexMessage (juce::MidiInput*, const juce::uint8*, int, double)
{
    // Pieces are dropped: listeners get a SysEx message once, when it is complete.
}
