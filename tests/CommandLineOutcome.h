#pragma once

#include "cli/PresetCommandLine.h"

#include <sstream>

/** What one run of q7x-preset gave: its exit status and what it wrote to each stream. */
struct CommandLineOutcome
{
    int status;
    juce::String out, err;
};

/** Runs q7x-preset in-process, with these MIDI ports. */
inline CommandLineOutcome runCommandLine (MidiBackend& ports, const juce::StringArray& arguments)
{
    std::ostringstream out, err;
    const auto status = PresetCommandLine (out, err, ports).run (arguments);
    return { status, out.str(), err.str() };
}
