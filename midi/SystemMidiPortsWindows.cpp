#include "SystemMidiPorts.h"
#include "MidiInputAssembler.h"

#include <algorithm>
#include <windows.h>
#include <mmsystem.h>

// The Windows multimedia API, read directly for inputs: the framework keeps every byte of an
// unfinished SysEx message, and says nothing when a port fails to open. Lists are the framework's
// (names in UTF-16, identifiers by which its outputs open), in the order of the API's device
// numbers, which is how an identifier is opened here too.

namespace
{
/** The device number of a listed identifier; none when it is no longer listed. */
std::optional<UINT> findDeviceNumber (const juce::Array<juce::MidiDeviceInfo>& devices, const juce::String& identifier)
{
    for (int i = 0; i < devices.size(); ++i)
        if (devices.getReference (i).identifier == identifier)
            return (UINT) i;

    return std::nullopt;
}

/** What the API's error says, with the one case a user can act on in plain words. */
juce::String describeError (MMRESULT error, bool isInput)
{
    // Windows lets one program at a time open a port.
    if (error == MMSYSERR_ALLOCATED)
        return "another program is using it";

    WCHAR text[MAXERRORLENGTH] = {};
    const auto known = isInput ? midiInGetErrorTextW (error, text, MAXERRORLENGTH)
                               : midiOutGetErrorTextW (error, text, MAXERRORLENGTH);
    return known == MMSYSERR_NOERROR ? juce::String (text) : "error " + juce::String ((int) error);
}

/**
    An input on its device number. SysEx comes in the input buffers lent to the driver, each handed
    back when full or at F7: a reply longer than a buffer comes in several, put together by the
    assembler, and each buffer is lent again at once. The buffers are smaller than a preset reply,
    so that every reply takes that path, not only the rare long one.
*/
class MultimediaInput : public MidiBackend::InputPort
{
public:
    MultimediaInput (juce::MidiInputCallback& callback, std::atomic<int>& droppedSysEx)
        : assembler (callback, ownDevice, droppedSysEx)
    {
    }

    ~MultimediaInput() override
    {
        if (handle == nullptr)
            return;

        // Once out of the list, no callback reaches this input, also none the driver delivers late;
        // the buffers come back on reset, and none is lent again.
        live().remove (this);

        // A driver may hand the buffers back one reset at a time; none may stay with it once freed.
        for (int attempt = 0; attempt < (int) numBuffers && anyBufferLent(); ++attempt)
            midiInReset (handle);

        for (auto& buffer : buffers)
            midiInUnprepareHeader (handle, &buffer.header, sizeof (MIDIHDR));

        midiInClose (handle);
    }

    bool anyBufferLent() const
    {
        return std::any_of (std::begin (buffers), std::end (buffers),
                            [] (const Buffer& buffer) { return (buffer.header.dwFlags & MHDR_INQUEUE) != 0; });
    }

    MMRESULT open (UINT deviceNumber)
    {
        const auto result = midiInOpen (&handle, deviceNumber, (DWORD_PTR) &receive, (DWORD_PTR) this, CALLBACK_FUNCTION);

        if (result != MMSYSERR_NOERROR)
        {
            handle = nullptr;
            return result;
        }

        for (auto& buffer : buffers)
        {
            buffer.header.lpData = buffer.bytes;
            buffer.header.dwBufferLength = sizeof (buffer.bytes);
            midiInPrepareHeader (handle, &buffer.header, sizeof (MIDIHDR));
            midiInAddBuffer (handle, &buffer.header, sizeof (MIDIHDR));
        }

        live().add (this);
        return MMSYSERR_NOERROR;
    }

    void start() override
    {
        if (! started.exchange (true))
            midiInStart (handle);
    }

private:
    static constexpr int ownDevice = 0; // an input hears its own device only
    static constexpr size_t bufferSize = 64, numBuffers = 16;

    struct Buffer
    {
        MIDIHDR header {};
        char bytes[bufferSize] {};
    };

    /** The open inputs, and the lock held while one takes what its driver delivers. */
    class LiveInputs
    {
    public:
        void add (MultimediaInput* input)
        {
            const juce::ScopedLock sl (lock);
            inputs.push_back (input);
        }

        void remove (MultimediaInput* input)
        {
            const juce::ScopedLock sl (lock);
            inputs.erase (std::remove (inputs.begin(), inputs.end(), input), inputs.end());
        }

