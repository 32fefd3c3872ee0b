#pragma once

#include <juce_core/juce_core.h>
#include <memory>

/**
    The place where the editor's instances of one user meet, the system's way: on Linux a Unix
    socket (with a lock file beside it, so that two launches never both replace a stale one), on
    Windows a named pipe that only the same user may open. The first instance owns it and
    accepts connections; later launches connect to it. It only moves bytes: what they mean is
    SingleInstance's business.
*/
class InstanceEndpoint
{
public:
    /** One connection between two instances; each step waits at most the time it is given. */
    class Connection
    {
    public:
        virtual ~Connection() = default;

        /** Sends all of `data`; false when the other side is gone or does not take it within `timeoutMs`. */
        virtual bool write (const void* data, size_t size, int timeoutMs) = 0;

        /** Waits at most `timeoutMs` for bytes and reads those that came, up to `size`;
            0 when none came (time up, the other side gone).
        */
        virtual size_t read (void* buffer, size_t size, int timeoutMs) = 0;
    };

    /** What claim() found. */
    enum class Claim
    {
        owned,      /**< this process owns the endpoint now: accept() takes connections */
        connected,  /**< another instance owns it, and the connection leads there */
        busy,       /**< another instance owns it but took no connection in time */
        unavailable /**< the endpoint cannot be used; getProblem() may say why */
    };

    /** The endpoint at `address`: a socket file's path on Linux, a pipe's name on Windows. */
    explicit InstanceEndpoint (const juce::String& address);

    /** Closes the endpoint, and removes what it left on disk, if this process owns it. */
    ~InstanceEndpoint();

    /** Becomes the owner of the endpoint, or connects `connection` to its owner, waiting at most
        `timeoutMs`. What a crashed owner left behind is replaced.
    */
    Claim claim (std::unique_ptr<Connection>& connection, int timeoutMs);

    /** Why claim() found the endpoint unavailable or busy, when there is something worth saying. */
    const juce::String& getProblem() const noexcept { return problem; }

    /** The next connection to the owned endpoint, or nothing when none came within `timeoutMs`.
        Called by one thread at a time.
    */
    std::unique_ptr<Connection> accept (int timeoutMs);

    /** Connects to the endpoint's owner as a later launch does, but without claiming it first:
        nothing when nobody takes the connection within `timeoutMs`.
    */
    std::unique_ptr<Connection> connect (int timeoutMs);

    const juce::String& getAddress() const noexcept { return address; }

    /** The endpoint of the current user: a socket in $XDG_RUNTIME_DIR (else in a folder of the
        user's own in /tmp) on Linux, a pipe named after the user's security identifier on Windows.
    */
    static juce::String getDefaultAddress();

    /** True where the framework's own single-instance check hands a later launch's command line
        to the running program (Windows), false where its lock is machine-wide and its hand-over
        does nothing (Linux): there, later launches must be let in for ours to take them.
    */
    static bool frameworkHandsOverLaterLaunches();

private:
    struct Native;

    const juce::String address;
    juce::String problem;
    std::unique_ptr<Native> native;

    JUCE_DECLARE_NON_COPYABLE_WITH_LEAK_DETECTOR (InstanceEndpoint)
};
