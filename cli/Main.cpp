#include "PresetCommandLine.h"
#include "midi/SystemMidiBackend.h"

#include <iostream>

// No message loop and no window: the program runs without a display. MIDI input arrives
// on the MIDI service's own thread.
int main (int argc, char* argv[])
{
    SystemMidiBackend midi;
    return PresetCommandLine (std::cout, std::cerr, midi).run (argc, argv);
}
