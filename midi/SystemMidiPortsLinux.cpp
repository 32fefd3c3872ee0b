#include "SystemMidiPorts.h"
#include "MidiInputAssembler.h"
#include "preset/ExternalText.h"

#include <algorithm>
#include <alsa/asoundlib.h>
#include <cerrno>
#include <poll.h>

// The ALSA sequencer, read directly: the framework keeps every byte of an unfinished SysEx message
// for as long as a device sends it, does not say which client sent an event, and reads port names
// as ASCII. Identifiers are "client-port", as the framework's, whose outputs open by them.

namespace
{
/** A connection to the sequencer as a client of its own; closed when destroyed. */
class Sequencer
{
public:
    explicit Sequencer (int mode)
    {
        // Without the sequencer device ALSA prints an error for every attempt, and the manager
        // lists about once a second: the service is only asked when it can answer.
        if (juce::File ("/dev/snd/seq").exists() && snd_seq_open (&handle, "default", mode, SND_SEQ_NONBLOCK) < 0)
            handle = nullptr;
    }

    ~Sequencer()
    {
        if (handle != nullptr)
            snd_seq_close (handle);
    }

    snd_seq_t* get() const noexcept { return handle; }

private:
    snd_seq_t* handle = nullptr;

    JUCE_DECLARE_NON_COPYABLE (Sequencer)
};

/** The ports others may subscribe to in that direction, in the sequencer's order. */
juce::Array<juce::MidiDeviceInfo> listPorts (unsigned int capability)
{
    juce::Array<juce::MidiDeviceInfo> devices;
    const Sequencer sequencer (SND_SEQ_OPEN_DUPLEX);

    if (sequencer.get() == nullptr)
        return devices;

    snd_seq_client_info_t* client = nullptr;
    snd_seq_port_info_t* port = nullptr;
    snd_seq_client_info_alloca (&client);
    snd_seq_port_info_alloca (&port);
    snd_seq_client_info_set_client (client, 0); // from the first after the system's own timer and announcements

    while (snd_seq_query_next_client (sequencer.get(), client) == 0)
    {
        const auto clientId = snd_seq_client_info_get_client (client);
        snd_seq_port_info_set_client (port, clientId);
        snd_seq_port_info_set_port (port, -1);

        while (snd_seq_query_next_port (sequencer.get(), port) == 0)
            if ((snd_seq_port_info_get_capability (port) & capability) != 0)
                devices.add ({ ExternalText::decode (snd_seq_port_info_get_name (port)),
                               juce::String (clientId) + "-" + juce::String (snd_seq_port_info_get_port (port)) });
    }

    return devices;
}

/** "client-port" as listed; false for anything else. */
bool parseIdentifier (const juce::String& identifier, snd_seq_addr_t& address)
{
    const auto client = identifier.upToFirstOccurrenceOf ("-", false, false);
    const auto port = identifier.fromFirstOccurrenceOf ("-", false, false);
    const auto isNumber = [] (const juce::String& s) { return s.isNotEmpty() && s.length() <= 3 && s.containsOnly ("0123456789"); };

    if (! isNumber (client) || ! isNumber (port) || client.getIntValue() > 255 || port.getIntValue() > 255)
        return false;

    address.client = (unsigned char) client.getIntValue();
    address.port = (unsigned char) port.getIntValue();
    return true;
}

/** The name other programs see the editor's sequencer client by. */
juce::String clientName()
{
    if (auto* application = juce::JUCEApplicationBase::getInstance())
        return application->getApplicationName();

    return juce::File::getSpecialLocation (juce::File::currentExecutableFile).getFileName();
}

class SequencerInput : public MidiBackend::InputPort,
                       private juce::Thread
{
public:
    SequencerInput (snd_seq_addr_t deviceToHear, juce::MidiInputCallback& callback, std::atomic<int>& droppedSysEx)
        : juce::Thread ("Q7X MIDI input"),
          sequencer (SND_SEQ_OPEN_INPUT),
          device (deviceToHear),
          assembler (callback, device.client, droppedSysEx)
    {
        if (sequencer.get() == nullptr || snd_midi_event_new (maxShortMessage, &decoder) < 0)
            return;

        snd_seq_set_client_name (sequencer.get(), clientName().toRawUTF8());

        // Writable only: nobody else can subscribe it to their ports.
        port = snd_seq_create_simple_port (sequencer.get(), "Q7X input", SND_SEQ_PORT_CAP_WRITE,
                                           SND_SEQ_PORT_TYPE_MIDI_GENERIC | SND_SEQ_PORT_TYPE_APPLICATION);

        if (port >= 0 && snd_seq_connect_from (sequencer.get(), port, device.client, device.port) < 0)
            port = -1;
    }

    ~SequencerInput() override
    {
        stopThread (2000);

        if (decoder != nullptr)
            snd_midi_event_free (decoder);
    }

    bool isOpen() const noexcept { return port >= 0; }

    void start() override
    {
        if (! isThreadRunning())
            startThread();
    }

private:
    static constexpr size_t maxShortMessage = 16;

    void run() override
    {
        std::vector<pollfd> descriptors ((size_t) snd_seq_poll_descriptors_count (sequencer.get(), POLLIN));
        snd_seq_poll_descriptors (sequencer.get(), descriptors.data(), (unsigned int) descriptors.size(), POLLIN);

        while (! threadShouldExit())
            if (::poll (descriptors.data(), descriptors.size(), 100) > 0)
                readEvents();
    }

    void readEvents()
    {
        for (;;)
        {
            snd_seq_event_t* event = nullptr;
            const auto result = snd_seq_event_input (sequencer.get(), &event);

            if (result == -ENOSPC) // events were lost while the queue was full; read on
                continue;

            if (result < 0 || event == nullptr)
                return;

            take (*event);
        }
    }

    void take (snd_seq_event_t& event)
    {
        const auto time = juce::Time::getMillisecondCounterHiRes() * 0.001;

        if (event.type == SND_SEQ_EVENT_SYSEX)
        {
            assembler.addSysExPiece (event.source.client, static_cast<const juce::uint8*> (event.data.ext.ptr),
                                     event.data.ext.len, time);
            return;
        }

        juce::uint8 bytes[maxShortMessage];
        const auto size = snd_midi_event_decode (decoder, bytes, sizeof (bytes), &event);
        snd_midi_event_reset_decode (decoder); // every message with its status byte

        if (size > 0)
            assembler.addMessage (event.source.client, bytes, (size_t) size, time);
    }

    const Sequencer sequencer;
    const snd_seq_addr_t device;
    MidiInputAssembler assembler;
    snd_midi_event_t* decoder = nullptr;
    int port = -1;

    JUCE_DECLARE_NON_COPYABLE_WITH_LEAK_DETECTOR (SequencerInput)
};
} // namespace

