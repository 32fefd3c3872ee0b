#include "InstanceEndpoint.h"
#include "preset/EditorTexts.h"

#include <windows.h>
#include <aclapi.h>
#include <sddl.h>
#include <utility>

namespace
{
std::wstring toWide (const juce::String& text)
{
    return text.toWideCharPointer();
}

/** Closes a handle of the system when it goes. */
struct ScopedHandle
{
    explicit ScopedHandle (HANDLE h = INVALID_HANDLE_VALUE) : handle (h) {}
    ~ScopedHandle() { reset(); }

    void reset (HANDLE h = INVALID_HANDLE_VALUE)
    {
        if (isValid())
            ::CloseHandle (handle);

        handle = h;
    }

    HANDLE release() { return std::exchange (handle, INVALID_HANDLE_VALUE); }
    bool isValid() const { return handle != INVALID_HANDLE_VALUE && handle != nullptr; }

    HANDLE handle;

    JUCE_DECLARE_NON_COPYABLE (ScopedHandle)
};

/** The security identifier of the user this process runs as, as text ("S-1-5-21-..."); empty when the system does not say. */
juce::String getUserSid()
{
    HANDLE token = nullptr;

    if (! ::OpenProcessToken (::GetCurrentProcess(), TOKEN_QUERY, &token))
        return {};

    const ScopedHandle tokenHandle (token);
    DWORD size = 0;
    ::GetTokenInformation (token, TokenUser, nullptr, 0, &size);
    juce::HeapBlock<char> buffer (size, true);
    LPWSTR text = nullptr;

    if (size == 0 || ! ::GetTokenInformation (token, TokenUser, buffer.getData(), size, &size)
        || ! ::ConvertSidToStringSidW (reinterpret_cast<TOKEN_USER*> (buffer.getData())->User.Sid, &text))
        return {};

    const juce::String sid (text);
    ::LocalFree (text);
    return sid;
}

/** Only this user may open the pipe, and owns it, so that a later launch can tell our pipe from
    one another user made first under the same name.
*/
class UserOnlySecurity
{
public:
    UserOnlySecurity()
    {
        const auto sid = getUserSid();
        const auto sddl = toWide ("O:" + sid + "D:P(A;;GA;;;" + sid + ")");

        if (sid.isNotEmpty())
            ::ConvertStringSecurityDescriptorToSecurityDescriptorW (sddl.c_str(), SDDL_REVISION_1, &descriptor, nullptr);

        attributes.lpSecurityDescriptor = descriptor;
    }

    ~UserOnlySecurity() { ::LocalFree (descriptor); }

    /** Nothing when the descriptor could not be made: a pipe open to others is never made. */
    SECURITY_ATTRIBUTES* get() { return descriptor != nullptr ? &attributes : nullptr; }

private:
    PSECURITY_DESCRIPTOR descriptor = nullptr;
    SECURITY_ATTRIBUTES attributes { sizeof (SECURITY_ATTRIBUTES), nullptr, FALSE };

    JUCE_DECLARE_NON_COPYABLE (UserOnlySecurity)
};

/** True when the pipe at the other end of `client` is owned by the user this process runs as. */
bool isOwnedByUs (HANDLE client)
{
    PSID owner = nullptr;
    PSECURITY_DESCRIPTOR descriptor = nullptr;

    if (::GetSecurityInfo (client, SE_KERNEL_OBJECT, OWNER_SECURITY_INFORMATION, &owner, nullptr, nullptr, nullptr, &descriptor) != ERROR_SUCCESS)
        return false;

    LPWSTR text = nullptr;
    const auto isOurs = owner != nullptr && ::ConvertSidToStringSidW (owner, &text) && juce::String (text) == getUserSid();
    ::LocalFree (text);
    ::LocalFree (descriptor);
    return isOurs;
}

/** The system's wait time for a timeout, where a negative one waits not at all. */
DWORD toWaitTime (int timeoutMs)
{
    return (DWORD) juce::jmax (0, timeoutMs);
}

/** The end of a wait that several system calls share. */
class Deadline
{
public:
    explicit Deadline (int timeoutMs) : end (juce::Time::getMillisecondCounter() + toWaitTime (timeoutMs)) {}

    DWORD remaining() const
    {
        const auto now = juce::Time::getMillisecondCounter();
        return now >= end ? 0 : (DWORD) (end - now);
    }

private:
    juce::uint32 end;
};

/** A fresh OVERLAPPED that signals `event`, reset for it. */
OVERLAPPED makeOverlapped (HANDLE event)
{
    OVERLAPPED overlapped {};
    ::ResetEvent (event);
    overlapped.hEvent = event;
    return overlapped;
}

/** Held while a launch looks for the pipe and makes it, so that two launches never both find none
    and both make one: the system's own guard for that (FILE_FLAG_FIRST_PIPE_INSTANCE) is not kept
    by every implementation (Wine ignores it). A mutex of the user's, machine-wide; one left held by
    a crashed launch is abandoned, and taken over. Without it (someone else's of that name), launches
    are not kept apart.
*/
class PipeLock
{
public:
    PipeLock (const juce::String& pipeName, SECURITY_ATTRIBUTES* security, int timeoutMs)
        : mutex (::CreateMutexW (security, FALSE, toWide ("Global\\" + pipeName.fromLastOccurrenceOf ("\\", false, false) + ".lock").c_str()))
    {
        if (mutex.isValid())
        {
            const auto result = ::WaitForSingleObject (mutex.handle, toWaitTime (timeoutMs));
            held = result == WAIT_OBJECT_0 || result == WAIT_ABANDONED;
        }
    }

