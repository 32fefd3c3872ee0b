#include "controller/PresetHistory.h"
#include "preset/PresetLayout.h"

#include <benchmark/benchmark.h>
#include <malloc.h>

// The undo history: adding steps of one changed number each, and the heap they take, read from
// the allocator before and after (bytes_per_step).

namespace
{
void historyOfOneNumberSteps (benchmark::State& state)
{
    const auto numSteps = (int) state.range (0);
    double bytesPerStep = 0;

    for (auto _ : state)
    {
        auto image = PresetLayout::getDefaultPresetImage();
        const auto heapBefore = mallinfo2().uordblks;

        {
            PresetHistory history (image);

            for (int step = 0; step < numSteps; ++step)
            {
                image.set (21, (juce::uint8) (step % 128)); // Knob 2 Max
                image.set (14, (juce::uint8) ((step + 1) % 128));
                history.addStep ("Knob 2 Max", image);
            }

            bytesPerStep = (double) (mallinfo2().uordblks - heapBefore) / numSteps;
            benchmark::DoNotOptimize (history.getNumSteps());
        }
    }

    state.counters["bytes_per_step"] = bytesPerStep;
}
} // namespace

BENCHMARK (historyOfOneNumberSteps)->Arg (1000)->Arg (100000)->Unit (benchmark::kMillisecond);
