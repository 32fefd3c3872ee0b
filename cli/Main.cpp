#include "ConsoleProgram.h"
#include "PresetCommandLine.h"
#include "midi/SystemMidiBackend.h"

#include <iostream>

// No message loop and no window: the program runs without a display. MIDI input arrives
// on the MIDI service's own thread.
int main (int argc, char* argv[])
{
    const auto arguments = ConsoleProgram::start (argc, argv);
    std::vector<const char*> pointers;

    for (const auto& argument : arguments)
        pointers.push_back (argument.c_str());

    SystemMidiBackend midi;
    return PresetCommandLine (std::cout, std::cerr, midi).run ((int) pointers.size(), pointers.data());
}
