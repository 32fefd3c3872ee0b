#include "HardwareFollower.h"

#include "midi/ControlMessages.h"
#include "views/EditorComponent.h"

HardwareFollower::HardwareFollower (MidiManager& midi, WindowManager& windows)
    : midiManager (midi),
      windowManager (windows),
      relay (midi, [this] (const std::vector<juce::MidiMessage>& messages) { follow (messages); })
{
}

HardwareFollower::~HardwareFollower() = default;

void HardwareFollower::follow (const std::vector<juce::MidiMessage>& messages)
{
    // Messages queued before the port closed, or the option was unchecked, show nothing.
    if (! enabled || ! midiManager.isInputOpen())
        return;

    auto* document = windowManager.getActiveDocument();
    auto* editor = document != nullptr ? dynamic_cast<EditorComponent*> (document->getContentComponent()) : nullptr;

    if (editor == nullptr)
        return;

    const auto preset = document->getPresetController().getPresetData();

    for (const auto& message : messages)
    {
        juce::StringArray names;

        for (const auto& control : ControlMessages::findSenders (preset, message))
            names.add (control.getName());

        spotlight.show (*editor, names);
    }
}
