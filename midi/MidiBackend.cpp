#include "MidiBackend.h"

#include "CombinedMidiBackend.h"
#include "Q7XSimulator.h"
#include "SystemMidiBackend.h"

namespace
{
// The simulated Q7X, listed after the system's ports, for trying the editor without the hardware.
struct SystemWithSimulator
{
    SystemMidiBackend system;
    InMemoryMidiBackend inMemory;
    Q7XSimulator simulator { inMemory };
    CombinedMidiBackend combined { system, inMemory };
};
} // namespace

MidiBackend& MidiBackend::getDefault()
{
    if (juce::SystemStats::getEnvironmentVariable ("Q7X_SIMULATOR", {}) == "1")
    {
        static SystemWithSimulator withSimulator;
        return withSimulator.combined;
    }

    static SystemMidiBackend system;
    return system;
}
