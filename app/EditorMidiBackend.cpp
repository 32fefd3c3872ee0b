#include "EditorMidiBackend.h"

#include "midi/CombinedMidiBackend.h"
#include "preset/ExternalText.h"
#include "midi/Q7XSimulator.h"

struct EditorMidiBackend::Simulated
{
    explicit Simulated (MidiBackend& systemPorts) : combined (systemPorts, inMemory) {}

    InMemoryMidiBackend inMemory;
    Q7XSimulator simulator { inMemory };
    CombinedMidiBackend combined;
};

EditorMidiBackend::EditorMidiBackend()
{
    if (ExternalText::getEnvironmentVariable ("Q7X_SIMULATOR") == "1")
        simulated = std::make_unique<Simulated> (system);
}

EditorMidiBackend::~EditorMidiBackend() = default;

MidiBackend& EditorMidiBackend::get() noexcept
{
    if (simulated != nullptr)
        return simulated->combined;

    return system;
}
