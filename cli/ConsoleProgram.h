#pragma once

#include <string>
#include <vector>

/**
    What a console program's main() gets from the system, made the same on every system: its
    arguments as the bytes of UTF-8 text (Windows hands main() them in the local code page,
    which cannot hold every file name: they are read from the wide command line), and standard
    input, output and error that read and write bytes as given (Windows' text mode would turn
    each LF into CR LF, so exported text would differ from Linux's, and stop reading at a Ctrl+Z).
*/
namespace ConsoleProgram
{
/** Sets up the standard streams and returns the arguments, the program's name first. */
std::vector<std::string> start (int argc, char* argv[]);

/** What main() returns, once the standard streams are flushed. Under Wine, whose ALSA MIDI driver
    crashes while it is unloaded at exit (status 139 after a command that listed or used ports), the
    process ends here with the status instead, before any driver is unloaded.
*/
int end (int status);
} // namespace ConsoleProgram
