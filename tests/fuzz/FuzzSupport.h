#pragma once

#include <juce_core/juce_core.h>
#include <cstdio>
#include <cstdint>
#include <cstdlib>

/** What libFuzzer calls with each input. */
extern "C" int LLVMFuzzerTestOneInput (const uint8_t* data, size_t size);

/** Turns the framework's assertions, which fuzz builds log, into crashes the fuzzer reports:
    an assertion is a fault found, as much as a bad read is.
*/
class FatalAssertions : private juce::Logger
{
public:
    FatalAssertions()  { juce::Logger::setCurrentLogger (this); }
    ~FatalAssertions() override { juce::Logger::setCurrentLogger (nullptr); }

private:
    void logMessage (const juce::String& message) override
    {
        std::fprintf (stderr, "%s\n", message.toRawUTF8());

        if (message.startsWith ("JUCE Assertion failure"))
            std::abort();
    }
};
