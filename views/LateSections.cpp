#include "LateSections.h"
#include "EditorComponent.h"
#include "QControlLayoutView.h"
#include "SectionFactory.h"
#include "controller/PresetController.h"

EditorComponent* LateSections::createEditor (PresetController& controller)
{
    std::unique_ptr<LateSections> sections (new LateSections (controller));
    auto* editor = SectionFactory::createEditorWithMainSection (*sections);
    sections->editor = editor;
    editor->buildSectionsLater (std::move (sections));
    return editor;
}

LateSections::LateSections (PresetController& c)
    : controller (c),
      arrowImages (QControlLayoutView::getArrowImages())
{
}

void LateSections::build()
{
    // Cleared first: building comes back here (a widget reporting its value).
    if (! std::exchange (pending, false))
        return;

    const auto preset = getPresetWithDefaultsForUnheldBytes();

    // The new widgets report their own defaults as they bind; the preset is then put back.
    SectionFactory::addControlSections (*editor, controller);
    controller.applyPresetData (preset);
}

juce::Array<juce::uint8> LateSections::getPresetWithDefaultsForUnheldBytes() const
{
    // Until now nothing could change the preset (every path to it builds the sections
    // first), so the bytes no widget held yet are still the default preset's.
    auto preset = controller.getPresetData();
    const auto defaults = PresetLayout::getDefaultPresetImage();

    for (int offset = 0; offset < preset.size() && offset < defaults.size(); ++offset)
        if (controller.getBoundValues (offset).isEmpty())
            preset.set (offset, defaults[offset]);

    return preset;
}

void LateSections::buttonClicked (juce::Button* button)
{
    build();
    controller.buttonClicked (button);
}
