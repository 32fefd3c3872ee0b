#include "SingleInstance.h"
#include "CommandLinePath.h"
#include "preset/ExternalText.h"

#include <algorithm>
#include <cstring>

#if JUCE_LINUX || JUCE_BSD || JUCE_MAC
 #include <cerrno>
 #include <fcntl.h>
 #include <poll.h>
 #include <sys/file.h>
 #include <sys/socket.h>
 #include <sys/stat.h>
 #include <sys/un.h>
 #include <unistd.h>
 #define Q7X_LOCAL_SOCKETS 1
#else
 #define Q7X_LOCAL_SOCKETS 0
#endif

namespace
{
constexpr char endOfCommandLine = 0;
constexpr char acknowledgement = 'k';
constexpr char confirmation = 'g';

// The running instance serves this many later launches at once, each for at most a
// second: a client that sends nothing cannot hold up the others for long,
// and the rest wait in the socket's queue meanwhile.
constexpr int maxOpenClients = 4;
constexpr int longestClientDeadlineMs = 1000;

#if Q7X_LOCAL_SOCKETS
bool makeAddress (const juce::File& file, sockaddr_un& address)
{
    const auto path = file.getFullPathName().toStdString();
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

/** A socket whose connect() and send() give up after `timeoutMs`, as a full queue would block them. */
int makeClientSocket (int timeoutMs)
{
    const auto fd = makeSocket();
    const timeval timeout { timeoutMs / 1000, (timeoutMs % 1000) * 1000 };

    if (fd >= 0)
        ::setsockopt (fd, SOL_SOCKET, SO_SNDTIMEO, &timeout, sizeof (timeout));

    return fd;
}

bool waitFor (int fd, short events, int timeoutMs)
{
    pollfd p { fd, events, 0 };
    return ::poll (&p, 1, timeoutMs) > 0;
}

bool writeAll (int fd, const char* data, size_t size)
{
    while (size > 0)
    {
        const auto written = ::send (fd, data, size, MSG_NOSIGNAL);

        if (written <= 0)
            return false;

        data += written;
        size -= (size_t) written;
    }

    return true;
}

/** Waits for the one byte `expected` from the other side. */
bool receiveByte (int fd, char expected, int timeoutMs)
{
    char byte = 0;
    return waitFor (fd, POLLIN, timeoutMs) && ::recv (fd, &byte, 1, 0) == 1 && byte == expected;
}

int millisecondsUntil (juce::uint32 deadline)
{
    const auto now = juce::Time::getMillisecondCounter();
    return now >= deadline ? 0 : (int) (deadline - now);
}

/** Reads up to and including the zero byte that ends a command line; false when it does not
    arrive whole before `deadline` (a sender trickling bytes included), or is too long.
*/
bool readCommandLine (int fd, juce::MemoryBlock& received, juce::uint32 deadline)
{
    char buffer[4096];

    for (;;)
    {
        const auto remaining = millisecondsUntil (deadline);

        if (remaining == 0 || ! waitFor (fd, POLLIN, remaining))
            return false;

        const auto n = ::recv (fd, buffer, sizeof (buffer), 0);

        if (n <= 0 || received.getSize() + (size_t) n > SingleInstance::maxCommandLineBytes + 1)
            return false;

        received.append (buffer, (size_t) n);

        if (buffer[n - 1] == endOfCommandLine)
        {
            received.setSize (received.getSize() - 1);
            return true;
        }
    }
}

/** The later launch's side of the handshake: true once the running instance has taken the command line. */
bool sendCommandLine (int fd, const juce::String& commandLine, int timeoutMs)
{
    const auto utf8 = commandLine.toStdString();

    return writeAll (fd, utf8.c_str(), utf8.size() + 1)
        && receiveByte (fd, acknowledgement, timeoutMs)
        && writeAll (fd, &confirmation, 1);
}

/** The running instance's side: the checked command line once its sender has confirmed that it
    leaves it to us, all within `timeoutMs`.
*/
std::optional<juce::String> receiveCommandLine (int fd, int timeoutMs)
{
    const auto deadline = juce::Time::getMillisecondCounter() + (juce::uint32) timeoutMs;
    juce::MemoryBlock received;

    if (! readCommandLine (fd, received, deadline))
        return {};

    auto commandLine = SingleInstance::decodeCommandLine (received.getData(), received.getSize());

    if (! commandLine.has_value()
        || ! writeAll (fd, &acknowledgement, 1)
        || ! receiveByte (fd, confirmation, millisecondsUntil (deadline)))
        return {};

    return commandLine;
}

/** A socket file that someone else made is never trusted with our command line. */
void removeSocketFile (const juce::File& file)
{
    ::unlink (file.getFullPathName().toRawUTF8());
}

/** Held while a launch looks at the socket, so that two launches never both find it stale and
    both become the running instance (one removing the other's fresh socket). The lock file
    stays: removing it would let a third launch lock a file the first two no longer share.
    Without it (someone else's file there), launches are not kept apart.
*/
class SocketLock
{
public:
    explicit SocketLock (const juce::File& socketFile)
        : fd (::open ((socketFile.getFullPathName() + ".lock").toRawUTF8(), O_RDWR | O_CREAT | O_NOFOLLOW | O_CLOEXEC, 0600))
    {
        if (fd >= 0)
            while (::flock (fd, LOCK_EX) != 0 && errno == EINTR) {}
    }

    ~SocketLock()
    {
        if (fd >= 0)
            ::close (fd);
    }

private:
    const int fd;

    JUCE_DECLARE_NON_COPYABLE (SocketLock)
};

bool isOwnedByUs (const juce::File& file)
{
    struct stat info
    {};
    return ::lstat (file.getFullPathName().toRawUTF8(), &info) == 0
        && S_ISSOCK (info.st_mode) && info.st_uid == ::getuid();
}
#endif
} // namespace

//==============================================================================
/** Accepts the connections of later launches, serving several at once. */
class SingleInstance::Listener : public juce::Thread
{
public:
    Listener (std::shared_ptr<Receiver> receiverToTell, int socketToAcceptOn, int timeout)
        : juce::Thread ("Q7X instance listener"),
          receiver (std::move (receiverToTell)), listeningSocket (socketToAcceptOn),
          clientDeadlineMs (std::min (timeout, longestClientDeadlineMs))
    {
    }

