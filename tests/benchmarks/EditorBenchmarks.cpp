#include "EditorFixture.h"
#include "PresetFixtures.h"

#include <benchmark/benchmark.h>

// How long a document waits for its editor, and a preset for the panels.

namespace
{
// A controller binds its widgets for good, so every editor gets a controller of its own,
// built and destroyed outside the timed part, as a document does.
struct Document
{
    InMemoryMidiBackend backend;
    MidiManager midiManager { backend };
    std::unique_ptr<PresetController> controller { createPresetController (&midiManager) };
    std::unique_ptr<EditorComponent> editor;

    ~Document() { editor.reset(); }
};

void buildEditors (benchmark::State& state, bool releaseCachedImages)
{
    for (auto _ : state)
    {
        state.PauseTiming();
        auto document = std::make_unique<Document>();

        if (releaseCachedImages)
            juce::ImageCache::releaseUnusedImages();

        state.ResumeTiming();

        document->editor.reset (createEditorComponent (*document->controller));
        benchmark::DoNotOptimize (document->editor.get());

        state.PauseTiming();
        document.reset();
        state.ResumeTiming();
    }
}

// The first editor of a run: every image is decoded.
void buildEditorWithColdImageCache (benchmark::State& state)
{
    buildEditors (state, true);
}

// A further document while one is open: the images come from the cache.
void buildSecondEditor (benchmark::State& state)
{
    EditorFixture first;
    buildEditors (state, false);
}

// What the first click on a section tab waits for in a window shown with its Main section only:
// the six control sections made and given the preset.
void makeSectionsOnFirstClick (benchmark::State& state)
{
    EditorFixture first; // images decoded and fonts loaded, as once a window is on the screen

    for (auto _ : state)
    {
        state.PauseTiming();
        auto document = std::make_unique<Document>();
        document->editor.reset (createEditorComponentShowingMainFirst (*document->controller));
        document->controller->applyPresetData (PresetLayout::getDefaultPresetImage());
        state.ResumeTiming();

        document->editor->selectSection (1);

        state.PauseTiming();
        document.reset();
        state.ResumeTiming();
    }
}

// A whole preset through the widgets: two presets in turn, so values and modes change each time.
void applyWholePreset (benchmark::State& state)
{
    EditorFixture document;
    juce::Random random (3);
    const juce::Array<juce::uint8> presets[] { makeRandomValidPreset (random, 0), makeRandomValidPreset (random, 1) };
    int next = 0;

    for (auto _ : state)
    {
        const auto applied = document.controller->applyPresetData (presets[next]);
        benchmark::DoNotOptimize (applied);
        next = 1 - next;
    }
}

// The same preset again: nothing changes but every number box still reports.
void applySamePresetAgain (benchmark::State& state)
{
    EditorFixture document;
    const auto preset = PresetLayout::getDefaultPresetImage();

    for (auto _ : state)
    {
        const auto applied = document.controller->applyPresetData (preset);
        benchmark::DoNotOptimize (applied);
    }
}
} // namespace

BENCHMARK (buildEditorWithColdImageCache)->Unit (benchmark::kMillisecond);
BENCHMARK (buildSecondEditor)->Unit (benchmark::kMillisecond);
BENCHMARK (makeSectionsOnFirstClick)->Unit (benchmark::kMillisecond);
BENCHMARK (applyWholePreset)->Unit (benchmark::kMicrosecond);
BENCHMARK (applySamePresetAgain)->Unit (benchmark::kMicrosecond);

int main (int argc, char** argv)
{
    juce::ScopedJuceInitialiser_GUI juceInitialiser;

    benchmark::Initialize (&argc, argv);

    if (benchmark::ReportUnrecognizedArguments (argc, argv))
        return 1;

    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
