#pragma once

#include "MidiBackend.h"

/**
    The one gateway between the editor and the MIDI ports: at most one input and one
    output, chosen by device name, and the list of listeners that receive every
    complete incoming message.
*/
class MidiManager : public juce::MidiInputCallback
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
        and open. */
    void setInputDevice (const juce::String& name);

    /** Opens the last output device of that name. */
    void setOutputDevice (const juce::String& name);

    /** Sends at once on the output port, or shows the "MIDI Error" alert without one. */
    void sendMessage (const juce::MidiMessage& message);

    void addListener (MidiManagerListener* listener);

    /** Once this returns, the listener is never called again. A call in progress on
        the MIDI thread is waited for, so a listener must not itself wait for the
        thread that removes it (e.g. the message thread) inside midiMessageReceived.
    */
    void removeListener (MidiManagerListener* listener);

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

private:
    MidiBackend& backend;
    juce::String inputDeviceName, outputDeviceName;
    juce::Array<MidiManagerListener*> listeners;
    juce::CriticalSection listenerLock;
    std::unique_ptr<MidiBackend::InputPort> inputPort;
    std::unique_ptr<MidiBackend::OutputPort> outputPort;

    JUCE_DECLARE_NON_COPYABLE_WITH_LEAK_DETECTOR (MidiManager)
};