    ~PipeLock()
    {
        if (held)
            ::ReleaseMutex (mutex.handle);
    }

    /** False when another launch held it for longer than it was waited for. */
    bool isHeldOrAbsent() const { return held || ! mutex.isValid(); }

private:
    ScopedHandle mutex;
    bool held = false;

    JUCE_DECLARE_NON_COPYABLE (PipeLock)
};

/** True when an overlapped ReadFile or WriteFile that returned `result` is done or under way. */
bool isStarted (BOOL result)
{
    return result || ::GetLastError() == ERROR_IO_PENDING;
}

/** Waits at most `waitMs` for the overlapped operation on `handle` to end, and cancels it when
    time is up; false when it failed (or was cancelled), or never `started`.
*/
bool finish (HANDLE handle, OVERLAPPED& overlapped, bool started, DWORD waitMs, DWORD& transferred)
{
    if (! started)
        return false;

    if (::WaitForSingleObject (overlapped.hEvent, waitMs) != WAIT_OBJECT_0)
        ::CancelIoEx (handle, &overlapped);

    // After a cancel this waits for the operation to end, as its buffer must outlive it.
    return ::GetOverlappedResult (handle, &overlapped, &transferred, TRUE) != FALSE;
}

/** One end of a pipe instance, opened for overlapped I/O. */
class PipeConnection : public InstanceEndpoint::Connection
{
public:
    explicit PipeConnection (HANDLE pipeToOwn) : pipe (pipeToOwn) {}

    bool write (const void* data, size_t size, int timeoutMs) override
    {
        const Deadline deadline (timeoutMs);
        auto* bytes = static_cast<const char*> (data);

        while (size > 0)
        {
            DWORD written = 0;
            auto overlapped = makeOverlapped (event.handle);
            const auto started = isStarted (::WriteFile (pipe.handle, bytes, (DWORD) juce::jmin (size, (size_t) 65536), nullptr, &overlapped));

            if (! finish (pipe.handle, overlapped, started, deadline.remaining(), written) || written == 0)
                return false;

            bytes += written;
            size -= written;
        }

        return true;
    }

    size_t read (void* buffer, size_t size, int timeoutMs) override
    {
        DWORD received = 0;
        auto overlapped = makeOverlapped (event.handle);
        const auto started = isStarted (::ReadFile (pipe.handle, buffer, (DWORD) juce::jmin (size, (size_t) 65536), nullptr, &overlapped));
        return finish (pipe.handle, overlapped, started, toWaitTime (timeoutMs), received) ? received : 0;
    }

private:
    ScopedHandle pipe;
    ScopedHandle event { ::CreateEventW (nullptr, TRUE, FALSE, nullptr) };

    JUCE_DECLARE_NON_COPYABLE (PipeConnection)
};
/** A connection to the pipe's owner; nothing, with the reason in `error`, when there is none
    within `timeoutMs` or the pipe is not the user's own.
*/
std::unique_ptr<InstanceEndpoint::Connection> connectToPipe (const juce::String& address, int timeoutMs, DWORD& error)
{
    const auto name = toWide (address);
    const Deadline deadline (timeoutMs);

    for (;;)
    {
        // Identification only: the owner may see who we are, never act as us.
        ScopedHandle client (::CreateFileW (name.c_str(), GENERIC_READ | GENERIC_WRITE, 0, nullptr, OPEN_EXISTING,
                                            FILE_FLAG_OVERLAPPED | SECURITY_SQOS_PRESENT | SECURITY_IDENTIFICATION, nullptr));
        error = ::GetLastError();

        if (client.isValid())
        {
            if (isOwnedByUs (client.handle))
                return std::make_unique<PipeConnection> (client.release());

            error = ERROR_ACCESS_DENIED;
            return nullptr;
        }

        // Every instance of the pipe is taken: wait for one to be made, until the deadline.
        const auto waitMs = deadline.remaining();

        if (error != ERROR_PIPE_BUSY || waitMs == 0)
            return nullptr;

        if (! ::WaitNamedPipeW (name.c_str(), waitMs))
        {
            error = ::GetLastError();

            if (error != ERROR_PIPE_BUSY)
                return nullptr;
        }
    }
}
} // namespace

//==============================================================================
/** The owner's pipe instance that waits for the next connection: each connection takes an
    instance of its own, and a new one is made for the next.
*/
struct InstanceEndpoint::Native
{
    ~Native() { stopWaiting(); }

