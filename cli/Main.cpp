#include "PresetCommandLine.h"

#include <iostream>

// Only juce_core: no message loop, no window, so the program runs without a display.
int main (int argc, char* argv[])
{
    juce::StringArray arguments;

    for (int i = 1; i < argc; ++i)
        arguments.add (juce::String::fromUTF8 (argv[i]));

    return PresetCommandLine (std::cout, std::cerr).run (arguments);
}
