// Feeds arbitrary text to the JSON import: whatever it accepts must be a preset the editor
// opens, and must export and import again to the very same bytes.
#include "FuzzSupport.h"
#include "cli/PresetJson.h"
#include "preset/PresetLayout.h"
#include "preset/PresetValidator.h"

extern "C" int LLVMFuzzerTestOneInput (const uint8_t* data, size_t size)
{
    static const FatalAssertions fatalAssertions;
    juce::Array<juce::uint8> image;

    if (PresetJson::fromText (data, size, image).failed())
        return 0;

    if (image.size() != PresetLayout::presetImageSize || PresetValidator::findProblem (image).has_value())
        __builtin_trap();

    const auto exported = juce::JSON::toString (PresetJson::toJson (image)).toStdString();
    juce::Array<juce::uint8> again;

    if (PresetJson::fromText (exported.data(), exported.size(), again).failed() || again != image)
        __builtin_trap();

    return 0;
}
