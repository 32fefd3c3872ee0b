#include "PresetFixtures.h"
#include "preset/PresetFraming.h"
#include "preset/PresetValidator.h"

#include <benchmark/benchmark.h>

// Checking presets: one image in memory, and q7x-preset checking a folder of files in one call
// (which also measures its start, with no GUI to initialise).

namespace
{
void checkOnePresetInMemory (benchmark::State& state)
{
    juce::Random random (7);
    const auto image = makeRandomValidPreset (random, 3);

    for (auto _ : state)
        benchmark::DoNotOptimize (PresetValidator::findProblem (image));
}

void checkFilesWithTheProgram (benchmark::State& state)
{
    const auto numFiles = (int) state.range (0);
    const juce::TemporaryFile folderName;
    const auto folder = folderName.getFile();
    folder.createDirectory();

    juce::Random random (8);
    juce::StringArray command { Q7X_PRESET_PROGRAM, "check" };

    for (int i = 0; i < numFiles; ++i)
    {
        const auto bytes = PresetFraming::makeDumpMessage (makeRandomValidPreset (random, i));
        const auto file = folder.getChildFile ("preset" + juce::String (i) + ".q7x");
        file.replaceWithData (bytes.begin(), (size_t) bytes.size());
        command.add (file.getFullPathName());
    }

    for (auto _ : state)
    {
        juce::ChildProcess process;

        if (! process.start (command) || ! process.waitForProcessToFinish (60000) || process.getExitCode() != 0)
            state.SkipWithError ("q7x-preset check did not accept the files");
    }

    folder.deleteRecursively();
}
} // namespace

BENCHMARK (checkOnePresetInMemory);
BENCHMARK (checkFilesWithTheProgram)->Arg (1)->Arg (1000)->Unit (benchmark::kMillisecond);
