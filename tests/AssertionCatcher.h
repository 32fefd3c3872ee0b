#pragma once

#include <juce_core/juce_core.h>
#include <cstdio>
#include <functional>

/**
    Hands every failed framework assertion to a handler while it lives.

    Builds that set JUCE_LOG_ASSERTIONS (the Debug builds, and so the sanitizer and fuzz builds)
    report a failed jassert through juce::Logger as "JUCE Assertion failure in File.cpp:123"
    instead of only printing it, and go on. Catching that line is what lets a broken assumption
    fail a test or stop a fuzzer. Every message, assertion or not, is still printed to stderr.
*/
class AssertionCatcher : private juce::Logger
{
public:
    /** One failed assertion: where it is, and the line the framework logged. */
    struct FailedAssertion
    {
        juce::String file;
        int line = 0;
        juce::String message;
    };

    using Handler = std::function<void (const FailedAssertion&)>;

    /** Becomes the framework's logger; the handler may be called from any thread. */
    explicit AssertionCatcher (Handler handlerToUse) : handler (std::move (handlerToUse))
    {
        juce::Logger::setCurrentLogger (this);
    }

    ~AssertionCatcher() override
    {
        juce::Logger::setCurrentLogger (nullptr);
    }

    /** False where jassert is compiled out (Release builds): nothing will reach a handler. */
    static constexpr bool isActive() noexcept { return JUCE_LOG_ASSERTIONS != 0; }

private:
    void logMessage (const juce::String& message) override
    {
        std::fprintf (stderr, "%s\n", message.toRawUTF8());

        const juce::String prefix ("JUCE Assertion failure in ");

        if (! message.startsWith (prefix))
            return;

        const auto place = message.substring (prefix.length());
        handler ({ place.upToLastOccurrenceOf (":", false, false),
                   place.fromLastOccurrenceOf (":", false, false).getIntValue(),
                   message });
    }

    Handler handler;
};
