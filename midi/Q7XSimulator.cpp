#include "Q7XSimulator.h"

const juce::String Q7XSimulator::portName ("Q7X Simulator");

Q7XSimulator::Q7XSimulator (InMemoryMidiBackend& backendToUse)
    : backend (backendToUse),
      inputDevice (backend.addInput (portName)),
      outputDevice (backend.addOutput (portName)),
      device ([this] (const juce::MidiMessage& answer, int numPieces) { backend.deliver (inputDevice, answer, numPieces); })
{
    backend.setOutputReceiver (outputDevice, [this] (const juce::MidiMessage& m) { device.received (m); });
}

Q7XSimulator::~Q7XSimulator()
{
    backend.setOutputReceiver (outputDevice, {});
    backend.removeInput (inputDevice);
    backend.removeOutput (outputDevice);
}

juce::Result Q7XSimulator::play (const juce::String& script)
{
    const auto parsed = ControlPlayer::parse (script);

    if (const auto* reason = std::get_if<juce::String> (&parsed))
        return juce::Result::fail (*reason);

    player.perform (
        std::get<std::vector<ControlPlayer::Step>> (parsed), [this] { return device.getPreset(); },
        [this] (const juce::MidiMessage& message) { backend.deliver (inputDevice, message); });
    return juce::Result::ok();
}
