#pragma once

#include "InstanceEndpoint.h"

#include <juce_events/juce_events.h>
#include <functional>
#include <optional>

/**
    Keeps the editor to one running instance per user: the first instance listens on
    a per-user endpoint (InstanceEndpoint: a local socket on Linux, a named pipe on
    Windows), and a later launch sends its command line there and exits.

    The exchange is a small handshake, so that a file is never opened by two editors:
    the later launch sends its command line ending in a zero byte, the running
    instance checks it and answers "k", and the later launch confirms with "g"
    before it exits. The running instance serves a few launches at once, each for at most
    a second, so that clients which connect and send nothing cannot hold the others up.
    Only a confirmed command line is opened: one whose sender gave
    up waiting (the running instance was stopped or busy) is dropped, as the sender
    then runs on its own with it.
*/
class SingleInstance
{
public:
    /** What claim() found. */
    enum class Role
    {
        running,    /**< this process is the running instance and owns the endpoint */
        handedOver, /**< another instance took the command line; this one should exit */
        unanswered, /**< another instance runs but did not take the command line in time; this one runs on its own */
        unavailable /**< the endpoint could not be used; this process runs on its own */
    };

    /** Uses the endpoint at `endpointAddress` (see InstanceEndpoint); each step of a hand-over
        waits at most `timeoutMs` for the other side.
    */
    explicit SingleInstance (const juce::String& endpointAddress, int timeoutMs = 5000);

    /** Stops listening and gives the endpoint up if this instance owns it. */
    ~SingleInstance();

    /** Becomes the running instance, or hands `commandLine` to the one already running.
        What a crashed instance left behind is replaced.
    */
    Role claim (const juce::String& commandLine);

    /** Why claim() left this process on its own, for the user; empty when it did not. */
    const juce::String& getProblem() const noexcept { return problem; }

    /** From now on passes each command line handed over to `receiver`, on the message thread. */
    void startListening (std::function<void (const juce::String&)> receiver);

    /** Stops taking command lines in; none reaches the receiver after this returns. */
    void stopListening();

    /** The arguments joined the way the framework joins them: those holding spaces quoted. */
    static juce::String joinArguments (const juce::StringArray& arguments);

    /** A command line naming a relative path, made to name the same file from anywhere.
        Blank lines and options (starting with "-") are returned unchanged.
    */
    static juce::String makePathAbsolute (const juce::String& commandLine, const juce::File& workingDirectory);

    /** The file a command line names: its one path, quoted or not, relative to `workingDirectory`
        unless it is absolute (see CommandLinePath).
    */
    static juce::File fileNamedBy (const juce::String& commandLine, const juce::File& workingDirectory);

    /** The command line made absolute from this process's working folder, or nothing after putting
        in `problem` why its relative path cannot be (see CommandLinePath).
    */
    static std::optional<juce::String> makePathAbsolute (const juce::String& commandLine, juce::String& problem);

    /** The file a command line names from this process's working folder, or nothing after putting
        in `problem` why its relative path names none (see CommandLinePath).
    */
    static std::optional<juce::File> fileNamedBy (const juce::String& commandLine, juce::String& problem);

    /** The command line in bytes received from another process, or nothing when they are
        not one: too long, holding a zero byte, or not valid UTF-8.
    */
    static std::optional<juce::String> decodeCommandLine (const void* data, size_t size);

    /** The most a handed-over command line may hold, in bytes. */
    static constexpr size_t maxCommandLineBytes = 64 * 1024;

private:
    class Listener;

    Role connectOrListen (const juce::String& commandLine);

    // Shared with the messages still queued for the message thread, so that they
    // never outlive what they call.
    struct Receiver
    {
        void deliver (const juce::String& commandLine);

        juce::CriticalSection lock;
        std::function<void (const juce::String&)> function;
    };

    InstanceEndpoint endpoint;
    const int timeoutMs;
    bool running = false;
    juce::String problem;
    std::shared_ptr<Receiver> receiver = std::make_shared<Receiver>();
    std::unique_ptr<Listener> listener;

    JUCE_DECLARE_NON_COPYABLE_WITH_LEAK_DETECTOR (SingleInstance)
};
