#include "ConsoleProgram.h"
#include "PresetCommandLine.h"
#include "midi/SystemMidiBackend.h"

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <iostream>

namespace
{
/** Output that never reached its file (a full disk, a closed pipe) fails the command, whatever it
    printed: the status must not tell a script that what it asked for is there.
*/
int closeStandardOutput (int status)
{
    errno = 0;
    std::cout.flush();
    const auto written = ! std::cout.fail() && std::ferror (stdout) == 0;
    auto error = errno;
    // Everything is flushed by now: a standard output that was closed (">&-") has lost nothing.
    const auto closed = std::fclose (stdout) == 0 || errno == EBADF;

    if (error == 0)
        error = errno;

    if (written && closed)
        return status;

    std::cerr << "q7x-preset: standard output: " << (error != 0 ? std::strerror (error) : "write error") << std::endl;
    return status == PresetCommandLine::success ? PresetCommandLine::refused : status;
}
} // namespace

// No message loop and no window: the program runs without a display. MIDI input arrives
// on the MIDI service's own thread.
int main (int argc, char* argv[])
{
    const auto arguments = ConsoleProgram::start (argc, argv);
    std::vector<const char*> pointers;

    for (const auto& argument : arguments)
        pointers.push_back (argument.c_str());

    SystemMidiBackend midi;
    const auto status = PresetCommandLine (std::cout, std::cerr, midi).run ((int) pointers.size(), pointers.data());
    return ConsoleProgram::end (closeStandardOutput (status));
}
