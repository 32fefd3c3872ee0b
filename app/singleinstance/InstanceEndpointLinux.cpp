#include "InstanceEndpoint.h"
#include "preset/EditorTexts.h"
#include "preset/ExternalText.h"

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <poll.h>
#include <sys/file.h>
#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/un.h>
#include <unistd.h>

namespace
{
bool makeAddress (const juce::String& socketPath, sockaddr_un& address)
{
    const auto path = socketPath.toStdString();
    address = {};
    address.sun_family = AF_UNIX;

    if (path.size() >= sizeof (address.sun_path))
        return false;

    std::copy (path.begin(), path.end(), address.sun_path);
    return true;
}

int makeSocket()
{
    return ::socket (AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0);
}

/** Bounds each send() (and connect(), which a full queue blocks) of `fd` by `timeoutMs`. */
void setSendTimeout (int fd, int timeoutMs)
{
    const auto ms = std::max (1, timeoutMs); // zero would mean no limit at all
    const timeval timeout { ms / 1000, (ms % 1000) * 1000 };
    ::setsockopt (fd, SOL_SOCKET, SO_SNDTIMEO, &timeout, sizeof (timeout));
}

bool waitFor (int fd, short events, int timeoutMs)
{
    pollfd p { fd, events, 0 };
    return ::poll (&p, 1, timeoutMs) > 0;
}

class SocketConnection : public InstanceEndpoint::Connection
{
public:
    explicit SocketConnection (int socketToOwn) : fd (socketToOwn) {}
    ~SocketConnection() override { ::close (fd); }

    bool write (const void* data, size_t size, int timeoutMs) override
    {
        setSendTimeout (fd, timeoutMs);
        auto* bytes = static_cast<const char*> (data);

        while (size > 0)
        {
            const auto written = ::send (fd, bytes, size, MSG_NOSIGNAL);

            if (written <= 0)
                return false;

            bytes += written;
            size -= (size_t) written;
        }

        return true;
    }

    size_t read (void* buffer, size_t size, int timeoutMs) override
    {
        if (! waitFor (fd, POLLIN, timeoutMs))
            return 0;

        const auto n = ::recv (fd, buffer, size, 0);
        return n > 0 ? (size_t) n : 0;
    }

private:
    const int fd;

    JUCE_DECLARE_NON_COPYABLE (SocketConnection)
};

/** A socket file that someone else made is never trusted with our command line. */
void removeSocketFile (const juce::String& path)
{
    ::unlink (path.toRawUTF8());
}

bool isOurs (const struct stat& info)
{
    return info.st_uid == ::getuid();
}

/** Why `folder` cannot hold the socket and its lock, or nothing when it can: a folder of this
    user's own (not a link to one) that no one else may write to, so that no one else can put a
    lock or a socket there first. A missing one is made so.
*/
juce::String privateFolderProblem (const juce::String& folder, bool create)
{
    if (create && ::mkdir (folder.toRawUTF8(), S_IRWXU) != 0 && errno != EEXIST)
        return "cannot create " + folder + " (" + juce::String (std::strerror (errno)) + ")";

    struct stat info
    {};

    if (::lstat (folder.toRawUTF8(), &info) != 0 || ! S_ISDIR (info.st_mode) || ! isOurs (info)
        || (info.st_mode & (S_IWGRP | S_IWOTH)) != 0)
        return folder + " is not a folder of this user's that only this user may write to";

    return {};
}

/** Held while a launch looks at the socket, so that two launches never both find it stale and
    both become the running instance (one removing the other's fresh socket). The lock file
    stays: removing it would let a third launch lock a file the first two no longer share.
    A file there that is not this user's own is never opened: it is not ours to lock.
*/
class SocketLock
{
public:
    explicit SocketLock (const juce::String& lockPath) : fd (openOwnFile (lockPath)) {}

    ~SocketLock()
    {
        if (fd >= 0)
            ::close (fd);
    }

    bool isOpen() const noexcept { return fd >= 0; }

    /** Waits at most `timeoutMs` for the lock: a launch stopped while holding it must not hold
        up every later one.
    */
    bool acquire (int timeoutMs)
    {
        const auto deadline = juce::Time::getMillisecondCounter() + (juce::uint32) std::max (0, timeoutMs);

        while (::flock (fd, LOCK_EX | LOCK_NB) != 0)
        {
            if (errno != EWOULDBLOCK && errno != EINTR)
                return false;

            if (juce::Time::getMillisecondCounter() >= deadline)
                return false;

            juce::Thread::sleep (10);
        }

        return true;
    }

private:
    static bool isOwnRegularFile (const struct stat& info) { return S_ISREG (info.st_mode) && isOurs (info); }

    static int openOwnFile (const juce::String& path)
    {
        struct stat info
        {};

        if (::lstat (path.toRawUTF8(), &info) == 0 && ! isOwnRegularFile (info))
            return -1;

        // Checked again once open, in case the file was swapped meanwhile; never blocks on a FIFO.
        const auto fd = ::open (path.toRawUTF8(), O_RDWR | O_CREAT | O_NOFOLLOW | O_NONBLOCK | O_CLOEXEC, 0600);

        if (fd >= 0 && (::fstat (fd, &info) != 0 || ! isOwnRegularFile (info)))
        {
            ::close (fd);
            return -1;
        }

        return fd;
    }

    const int fd;

