#include "AssertionCatcher.h"

#include <gtest/gtest.h>
#include <juce_gui_basics/juce_gui_basics.h>
#include <atomic>

int main (int argc, char** argv)
{
    testing::InitGoogleTest (&argc, argv);

    // A failed jassert is a broken assumption: it fails the test that was running, whichever
    // thread it fired on. One outside every test (start-up, shut-down) fails the whole run.
    std::atomic<int> assertionsOutsideTests { 0 };
    AssertionCatcher assertionsFailTests ([&assertionsOutsideTests] (const AssertionCatcher::FailedAssertion& failed) {
        if (testing::UnitTest::GetInstance()->current_test_info() != nullptr)
            ADD_FAILURE_AT (failed.file.toRawUTF8(), failed.line) << failed.message;
        else
            ++assertionsOutsideTests;
    });

    int result = 0;

    {
        // One message thread for the whole run: components, timers and async
        // messages in the tests all need it.
        juce::ScopedJuceInitialiser_GUI juceInitialiser;
        result = RUN_ALL_TESTS();
    }

    if (assertionsOutsideTests > 0)
    {
        std::fprintf (stderr, "%d failed assertion(s) outside the tests\n", assertionsOutsideTests.load());
        return 1;
    }

    return result;
}
