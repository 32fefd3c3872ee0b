#include "ConsoleProgram.h"

std::vector<std::string> ConsoleProgram::start (int argc, char* argv[])
{
    // Linux passes the arguments' bytes as they are; PresetCommandLine checks that they are UTF-8.
    return { argv, argv + argc };
}

int ConsoleProgram::end (int status)
{
    return status;
}
