#pragma once

#include "AssertionCatcher.h"

#include <juce_core/juce_core.h>
#include <cstdint>
#include <cstdlib>

/** What libFuzzer calls with each input. */
extern "C" int LLVMFuzzerTestOneInput (const uint8_t* data, size_t size);

/** Turns the framework's assertions, which fuzz builds log, into crashes the fuzzer reports:
    an assertion is a fault found, as much as a bad read is.
*/
class FatalAssertions : private AssertionCatcher
{
public:
    FatalAssertions() : AssertionCatcher ([] (const FailedAssertion&) { std::abort(); }) {}
};
