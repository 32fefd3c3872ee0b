#include "SimulatorOptions.h"
#include "preset/PresetFile.h"

#include <juce_audio_devices/juce_audio_devices.h>

#include <csignal>
#include <iostream>

namespace
{
/** A Q7XDevice on a pair of the system's virtual MIDI ports, which other programs see. */
class SystemQ7X : private juce::MidiInputCallback
{
public:
    explicit SystemQ7X (const juce::String& portName)
        : output (juce::MidiOutput::createNewDevice (portName)),
          input (juce::MidiInput::createNewDevice (portName, this))
    {
        if (input != nullptr)
            input->start();
    }

    ~SystemQ7X() override
    {
        if (input != nullptr)
            input->stop();
    }

    bool hasPorts() const noexcept { return input != nullptr && output != nullptr; }

    Q7XDevice& getDevice() noexcept { return device; }

private:
    void handleIncomingMidiMessage (juce::MidiInput*, const juce::MidiMessage& message) override
    {
        device.received (message);
    }

    // In this order, so the device's thread stops before the output goes and after the input has.
    std::unique_ptr<juce::MidiOutput> output;
    Q7XDevice device { [this] (const juce::MidiMessage& answer, int) { if (output != nullptr) output->sendMessageNow (answer); } };
    std::unique_ptr<juce::MidiInput> input;
};

int fail (const juce::String& reason)
{
    std::cerr << "q7x-simulator: " << reason << std::endl;
    return 1;
}

int runSimulator (const SimulatorOptions& options, const sigset_t& stopSignals)
{
    SystemQ7X q7x (options.portName);

    if (! q7x.hasPorts())
        return fail ("cannot make the MIDI ports \"" + options.portName + "\" (is there a MIDI sequencer?)");

    if (options.presetFile != juce::File())
    {
        const auto reading = PresetFile::read (options.presetFile);

        if (! reading.hasImage())
            return fail (options.presetFile.getFullPathName() + ": " + reading.describe());

        q7x.getDevice().setPreset (reading.image);
    }

    q7x.getDevice().setReplyKind (options.replyKind);
    q7x.getDevice().setReplyDelay (options.replyDelay);

    if (options.saveFile != juce::File())
        q7x.getDevice().setDumpListener ([file = options.saveFile] (const juce::Array<juce::uint8>& image) {
            if (const auto result = PresetFile::write (file, image); result.failed())
                std::cerr << "q7x-simulator: " << result.getErrorMessage() << std::endl;
        });

    std::cout << "ready" << std::endl;

    int signal = 0;
    sigwait (&stopSignals, &signal);
    return 0;
}
} // namespace

// No message loop: the MIDI service's threads deliver, the main thread waits for a stop signal.
int main (int argc, char* argv[])
{
    juce::StringArray arguments;

    for (int i = 1; i < argc; ++i)
    {
        if (! juce::CharPointer_UTF8::isValidString (argv[i], std::numeric_limits<int>::max()))
            return fail ("an argument is not valid UTF-8");

        arguments.add (juce::String::fromUTF8 (argv[i]));
    }

    const auto parsed = SimulatorOptions::parse (arguments);

    if (const auto* reason = std::get_if<juce::String> (&parsed))
    {
        std::cerr << "q7x-simulator: " << *reason << "\n"
                  << SimulatorOptions::usage;
        return 2;
    }

    // Blocked before any thread starts, so every thread inherits it and only sigwait sees them.
    sigset_t stopSignals;
    sigemptyset (&stopSignals);
    sigaddset (&stopSignals, SIGINT);
    sigaddset (&stopSignals, SIGTERM);
    pthread_sigmask (SIG_BLOCK, &stopSignals, nullptr);

    return runSimulator (std::get<SimulatorOptions> (parsed), stopSignals);
}