        void deliver (HMIDIIN handle, MultimediaInput* input, UINT message, DWORD_PTR parameter)
        {
            const juce::ScopedLock sl (lock);

            // Also the handle: a late callback for a closed input may name a new one at its address.
            if (std::find (inputs.begin(), inputs.end(), input) != inputs.end() && input->handle == handle)
                input->take (message, parameter);
        }

    private:
        juce::CriticalSection lock;
        std::vector<MultimediaInput*> inputs;
    };

    static LiveInputs& live()
    {
        static LiveInputs inputs;
        return inputs;
    }

    // On the driver's thread.
    static void CALLBACK receive (HMIDIIN handle, UINT message, DWORD_PTR instance, DWORD_PTR parameter, DWORD_PTR)
    {
        if (message == MIM_DATA || message == MIM_LONGDATA || message == MIM_LONGERROR)
            live().deliver (handle, reinterpret_cast<MultimediaInput*> (instance), message, parameter);
    }

    void take (UINT message, DWORD_PTR parameter)
    {
        const auto time = juce::Time::getMillisecondCounterHiRes() * 0.001;

        if (message == MIM_DATA)
        {
            const juce::uint8 bytes[] = { (juce::uint8) (parameter & 0xff), (juce::uint8) ((parameter >> 8) & 0xff),
                                          (juce::uint8) ((parameter >> 16) & 0xff) };
            const auto size = juce::MidiMessage::getMessageLengthFromFirstByte (bytes[0]);
            assembler.addMessage (ownDevice, bytes, (size_t) juce::jlimit (1, 3, size), time);
            return;
        }

        auto* header = reinterpret_cast<MIDIHDR*> (parameter);

        // A buffer the driver found in error ends a message that cannot be whole.
        if (message == MIM_LONGDATA)
            assembler.addSysExPiece (ownDevice, reinterpret_cast<const juce::uint8*> (header->lpData),
                                     header->dwBytesRecorded, time);
        else
            assembler.abandonSysEx();

        header->dwBytesRecorded = 0;
        midiInAddBuffer (handle, header, sizeof (MIDIHDR));
    }

    MidiInputAssembler assembler;
    Buffer buffers[numBuffers];
    HMIDIIN handle = nullptr;
    std::atomic<bool> started { false };

    JUCE_DECLARE_NON_COPYABLE_WITH_LEAK_DETECTOR (MultimediaInput)
};
} // namespace

juce::Array<juce::MidiDeviceInfo> SystemMidiPorts::getInputDevices()
{
    return juce::MidiInput::getAvailableDevices();
}

juce::Array<juce::MidiDeviceInfo> SystemMidiPorts::getOutputDevices()
{
    return juce::MidiOutput::getAvailableDevices();
}

std::unique_ptr<MidiBackend::InputPort> SystemMidiPorts::openInput (const juce::String& identifier,
                                                                    juce::MidiInputCallback& callback,
                                                                    std::atomic<int>& droppedSysEx)
{
    const auto deviceNumber = findDeviceNumber (getInputDevices(), identifier);

    if (! deviceNumber.has_value())
        return {};

    auto input = std::make_unique<MultimediaInput> (callback, droppedSysEx);
    return input->open (*deviceNumber) == MMSYSERR_NOERROR ? std::move (input) : nullptr;
}

juce::String SystemMidiPorts::describeOpenFailure (const juce::String& identifier, bool isInput)
{
    // Asked again, which is how the API tells why: the port may have been freed meanwhile.
    const auto deviceNumber = findDeviceNumber (isInput ? getInputDevices() : getOutputDevices(), identifier);

    if (! deviceNumber.has_value())
        return "it is no longer connected";

    MMRESULT result;

    if (isInput)
    {
        HMIDIIN input = nullptr;

        if ((result = midiInOpen (&input, *deviceNumber, 0, 0, CALLBACK_NULL)) == MMSYSERR_NOERROR)
            midiInClose (input);
    }
    else
    {
        HMIDIOUT output = nullptr;

        if ((result = midiOutOpen (&output, *deviceNumber, 0, 0, CALLBACK_NULL)) == MMSYSERR_NOERROR)
            midiOutClose (output);
    }

    return result == MMSYSERR_NOERROR ? juce::String() : describeError (result, isInput);
}
