#include "ExternalText.h"

#include <cerrno>
#include <unistd.h>
#include <vector>

juce::File ExternalText::getCurrentWorkingDirectory()
{
    std::vector<char> buffer (4096);

    while (::getcwd (buffer.data(), buffer.size()) == nullptr)
    {
        if (errno != ERANGE)
            return juce::File ("/");

        buffer.resize (buffer.size() * 2);
    }

    return juce::File (decode (buffer.data()));
}
