#include "InMemoryMidiBackend.h"

#include <algorithm>
#include <deque>

//==============================================================================
class InMemoryMidiBackend::Input : public MidiBackend::InputPort,
                                   private juce::Thread
{
public:
    Input (InMemoryMidiBackend& ownerToUse, int deviceToUse, int generationToUse, juce::MidiInputCallback& callbackToUse)
        : juce::Thread ("In-memory MIDI input"),
          owner (ownerToUse),
          device (deviceToUse),
          generation (generationToUse),
          callback (callbackToUse)
    {
    }

    ~Input() override
    {
        owner.inputClosed (this); // no new messages from here on
        stopThread (-1);          // lets a delivery in progress finish
    }

    void start() override
    {
        if (isThreadRunning())
            return;

        startThread();
        owner.inputStarted (this);
    }

    int getDevice() const noexcept { return device; }
    int getGeneration() const noexcept { return generation; }

    void enqueue (const juce::MidiMessage& message, int numPieces)
    {
        {
            const juce::ScopedLock sl (queueLock);
            queue.push_back ({ message, numPieces });
        }

        notify();
    }

    bool isIdle() const
    {
        const juce::ScopedLock sl (queueLock);
        return queue.empty() && ! delivering;
    }

private:
    struct Item
    {
        juce::MidiMessage message;
        int numPieces;
    };

    void run() override
    {
        while (! threadShouldExit())
        {
            Item item;

            {
                const juce::ScopedLock sl (queueLock);
                delivering = ! queue.empty();

                if (delivering)
                {
                    item = std::move (queue.front());
                    queue.pop_front();
                }
            }

            if (! delivering)
            {
                wait (-1);
                continue;
            }

            deliverNow (item);

            const juce::ScopedLock sl (queueLock);
            delivering = false;
        }
    }

    void deliverNow (Item& item)
    {
        item.message.setTimeStamp (juce::Time::getMillisecondCounterHiRes() * 0.001);

        const auto* data = item.message.getRawData();
        const auto size = item.message.getRawDataSize();
        const auto numPieces = item.message.isSysEx() ? juce::jlimit (1, size, item.numPieces) : 1;

        // Like a MIDI service, each piece hands over everything received so far.
        for (int piece = 1; piece < numPieces; ++piece)
            callback.handlePartialSysexMessage (nullptr, data, size * piece / numPieces,
                                                item.message.getTimeStamp());

        callback.handleIncomingMidiMessage (nullptr, item.message);
    }

    InMemoryMidiBackend& owner;
    const int device, generation;
    juce::MidiInputCallback& callback;
    juce::CriticalSection queueLock;
    std::deque<Item> queue;
    bool delivering = false;

    JUCE_DECLARE_NON_COPYABLE_WITH_LEAK_DETECTOR (Input)
};

//==============================================================================
class InMemoryMidiBackend::Output : public MidiBackend::OutputPort
{
public:
    Output (InMemoryMidiBackend& ownerToUse, int deviceToUse, int generationToUse)
        : owner (ownerToUse), device (deviceToUse), generation (generationToUse)
    {
    }

    ~Output() override
    {
        const juce::ScopedLock sl (owner.lock);
        owner.portClosed (owner.outputs, device);
    }

    void sendMessageNow (const juce::MidiMessage& message) override
    {
        owner.received (device, generation, message);
    }

private:
    InMemoryMidiBackend& owner;
    const int device, generation;

    JUCE_DECLARE_NON_COPYABLE_WITH_LEAK_DETECTOR (Output)
};

//==============================================================================
InMemoryMidiBackend::~InMemoryMidiBackend()
{
    jassert (startedInputs.empty());
}

int InMemoryMidiBackend::addInput (const juce::String& name)
{
    return add (inputs, name);
}

int InMemoryMidiBackend::addOutput (const juce::String& name)
{
    return add (outputs, name);
}

void InMemoryMidiBackend::removeInput (int device)
{
    const juce::ScopedLock sl (lock);
    get (inputs, device).listed = false;
}

void InMemoryMidiBackend::removeOutput (int device)
{
    const juce::ScopedLock sl (lock);
    get (outputs, device).listed = false;
}

void InMemoryMidiBackend::disconnectInput (int device)
{
    disconnect (inputs, device);
}

void InMemoryMidiBackend::disconnectOutput (int device)
{
    disconnect (outputs, device);
}

void InMemoryMidiBackend::reconnectInput (int device)
{
    const juce::ScopedLock sl (lock);
    get (inputs, device).listed = true;
}

void InMemoryMidiBackend::reconnectOutput (int device)
{
    const juce::ScopedLock sl (lock);
    get (outputs, device).listed = true;
}

juce::String InMemoryMidiBackend::identifierOf (int device)
{
    return juce::String (device);
}

void InMemoryMidiBackend::setInputFailsToOpen (int device, bool shouldFail)
{
    const juce::ScopedLock sl (lock);
    get (inputs, device).failsToOpen = shouldFail;
}

void InMemoryMidiBackend::setOutputFailsToOpen (int device, bool shouldFail)
{
    const juce::ScopedLock sl (lock);
    get (outputs, device).failsToOpen = shouldFail;
}