    /** Makes a new instance of the pipe (the first one only when no other process has the name),
        and returns the system's error when it cannot.
    */
    DWORD makeInstance (const juce::String& name, bool first)
    {
        UserOnlySecurity security;

        if (security.get() == nullptr)
            return ERROR_INVALID_SECURITY_DESCR;

        const auto flags = PIPE_ACCESS_DUPLEX | FILE_FLAG_OVERLAPPED | (first ? FILE_FLAG_FIRST_PIPE_INSTANCE : 0);
        waiting.reset (::CreateNamedPipeW (toWide (name).c_str(), (DWORD) flags,
                                           PIPE_TYPE_BYTE | PIPE_READMODE_BYTE | PIPE_WAIT | PIPE_REJECT_REMOTE_CLIENTS,
                                           PIPE_UNLIMITED_INSTANCES, 4096, 4096, 0, security.get()));
        return waiting.isValid() ? (DWORD) ERROR_SUCCESS : ::GetLastError();
    }

    /** True once a client has connected to the waiting instance, waiting at most `timeoutMs`. */
    bool waitForClient (int timeoutMs)
    {
        if (! connecting)
        {
            overlapped = makeOverlapped (event.handle);

            if (::ConnectNamedPipe (waiting.handle, &overlapped) || ::GetLastError() == ERROR_PIPE_CONNECTED)
                return true;

            if (::GetLastError() != ERROR_IO_PENDING)
            {
                // A client that came and went before it was seen: the instance waits again.
                ::DisconnectNamedPipe (waiting.handle);
                return false;
            }

            connecting = true;
        }

        // The connection stays under way between calls, so that no client is lost in between.
        if (::WaitForSingleObject (event.handle, toWaitTime (timeoutMs)) != WAIT_OBJECT_0)
            return false;

        connecting = false;
        DWORD unused = 0;

        if (::GetOverlappedResult (waiting.handle, &overlapped, &unused, FALSE))
            return true;

        ::DisconnectNamedPipe (waiting.handle);
        return false;
    }

    void stopWaiting()
    {
        if (connecting)
        {
            DWORD unused = 0;
            ::CancelIoEx (waiting.handle, &overlapped);
            ::GetOverlappedResult (waiting.handle, &overlapped, &unused, TRUE);
            connecting = false;
        }
    }

    bool owned = false;
    ScopedHandle waiting;
    ScopedHandle event { ::CreateEventW (nullptr, TRUE, FALSE, nullptr) };
    OVERLAPPED overlapped {};
    bool connecting = false;
};

InstanceEndpoint::InstanceEndpoint (const juce::String& pipeName)
    : address (pipeName), native (std::make_unique<Native>())
{
}

// A pipe goes with the last handle to it: nothing is left behind, even by a crash.
InstanceEndpoint::~InstanceEndpoint() = default;

InstanceEndpoint::Claim InstanceEndpoint::claim (std::unique_ptr<Connection>& connection, int timeoutMs)
{
    if (native->owned)
        return Claim::owned;

    UserOnlySecurity security;
    const PipeLock lock (address, security.get(), timeoutMs);

    if (! lock.isHeldOrAbsent())
        return Claim::busy;

    // Two attempts: the second when another process made the pipe between our two steps.
    for (int attempt = 0; attempt < 2; ++attempt)
    {
        DWORD connectError = 0;
        connection = connectToPipe (address, timeoutMs, connectError);

        if (connection != nullptr)
            return Claim::connected;

        if (connectError == ERROR_SEM_TIMEOUT || connectError == ERROR_PIPE_BUSY)
            return Claim::busy;

        if (connectError == ERROR_ACCESS_DENIED)
        {
            problem = address + " is in the way (not a pipe of this user)" + EditorTexts::takesNoLaterLaunches;
            return Claim::unavailable;
        }

        if (connectError != ERROR_FILE_NOT_FOUND)
            return Claim::unavailable;

        // Nobody has the pipe (a crashed owner's went with it).
        const auto createError = native->makeInstance (address, true);

        if (createError == ERROR_SUCCESS)
        {
            native->owned = true;
            return Claim::owned;
        }

        if (createError != ERROR_ACCESS_DENIED)
            return Claim::unavailable;
    }

    return Claim::unavailable;
}

std::unique_ptr<InstanceEndpoint::Connection> InstanceEndpoint::accept (int timeoutMs)
{
    if (! native->owned)
        return nullptr;

    // When no new instance could be made, the next call tries again: meanwhile clients wait.
    if (! native->waiting.isValid() && native->makeInstance (address, false) != ERROR_SUCCESS)
    {
        juce::Thread::sleep (timeoutMs);
        return nullptr;
    }

    if (! native->waitForClient (timeoutMs))
        return nullptr;

    auto connection = std::make_unique<PipeConnection> (native->waiting.release());
    native->makeInstance (address, false);
    return connection;
}

std::unique_ptr<InstanceEndpoint::Connection> InstanceEndpoint::connect (int timeoutMs)
{
    DWORD unused = 0;
    return connectToPipe (address, timeoutMs, unused);
}

juce::String InstanceEndpoint::getDefaultAddress()
{
    return "\\\\.\\pipe\\q7x-editor-" + getUserSid();
}

bool InstanceEndpoint::frameworkHandsOverLaterLaunches()
{
    return true;
}
