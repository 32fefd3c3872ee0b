#include "SimulatorOptions.h"
#include "midi/ControlPlayer.h"
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

    /** Plays the steps on the calling thread; returns how many messages went out. */
    int play (const std::vector<ControlPlayer::Step>& steps)
    {
        int numSent = 0;
        player.perform (
            steps, [this] { return device.getPreset(); },
            [this, &numSent] (const juce::MidiMessage& message) { send (message); ++numSent; });
        return numSent;
    }

private:
    void handleIncomingMidiMessage (juce::MidiInput*, const juce::MidiMessage& message) override
    {
        device.received (message);
    }

    // Answers go out on the device's thread and plays on the main one: one message at a time.
    void send (const juce::MidiMessage& message)
    {
        const juce::ScopedLock sl (sendLock);

        if (output != nullptr)
            output->sendMessageNow (message);
    }

    // In this order, so the device's thread stops before the output goes and after the input has.
    juce::CriticalSection sendLock;
    std::unique_ptr<juce::MidiOutput> output;
    Q7XDevice device { [this] (const juce::MidiMessage& answer, int) { send (answer); } };
    std::unique_ptr<juce::MidiInput> input;
    ControlPlayer player;
};

int fail (const juce::String& reason)
{
    std::cerr << "q7x-simulator: " << reason << std::endl;
    return 1;
}

// The --play lines, then the --play-file's as it reads now; nothing after saying why not.
std::optional<std::vector<ControlPlayer::Step>> readPlays (const SimulatorOptions& options)
{
    auto steps = std::get<std::vector<ControlPlayer::Step>> (ControlPlayer::parse (options.plays.joinIntoString ("\n")));

    if (options.playFile == juce::File())
        return steps;

    if (! options.playFile.existsAsFile())
    {
        fail (options.playFile.getFullPathName() + ": cannot read it");
        return std::nullopt;
    }

    const auto fromFile = ControlPlayer::parse (options.playFile.loadFileAsString());

    if (const auto* reason = std::get_if<juce::String> (&fromFile))
    {
        fail (options.playFile.getFullPathName() + ": " + *reason);
        return std::nullopt;
    }

    const auto& more = std::get<std::vector<ControlPlayer::Step>> (fromFile);
    steps.insert (steps.end(), more.begin(), more.end());
    return steps;
}

int runSimulator (const SimulatorOptions& options, const sigset_t& signals)
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

    for (int signal = 0; sigwait (&signals, &signal) == 0 && signal == SIGUSR1;)
        if (const auto steps = readPlays (options))
            std::cout << "played " << q7x.play (*steps) << " messages" << std::endl;

    return 0;
}
} // namespace

// No message loop: the MIDI service's threads deliver, the main thread waits for a signal: to
// stop, or to play.
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
    sigset_t signals;
    sigemptyset (&signals);
    sigaddset (&signals, SIGINT);
    sigaddset (&signals, SIGTERM);
    sigaddset (&signals, SIGUSR1);
    pthread_sigmask (SIG_BLOCK, &signals, nullptr);

    return runSimulator (std::get<SimulatorOptions> (parsed), signals);
}
