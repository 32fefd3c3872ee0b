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
} // namespace ConsoleProgram