    ~Listener() override
    {
        stopThread (1000);
        clients.removeAllJobs (true, clientDeadlineMs + 1000);
    }

    void run() override
    {
#if Q7X_LOCAL_SOCKETS
        while (! threadShouldExit())
        {
            // At the cap, later connections wait in the queue until a client is done.
            if (clients.getNumJobs() >= maxOpenClients)
            {
                wait (5);
                continue;
            }

            if (! waitFor (listeningSocket, POLLIN, 100))
                continue;

            const auto connection = ::accept4 (listeningSocket, nullptr, nullptr, SOCK_CLOEXEC);

            if (connection >= 0)
                clients.addJob ([r = receiver, connection, deadline = clientDeadlineMs] { serve (r, connection, deadline); });
        }
#endif
    }

private:
    static void serve (const std::shared_ptr<Receiver>& receiver, int connection, int deadlineMs)
    {
#if Q7X_LOCAL_SOCKETS
        if (const auto commandLine = receiveCommandLine (connection, deadlineMs))
            juce::MessageManager::callAsync ([r = receiver, line = *commandLine] { r->deliver (line); });

        ::close (connection);
#else
        juce::ignoreUnused (receiver, connection, deadlineMs);
#endif
    }

    const std::shared_ptr<Receiver> receiver;
    const int listeningSocket;
    const int clientDeadlineMs;
    juce::ThreadPool clients { maxOpenClients };

