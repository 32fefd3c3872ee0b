#pragma once

#include <juce_events/juce_events.h>

/**
    How the program takes its arguments and hands them to the framework, which differs between
    systems: on Linux they come as bytes in argv, which may not be UTF-8 and are checked first; on
    Windows they come from the wide-character command line (argv holds them in the ANSI code page,
    which loses characters), and the framework reads that line itself.
*/
namespace ApplicationEntry
{
/** The arguments the program was started with, its own name left out, as text. */
juce::StringArray getArguments (int argc, char* argv[]);

/** Runs the application made by juce::JUCEApplicationBase::createInstance with `arguments`
    (those getArguments() gave) and returns its exit status.
*/
int runApplication (const char* programName, const juce::StringArray& arguments);

/** False where the system has no display to show windows on (no X display named on Linux). */
bool hasDisplay();
} // namespace ApplicationEntry
