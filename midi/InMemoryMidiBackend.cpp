#include "InMemoryMidiBackend.h"

#include <algorithm>
#include <deque>

//==============================================================================
class InMemoryMidiBackend::Input : public MidiBackend::InputPort,
                                   private juce::Thread
{
public:
    Input (InMemoryMidiBackend& ownerToUse, int deviceToUse, juce::MidiInputCallback& callbackToUse)
        : juce::Thread ("In-memory MIDI input"), owner (ownerToUse), device (deviceToUse), callback (callbackToUse)
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
    const int device;
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
    Output (InMemoryMidiBackend& ownerToUse, int deviceToUse)
        : owner (ownerToUse), device (deviceToUse)
    {
    }

    ~Output() override
    {
        const juce::ScopedLock sl (owner.lock);
        owner.portClosed (owner.outputs, device);
    }

    void sendMessageNow (const juce::MidiMessage& message) override
    {
        owner.received (device, message);
    }

private:
    InMemoryMidiBackend& owner;
    const int device;

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
    get (inputs, inputDevice); // an unknown device throws, as elsewhere

    for (auto* input : startedInputs)
        if (input->getDevice() == inputDevice)
            input->enqueue (message, numPieces);
}

bool InMemoryMidiBackend::isIdle() const
{
    const juce::ScopedLock sl (lock);

    return std::all_of (startedInputs.begin(), startedInputs.end(),
                        [] (const Input* input) { return input->isIdle(); });
}

//==============================================================================
juce::StringArray InMemoryMidiBackend::getInputDeviceNames()
{
    const juce::ScopedLock sl (lock);
    return namesOf (inputs);
}

juce::StringArray InMemoryMidiBackend::getOutputDeviceNames()
{
    const juce::ScopedLock sl (lock);
    return namesOf (outputs);
}

std::unique_ptr<MidiBackend::InputPort> InMemoryMidiBackend::openInput (int index, juce::MidiInputCallback* callback)
{
    const juce::ScopedLock sl (lock);
    const auto device = deviceAt (inputs, index);

    if (device == 0 || callback == nullptr || inputs[device].failsToOpen)
        return {};

    ++inputs[device].openPorts;
    return std::make_unique<Input> (*this, device, *callback);
}

std::unique_ptr<MidiBackend::OutputPort> InMemoryMidiBackend::openOutput (int index)
{
    const juce::ScopedLock sl (lock);
    const auto device = deviceAt (outputs, index);

    if (device == 0 || outputs[device].failsToOpen)
        return {};

    ++outputs[device].openPorts;
    return std::make_unique<Output> (*this, device);
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

juce::StringArray InMemoryMidiBackend::namesOf (const DeviceMap& devices)
{
    juce::StringArray names;

    for (const auto& [number, device] : devices)
        if (device.listed)
            names.add (device.name);

    return names;
}

int InMemoryMidiBackend::deviceAt (const DeviceMap& devices, int index)
{
    for (const auto& [number, device] : devices)
        if (device.listed && index-- == 0)
            return number;

    return 0;
}

void InMemoryMidiBackend::portClosed (DeviceMap& devices, int device)
{
    --get (devices, device).openPorts;
}

void InMemoryMidiBackend::received (int device, const juce::MidiMessage& message)
{
    std::function<void (const juce::MidiMessage&)> receiver;

    {
        const juce::ScopedLock sl (lock);
        auto& output = get (outputs, device);
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
