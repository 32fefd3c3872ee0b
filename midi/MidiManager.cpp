#include "MidiManager.h"

#include "preset/Alert.h"
#include "preset/VerbatimTexts.h"

MidiManager::MidiManager (MidiBackend& backendToUse)
    : backend (backendToUse)
{
}

MidiManager::~MidiManager()
{
    stopTimer();
    output.port.reset();
    input.port.reset();
}

// Assigning opens the new port before the old one is closed; a failed open leaves none.
template <typename Port, typename Open>
void MidiManager::open (Connection<Port>& connection, const juce::MidiDeviceInfo& device, Open openPort)
{
    connection.port = openPort (device.identifier);
    connection.device = connection.port != nullptr ? device : juce::MidiDeviceInfo();
}

// An empty name chooses no device, not one that happens to be listed without a name.
template <typename Find>
std::optional<juce::MidiDeviceInfo> MidiManager::findChosen (const juce::Array<juce::MidiDeviceInfo>& devices,
                                                             const juce::String& name, Find find)
{
    if (name.isEmpty())
        return std::nullopt;

    return find (devices, name);
}

template <typename Port>
void MidiManager::close (Connection<Port>& connection)
{
    connection.port.reset();
    connection.device = {};
}

template <typename Port, typename Find, typename Open>
void MidiManager::follow (Connection<Port>& connection, const juce::Array<juce::MidiDeviceInfo>& devices,
                          Find find, Open openPort)
{
    // A device that left the list left a dead handle behind, even if it is listed again
    // by now under the same identifier: only a port opened afresh works.
    if (connection.port != nullptr && ! devices.contains (connection.device))
        close (connection);

    if (connection.name.isEmpty() || (connection.port != nullptr && connection.device.name == connection.name))
        return;

    if (const auto device = find (devices, connection.name))
        open (connection, *device, openPort);
}

std::unique_ptr<MidiBackend::InputPort> MidiManager::openInputPort (const juce::String& identifier)
{
    auto port = backend.openInput (identifier, this);

    if (port != nullptr)
        port->start();

    return port;
}

std::unique_ptr<MidiBackend::OutputPort> MidiManager::openOutputPort (const juce::String& identifier)
{
    return backend.openOutput (identifier);
}

void MidiManager::setInputDevice (const juce::String& name)
{
    // The same name again only matters when it is not open yet: the device may
    // have been plugged in or freed since the last attempt.
    if (name == input.name && (isInputOpen() || name.isEmpty()))
        return;

    input.name = name;

    {
        const juce::ScopedLock sl (trafficLock);
        trafficInputName = name;
    }

    // A port left open on a device no longer chosen would go on delivering its messages.
    if (const auto device = findChosen (backend.getInputDevices(), name, MidiBackend::findInput))
        open (input, *device, [this] (const juce::String& identifier) { return openInputPort (identifier); });
    else
        close (input);

    if (name.isNotEmpty())
        startTimer (devicePollIntervalMs);
}

void MidiManager::setOutputDevice (const juce::String& name)
{
    output.name = name;

    // Sending on a device no longer chosen would reach the wrong instrument.
    if (const auto device = findChosen (backend.getOutputDevices(), name, MidiBackend::findOutput))
        open (output, *device, [this] (const juce::String& identifier) { return openOutputPort (identifier); });
    else
        close (output);

    if (name.isNotEmpty())
        startTimer (devicePollIntervalMs);
}

void MidiManager::checkDevices()
{
    follow (input, backend.getInputDevices(), MidiBackend::findInput,
            [this] (const juce::String& identifier) { return openInputPort (identifier); });
    follow (output, backend.getOutputDevices(), MidiBackend::findOutput,
            [this] (const juce::String& identifier) { return openOutputPort (identifier); });
}

void MidiManager::timerCallback()
{
    checkDevices();
}

void MidiManager::sendMessage (const juce::MidiMessage& message)
{
    if (output.port != nullptr)
    {
        // Shown before it goes, so that an answer never comes before its question.
        tellTraffic (MidiDirection::out, message);
        output.port->sendMessageNow (message);
        return;
    }

    Alert::show (VerbatimTexts::midiErrorTitle, VerbatimTexts::midiErrorMessage);
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
    return input.port != nullptr;
}

bool MidiManager::isOutputOpen() const
{
    return output.port != nullptr;
}

const juce::String& MidiManager::getInputDeviceName() const
{
    return input.name;
}

const juce::String& MidiManager::getOutputDeviceName() const
{
    return output.name;
}

MidiBackend& MidiManager::getBackend() const noexcept
{
    return backend;
}

void MidiManager::setTrafficListener (MidiTrafficListener* listener)
{
    const juce::ScopedLock sl (trafficLock);
    trafficListener = listener;
    hasTrafficListener = listener != nullptr;
}

// Output is sent on the message thread, which also chooses the ports; input arrives on the MIDI
// thread, which reads the input's name under the lock.
void MidiManager::tellTraffic (MidiDirection direction, const juce::MidiMessage& message)
{
    if (! hasTrafficListener)
        return;

    const juce::ScopedLock sl (trafficLock);

    if (trafficListener != nullptr)
        trafficListener->midiTraffic (direction, direction == MidiDirection::in ? trafficInputName : output.name, message);
}

void MidiManager::handleIncomingMidiMessage (juce::MidiInput*, const juce::MidiMessage& message)
{
    tellTraffic (MidiDirection::in, message);

    // Newest first; a listener removed during the broadcast is not called after its
    // removal, and every other one is called exactly once.
    listeners.call ([&message] (MidiManagerListener& listener) { listener.midiMessageReceived (message); });
}

// Only the monitor hears of it: no listener can use a message that was never whole.
void MidiManager::sysExDropped (const juce::MidiMessage& start)
{
    if (! hasTrafficListener)
        return;

    const juce::ScopedLock sl (trafficLock);

    if (trafficListener != nullptr)
        trafficListener->midiSysExDropped (trafficInputName, start);
}

void MidiManager::handlePartialSysexMessage (juce::MidiInput*, const juce::uint8*, int, double)
{
    // Pieces are dropped: listeners get a SysEx message once, when it is complete.
}
