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
