// Feeds arbitrary bytes to the preset file loader as the contents of a .q7x file.
#include "FakeParameterValue.h"
#include "FuzzSupport.h"
#include "preset/Alert.h"
#include "controller/PresetController.h"

namespace
{
struct Harness
{
    FatalAssertions fatalAssertions;

    Harness()
    {
        Alert::setPresenter ([] (const juce::String&, const juce::String&) {});
        folder.createDirectory();
    }

    ~Harness()
    {
        Alert::setPresenter ({});
        folder.deleteRecursively();
    }

    juce::ScopedJuceInitialiser_GUI juce;
    juce::File folder = juce::File::getSpecialLocation (juce::File::tempDirectory)
                            .getNonexistentChildFile ("q7x-fuzz-preset", {}, false);
    juce::File file = folder.getChildFile ("fuzzed.q7x");
    std::unique_ptr<PresetController> controller { createPresetController (nullptr) };
    FakeEditor editor { *controller };
};
} // namespace

extern "C" int LLVMFuzzerTestOneInput (const uint8_t* data, size_t size)
{
    static Harness harness;

    if (! harness.file.replaceWithData (data, size))
        return 0;

    const auto before = harness.controller->getPresetData();

    // A refused file leaves the preset as it was; an accepted one is what the file holds.
    if (! harness.controller->loadFromFile (harness.file))
    {
        if (harness.controller->getPresetData() != before)
            __builtin_trap();
    }
    else if (size != 103 || std::memcmp (harness.controller->getPresetData().getRawDataPointer(), data + 9, 93) != 0)
    {
        __builtin_trap();
    }

    return 0;
}
