#include "AssertionCatcher.h"

#include <gtest/gtest-spi.h>
#include <gtest/gtest.h>
#include <thread>

// A jassert that fires while a test runs fails that test, on the test's thread or any other
// (the MIDI input and image decoding threads run the editor's code too).
TEST (FailedAssertion, FailsTheTestThatTriggeredIt)
{
    if (! AssertionCatcher::isActive())
        GTEST_SKIP() << "jassert is compiled out of this build";

    EXPECT_NONFATAL_FAILURE (jassertfalse, "JUCE Assertion failure in FailedAssertionTest.cpp:");
    EXPECT_NONFATAL_FAILURE_ON_ALL_THREADS (std::thread ([] { jassertfalse; }).join(),
                                            "JUCE Assertion failure in FailedAssertionTest.cpp:");
}
