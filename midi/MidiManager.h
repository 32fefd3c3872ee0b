#pragma once

#include "MidiBackend.h"
#include "MidiTrafficListener.h"
#include "SysExDropListener.h"

#include <atomic>

/**
    The one gateway between the editor and the MIDI ports: at most one input and one
    output, chosen by device name, and the list of listeners that receive every
    complete incoming message.

    The choice is by name and stays so: while a name is chosen the device lists are
    read again about once a second. A port whose device has left the list is closed
    (its handle is dead: the MIDI service neither delivers nor sends on it any more),
    and the device of the chosen name is opened, silently, as soon as it is listed.
*/
class MidiManager : public juce::MidiInputCallback,
                    public SysExDropListener,
                    private juce::Timer
{
public:
    /** Receives every complete message that arrives on the input port. */
    class MidiManagerListener
    {
    public:
        /** Called on the MIDI service's thread. */
        virtual void midiMessageReceived (const juce::MidiMessage& message) = 0;

        virtual ~MidiManagerListener() = default;
    };

    /** Uses the given backend, which must outlive the manager. */
    explicit MidiManager (MidiBackend& backendToUse);

    ~MidiManager() override;

    /** Opens the first input device of that name, unless that name is already chosen
        and open. An empty name, or one not listed now, closes the input port that was
        open; a listed name is opened as soon as its device appears.
    */
    void setInputDevice (const juce::String& name);

    /** Opens the last output device of that name; an empty or unlisted name closes the
        output port, as for the input.
    */
    void setOutputDevice (const juce::String& name);

    /** Reads the device lists once: closes a port whose device is no longer listed, and
        opens the chosen device when it is listed but not open. The manager's timer calls
        this on the message thread, every devicePollIntervalMs while a name is chosen.
    */
    void checkDevices();

    /** How often the device lists are read while a name is chosen. Listing the system's
        ports takes a few calls into the MIDI service, so it runs on the message thread,
        which also keeps every use of the service on one thread.
    */
    static constexpr int devicePollIntervalMs = 1000;

    /** Sends at once on the output port, or shows the "MIDI Error" alert without one. */
    void sendMessage (const juce::MidiMessage& message);

    void addListener (MidiManagerListener* listener);

    /** Once this returns, the listener is never called again. A call in progress on
        the MIDI thread is waited for, so a listener must not itself wait for the
        thread that removes it (e.g. the message thread) inside midiMessageReceived.
    */
    void removeListener (MidiManagerListener* listener);

    /** Shows every message received or sent, with its port's name, to at most one listener (a
        MIDI monitor); null stops it. Once this returns the previous listener is never called
        again. Without a listener a message costs one atomic read more.
    */
    void setTrafficListener (MidiTrafficListener* listener);

    /** False as soon as the manager has noticed that the open port's device has gone. */
    bool isInputOpen() const;
    bool isOutputOpen() const;

    const juce::String& getInputDeviceName() const;
    const juce::String& getOutputDeviceName() const;

    /** The backend whose device lists this manager opens from. */
    MidiBackend& getBackend() const noexcept;

    /** @internal */
    void handleIncomingMidiMessage (juce::MidiInput* source, const juce::MidiMessage& message) override;
    /** @internal */
    void handlePartialSysexMessage (juce::MidiInput* source, const juce::uint8* messageData,
                                    int numBytesSoFar, double timestamp) override;
    /** @internal */
    void sysExDropped (const juce::MidiMessage& start) override;

private:
    // One direction: the chosen name, and the port open on a device from a listing.
    template <typename Port>
    struct Connection
    {
        juce::String name;
        juce::MidiDeviceInfo device; // the listed name and identifier of the open port's device
        std::unique_ptr<Port> port;
    };

    template <typename Find>
    static std::optional<juce::MidiDeviceInfo> findChosen (const juce::Array<juce::MidiDeviceInfo>& devices,
                                                           const juce::String& name, Find find);

    template <typename Port>
    static void close (Connection<Port>& connection);

    template <typename Port, typename Find, typename Open>
    static void follow (Connection<Port>& connection, const juce::Array<juce::MidiDeviceInfo>& devices,
                        Find find, Open open);

    template <typename Port, typename Open>
    static void open (Connection<Port>& connection, const juce::MidiDeviceInfo& device, Open openPort);

    std::unique_ptr<MidiBackend::InputPort> openInputPort (const juce::String& identifier);
    std::unique_ptr<MidiBackend::OutputPort> openOutputPort (const juce::String& identifier);

    void timerCallback() override;
    void tellTraffic (MidiDirection direction, const juce::MidiMessage& message);

    MidiBackend& backend;
    // The list's lock is held through every broadcast and taken by add and remove, so a
    // removal waits for a call in progress; it is re-entrant, so a listener may remove
    // itself or another during its call.
    juce::ListenerList<MidiManagerListener, juce::Array<MidiManagerListener*, juce::CriticalSection>> listeners;
    Connection<MidiBackend::InputPort> input;
    Connection<MidiBackend::OutputPort> output;

    juce::CriticalSection trafficLock;
    MidiTrafficListener* trafficListener = nullptr; // guarded by trafficLock
    std::atomic<bool> hasTrafficListener { false };
    juce::String trafficInputName; // guarded by trafficLock: the chosen input's name, for the MIDI thread

    JUCE_DECLARE_NON_COPYABLE_WITH_LEAK_DETECTOR (MidiManager)
};