int InMemoryMidiBackend::getNumOpenPorts (int inputDevice) const
{
    const juce::ScopedLock sl (lock);
    return get (inputs, inputDevice).openPorts;
}

int InMemoryMidiBackend::getNumOpenOutputPorts (int outputDevice) const
{
    const juce::ScopedLock sl (lock);
    return get (outputs, outputDevice).openPorts;
}

void InMemoryMidiBackend::setOutputReceiver (int device, std::function<void (const juce::MidiMessage&)> receiver)
{
    const juce::ScopedLock sl (lock);
    get (outputs, device).receiver = std::move (receiver);
}

std::vector<juce::MidiMessage> InMemoryMidiBackend::getSentMessages (int device) const
{
    const juce::ScopedLock sl (lock);
    return get (outputs, device).sent;
}

void InMemoryMidiBackend::deliver (int inputDevice, const juce::MidiMessage& message, int numPieces)
{
    const juce::ScopedLock sl (lock);
    const auto generation = get (inputs, inputDevice).generation; // an unknown device throws, as elsewhere

    for (auto* input : startedInputs)
        if (input->getDevice() == inputDevice && input->getGeneration() == generation)
            input->enqueue (message, numPieces);
}

bool InMemoryMidiBackend::isIdle() const
{
    const juce::ScopedLock sl (lock);

    return std::all_of (startedInputs.begin(), startedInputs.end(),
                        [] (const Input* input) { return input->isIdle(); });
}

//==============================================================================
juce::Array<juce::MidiDeviceInfo> InMemoryMidiBackend::getInputDevices()
{
    const juce::ScopedLock sl (lock);
    return listed (inputs);
}

juce::Array<juce::MidiDeviceInfo> InMemoryMidiBackend::getOutputDevices()
{
    const juce::ScopedLock sl (lock);
    return listed (outputs);
}

std::unique_ptr<MidiBackend::InputPort> InMemoryMidiBackend::openInput (const juce::String& identifier,
                                                                        juce::MidiInputCallback* callback)
{
    const juce::ScopedLock sl (lock);
    auto* device = findOpenable (inputs, identifier);

    if (device == nullptr || callback == nullptr)
        return {};

    ++device->openPorts;
    return std::make_unique<Input> (*this, identifier.getIntValue(), device->generation, *callback);
}

std::unique_ptr<MidiBackend::OutputPort> InMemoryMidiBackend::openOutput (const juce::String& identifier)
{
    const juce::ScopedLock sl (lock);
    auto* device = findOpenable (outputs, identifier);

    if (device == nullptr)
        return {};

    ++device->openPorts;
    return std::make_unique<Output> (*this, identifier.getIntValue(), device->generation);
}

//==============================================================================
int InMemoryMidiBackend::add (DeviceMap& devices, const juce::String& name)
{
    const juce::ScopedLock sl (lock);
    const auto device = nextDeviceNumber++;
    devices[device].name = name;
    return device;
}

InMemoryMidiBackend::Device& InMemoryMidiBackend::get (DeviceMap& devices, int device)
{
    return devices.at (device);
}

const InMemoryMidiBackend::Device& InMemoryMidiBackend::get (const DeviceMap& devices, int device)
{
    return devices.at (device);
}

juce::Array<juce::MidiDeviceInfo> InMemoryMidiBackend::listed (const DeviceMap& devices)
{
    juce::Array<juce::MidiDeviceInfo> result;

    for (const auto& [number, device] : devices)
        if (device.listed)
            result.add ({ device.name, identifierOf (number) });

    return result;
}

InMemoryMidiBackend::Device* InMemoryMidiBackend::findOpenable (DeviceMap& devices, const juce::String& identifier)
{
    for (auto& [number, device] : devices)
        if (identifierOf (number) == identifier)
            return device.listed && ! device.failsToOpen ? &device : nullptr;

    return nullptr;
}

void InMemoryMidiBackend::disconnect (DeviceMap& devices, int device)
{
    const juce::ScopedLock sl (lock);
    auto& entry = get (devices, device);
    entry.listed = false;
    ++entry.generation;
}

void InMemoryMidiBackend::portClosed (DeviceMap& devices, int device)
{
    --get (devices, device).openPorts;
}

void InMemoryMidiBackend::received (int device, int generation, const juce::MidiMessage& message)
{
    std::function<void (const juce::MidiMessage&)> receiver;

    {
        const juce::ScopedLock sl (lock);
        auto& output = get (outputs, device);

        if (output.generation != generation)
            return; // a port of a disconnected device: the message goes nowhere

        output.sent.push_back (message);
        receiver = output.receiver;
    }

    if (receiver)
        receiver (message);
}

void InMemoryMidiBackend::inputStarted (Input* input)
{
    const juce::ScopedLock sl (lock);
    startedInputs.push_back (input);
}

void InMemoryMidiBackend::inputClosed (Input* input)
{
    const juce::ScopedLock sl (lock);
    startedInputs.erase (std::remove (startedInputs.begin(), startedInputs.end(), input), startedInputs.end());
    portClosed (inputs, input->getDevice());
}