    JUCE_DECLARE_NON_COPYABLE_WITH_LEAK_DETECTOR (Listener)
};

//==============================================================================
SingleInstance::SingleInstance (const juce::File& file, int timeout)
    : socketFile (file), timeoutMs (timeout)
{
}

SingleInstance::~SingleInstance()
{
    stopListening();

#if Q7X_LOCAL_SOCKETS
    if (listeningSocket >= 0)
    {
        ::close (listeningSocket);
        removeSocketFile (socketFile);
    }
#endif
}

SingleInstance::Role SingleInstance::claim (const juce::String& commandLine)
{
    if (listeningSocket >= 0)
        return Role::running;

    problem = {};
    const auto role = connectOrListen (commandLine);
    const auto path = socketFile.getFullPathName();

    if (role == Role::unanswered)
        problem = "the running editor did not answer within " + juce::String (timeoutMs / 1000.0, 1)
                + " s; this one runs on its own";
    else if (role == Role::unavailable && problem.isEmpty())
        problem = "cannot use " + path + "; this editor does not take the files of later launches";

    return role;
}

SingleInstance::Role SingleInstance::connectOrListen (const juce::String& commandLine)
{
#if Q7X_LOCAL_SOCKETS
    int client = -1;

    if (const auto role = findRunningInstance (client); role != Role::handedOver)
        return role;

    const auto handedOver = sendCommandLine (client, commandLine, timeoutMs);
    ::close (client);
    return handedOver ? Role::handedOver : Role::unanswered;
#else
    juce::ignoreUnused (commandLine);
    return Role::unavailable;
#endif
}

SingleInstance::Role SingleInstance::findRunningInstance (int& client)
{
#if Q7X_LOCAL_SOCKETS
    sockaddr_un address;

    if (! makeAddress (socketFile, address))
        return Role::unavailable;

    const SocketLock lock (socketFile);

    // Two attempts: the second after removing a socket that nobody answers on any more.
    for (int attempt = 0; attempt < 2; ++attempt)
    {
        const auto fd = makeSocket();

        if (fd < 0)
            return Role::unavailable;

        if (::bind (fd, (const sockaddr*) &address, sizeof (address)) == 0)
        {
            ::chmod (socketFile.getFullPathName().toRawUTF8(), S_IRUSR | S_IWUSR);

            if (::listen (fd, 16) == 0)
            {
                listeningSocket = fd;
                return Role::running;
            }

            ::close (fd);
            removeSocketFile (socketFile);
            return Role::unavailable;
        }

        const auto bindError = errno;
        ::close (fd);

        // Whatever else is there (a file, a folder, someone else's socket) may matter to
        // someone: it is left alone, and the user is told why files are not handed over.
        if (bindError != EADDRINUSE || ! isOwnedByUs (socketFile))
        {
            problem = socketFile.getFullPathName() + " is in the way (not a socket of this user); "
                                                     "this editor does not take the files of later launches";
            return Role::unavailable;
        }

        client = makeClientSocket (timeoutMs);

        if (client < 0)
            return Role::unavailable;

        if (::connect (client, (const sockaddr*) &address, sizeof (address)) == 0)
            return Role::handedOver; // to be: connected, the command line is sent next

        const auto connectError = errno;
        ::close (client);
        client = -1;

        // A queue kept full (by clients that send nothing) is a running instance that does not answer.
        if (connectError == EAGAIN)
            return Role::unanswered;

        if (connectError != ECONNREFUSED)
            return Role::unavailable;

        // Left behind by an instance that crashed.
        removeSocketFile (socketFile);
    }
#else
    juce::ignoreUnused (client);
#endif

    return Role::unavailable;
}

void SingleInstance::startListening (std::function<void (const juce::String&)> newReceiver)
{
    {
        const juce::ScopedLock sl (receiver->lock);
        receiver->function = std::move (newReceiver);
    }

    if (listeningSocket >= 0 && listener == nullptr)
    {
        listener = std::make_unique<Listener> (receiver, listeningSocket, timeoutMs);
        listener->startThread();
    }
}

void SingleInstance::stopListening()
{
    // No later launch is taken in after this: it runs on its own instead.
    listener.reset();

    const juce::ScopedLock sl (receiver->lock);
    receiver->function = nullptr;
}

void SingleInstance::Receiver::deliver (const juce::String& commandLine)
{
    std::function<void (const juce::String&)> current;

    {
        const juce::ScopedLock sl (lock);
        current = function;
    }

    if (current)
        current (commandLine);
}

juce::File SingleInstance::getDefaultSocketFile()
{
    const auto runtimeFolder = ExternalText::getEnvironmentVariable ("XDG_RUNTIME_DIR");
    auto folder = juce::File::isAbsolutePath (runtimeFolder) ? juce::File (runtimeFolder) : juce::File ("/tmp");

    if (! folder.isDirectory())
        folder = juce::File ("/tmp");

    return folder.getChildFile ("q7x-editor-" + juce::SystemStats::getLogonName() + ".socket");
}

juce::String SingleInstance::joinArguments (const juce::StringArray& arguments)
{
    juce::StringArray joined;

    for (const auto& argument : arguments)
        joined.add (argument.containsChar (' ') && ! argument.isQuotedString() ? argument.quoted() : argument);

    return joined.joinIntoString (" ");
}

juce::String SingleInstance::makePathAbsolute (const juce::String& commandLine, const juce::File& workingDirectory)
{
    const auto trimmed = commandLine.trim();

    if (trimmed.isEmpty() || trimmed.startsWith ("-"))
        return commandLine;

    return fileNamedBy (trimmed, workingDirectory).getFullPathName().quoted();
}

juce::File SingleInstance::fileNamedBy (const juce::String& commandLine, const juce::File& workingDirectory)
{
    return CommandLinePath::resolve (commandLine.trim().unquoted(), workingDirectory);
}

std::optional<juce::String> SingleInstance::decodeCommandLine (const void* data, size_t size)
{
    if (size > maxCommandLineBytes)
        return std::nullopt;

    return ExternalText::decodeStrict (data, size);
}
