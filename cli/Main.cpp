#include "PresetCommandLine.h"

#include <iostream>

// Only juce_core: no message loop, no window, so the program runs without a display.
int main (int argc, char* argv[])
{
    return PresetCommandLine (std::cout, std::cerr).run (argc, argv);
}