juce::Array<juce::MidiDeviceInfo> SystemMidiPorts::getInputDevices()
{
    return listPorts (SND_SEQ_PORT_CAP_SUBS_READ);
}

juce::Array<juce::MidiDeviceInfo> SystemMidiPorts::getOutputDevices()
{
    return listPorts (SND_SEQ_PORT_CAP_SUBS_WRITE);
}

std::unique_ptr<MidiBackend::InputPort> SystemMidiPorts::openInput (const juce::String& identifier,
                                                                    juce::MidiInputCallback& callback,
                                                                    std::atomic<int>& droppedSysEx)
{
    snd_seq_addr_t device {};

    const auto devices = getInputDevices();
    const auto isListed = std::any_of (devices.begin(), devices.end(),
                                       [&] (const juce::MidiDeviceInfo& d) { return d.identifier == identifier; });

    // Only a port listed now is opened, as the framework does.
    if (! isListed || ! parseIdentifier (identifier, device))
        return {};

    auto input = std::make_unique<SequencerInput> (device, callback, droppedSysEx);
    return input->isOpen() ? std::move (input) : nullptr;
}

juce::String SystemMidiPorts::describeOpenFailure (const juce::String&, bool)
{
    // The sequencer lets any number of programs use a port: a port fails to open only when gone.
    return {};
}