    JUCE_DECLARE_NON_COPYABLE (SocketLock)
};

bool isOwnedByUs (const juce::String& path)
{
    struct stat info
    {};
    return ::lstat (path.toRawUTF8(), &info) == 0
        && S_ISSOCK (info.st_mode) && isOurs (info);
}

/** A connection to the socket's owner; nothing, with the reason in `error`, when there is none. */
std::unique_ptr<InstanceEndpoint::Connection> connectTo (const sockaddr_un& address, int timeoutMs, int& error)
{
    const auto fd = makeSocket();
    error = errno;

    if (fd < 0)
        return nullptr;

    setSendTimeout (fd, timeoutMs);

    if (::connect (fd, (const sockaddr*) &address, sizeof (address)) == 0)
        return std::make_unique<SocketConnection> (fd);

    error = errno;
    ::close (fd);
    return nullptr;
}
} // namespace

//==============================================================================
struct InstanceEndpoint::Native
{
    int listeningSocket = -1;
};

InstanceEndpoint::InstanceEndpoint (const juce::String& socketPath)
    : address (socketPath), native (std::make_unique<Native>())
{
}

InstanceEndpoint::~InstanceEndpoint()
{
    if (native->listeningSocket >= 0)
    {
        ::close (native->listeningSocket);
        removeSocketFile (address);
    }
}

InstanceEndpoint::Claim InstanceEndpoint::claim (std::unique_ptr<Connection>& connection, int timeoutMs)
{
    if (native->listeningSocket >= 0)
        return Claim::owned;

    sockaddr_un socketAddress;

    if (! makeAddress (address, socketAddress))
        return Claim::unavailable;

    const auto folder = juce::File (address).getParentDirectory().getFullPathName();
    const auto lockPath = address + ".lock";
    const auto* runsAlone = EditorTexts::takesNoLaterLaunches;

    if (const auto folderProblem = privateFolderProblem (folder, true); folderProblem.isNotEmpty())
    {
        problem = folderProblem + runsAlone;
        return Claim::unavailable;
    }

    SocketLock lock (lockPath);

    if (! lock.isOpen())
    {
        problem = lockPath + " is not a file of this user" + runsAlone;
        return Claim::unavailable;
    }

    if (! lock.acquire (timeoutMs))
    {
        problem = "another launch held " + lockPath + " for over " + juce::String (timeoutMs / 1000.0, 1)
                + " s" + EditorTexts::runsOnItsOwn;
        return Claim::busy;
    }

    // Two attempts: the second after removing a socket that nobody answers on any more.
    for (int attempt = 0; attempt < 2; ++attempt)
    {
        const auto fd = makeSocket();

        if (fd < 0)
            return Claim::unavailable;

        if (::bind (fd, (const sockaddr*) &socketAddress, sizeof (socketAddress)) == 0)
        {
            ::chmod (address.toRawUTF8(), S_IRUSR | S_IWUSR);

            if (::listen (fd, 16) == 0)
            {
                native->listeningSocket = fd;
                return Claim::owned;
            }

            ::close (fd);
            removeSocketFile (address);
            return Claim::unavailable;
        }

        const auto bindError = errno;
        ::close (fd);

        // Whatever else is there (a file, a folder, someone else's socket) may matter to
        // someone: it is left alone, and the user is told why files are not handed over.
        if (bindError != EADDRINUSE || ! isOwnedByUs (address))
        {
            problem = address + " is in the way (not a socket of this user)" + runsAlone;
            return Claim::unavailable;
        }

        int connectError = 0;
        connection = connectTo (socketAddress, timeoutMs, connectError);

        if (connection != nullptr)
            return Claim::connected;

        // A queue kept full (by clients that send nothing) is a running instance that does not answer.
        if (connectError == EAGAIN)
            return Claim::busy;

        if (connectError != ECONNREFUSED)
            return Claim::unavailable;

        // Left behind by an instance that crashed.
        removeSocketFile (address);
    }

    return Claim::unavailable;
}

std::unique_ptr<InstanceEndpoint::Connection> InstanceEndpoint::accept (int timeoutMs)
{
    if (native->listeningSocket < 0 || ! waitFor (native->listeningSocket, POLLIN, timeoutMs))
        return nullptr;

    const auto connection = ::accept4 (native->listeningSocket, nullptr, nullptr, SOCK_CLOEXEC);
    return connection >= 0 ? std::make_unique<SocketConnection> (connection) : nullptr;
}

std::unique_ptr<InstanceEndpoint::Connection> InstanceEndpoint::connect (int timeoutMs)
{
    sockaddr_un socketAddress;
    int error = 0;
    return makeAddress (address, socketAddress) ? connectTo (socketAddress, timeoutMs, error) : nullptr;
}

juce::String InstanceEndpoint::getDefaultAddress()
{
    const auto runtimeFolder = ExternalText::getEnvironmentVariable ("XDG_RUNTIME_DIR");

    if (juce::File::isAbsolutePath (runtimeFolder) && privateFolderProblem (runtimeFolder, false).isEmpty())
        return juce::File (runtimeFolder).getChildFile ("q7x-editor-" + juce::SystemStats::getLogonName() + ".socket").getFullPathName();

    // Without a runtime folder of its own, a user gets one in the shared /tmp, named after the
    // user's number: anyone may create it first, and claim() then refuses it.
    return "/tmp/q7x-editor-" + juce::String (::getuid()) + "/editor.socket";
}

bool InstanceEndpoint::frameworkHandsOverLaterLaunches()
{
    return false;
}
