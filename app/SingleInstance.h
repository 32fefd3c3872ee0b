#pragma once

#include <juce_events/juce_events.h>
#include <functional>

/**
    Keeps the editor to one running instance per user where the framework cannot
    hand a second launch's command line over (Linux): the first instance listens on
    a per-user local socket, and a later launch sends its command line there and
    exits.
*/
class SingleInstance
{
public:
    /** What claim() found. */
    enum class Role
    {
        running,      /**< this process is the running instance and owns the socket */
        handedOver,   /**< another instance took the command line; this one should exit */
        unavailable   /**< no socket could be used; this process runs on its own */
    };

    /** Uses the socket at `socketFile`. */
    explicit SingleInstance (const juce::File& socketFile);

    /** Stops listening and removes the socket if this instance owns it. */
    ~SingleInstance();

    /** Becomes the running instance, or hands `commandLine` to the one already running.
        A socket left behind by a crashed instance is replaced.
    */
    Role claim (const juce::String& commandLine);

    /** From now on passes each command line handed over to `receiver`, on the message thread. */
    void startListening (std::function<void (const juce::String&)> receiver);

    /** Stops taking command lines in; none reaches the receiver after this returns. */
    void stopListening();

    /** The socket of the current user: in $XDG_RUNTIME_DIR when it is set, else in /tmp. */
    static juce::File getDefaultSocketFile();

    /** The arguments joined the way the framework joins them: those holding spaces quoted. */
    static juce::String joinArguments (const juce::StringArray& arguments);

    /** A command line naming a relative path, made to name the same file from anywhere.
        Blank lines and options (starting with "-") are returned unchanged.
    */
    static juce::String makePathAbsolute (const juce::String& commandLine, const juce::File& workingDirectory);

private:
    class Listener;

    // Shared with the messages still queued for the message thread, so that they
    // never outlive what they call.
    struct Receiver
    {
        void deliver (const juce::String& commandLine);

        juce::CriticalSection lock;
        std::function<void (const juce::String&)> function;
    };

    const juce::File socketFile;
    int listeningSocket = -1;
    std::shared_ptr<Receiver> receiver = std::make_shared<Receiver>();
    std::unique_ptr<Listener> listener;

    JUCE_DECLARE_NON_COPYABLE_WITH_LEAK_DETECTOR (SingleInstance)
};
