#include "SingleInstance.h"

#if JUCE_LINUX || JUCE_BSD || JUCE_MAC
 #include <cerrno>
 #include <poll.h>
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
constexpr int maxCommandLineBytes = 64 * 1024;
constexpr int transferTimeoutMs = 5000;
constexpr char acknowledgement = 'k';

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

/** Reads until the sender closes its side; false on a timeout or an oversized line. */
bool readAll (int fd, juce::MemoryBlock& received)
{
    char buffer[4096];

    for (;;)
    {
        if (! waitFor (fd, POLLIN, transferTimeoutMs))
            return false;

        const auto n = ::recv (fd, buffer, sizeof (buffer), 0);

        if (n == 0)
            return true;

        if (n < 0 || received.getSize() + (size_t) n > (size_t) maxCommandLineBytes)
            return false;

        received.append (buffer, (size_t) n);
    }
}

/** Sends the command line over a connected socket and waits for the running instance to take it. */
bool sendCommandLine (int fd, const juce::String& commandLine)
{
    const auto utf8 = commandLine.toStdString();

    if (! writeAll (fd, utf8.data(), utf8.size()) || ::shutdown (fd, SHUT_WR) != 0)
        return false;

    char reply = 0;
    return waitFor (fd, POLLIN, transferTimeoutMs) && ::recv (fd, &reply, 1, 0) == 1 && reply == acknowledgement;
}

/** A socket file that someone else made is never trusted with our command line. */
void removeSocketFile (const juce::File& file)
{
    ::unlink (file.getFullPathName().toRawUTF8());
}

bool isOwnedByUs (const juce::File& file)
{
    struct stat info {};
    return ::lstat (file.getFullPathName().toRawUTF8(), &info) == 0
            && S_ISSOCK (info.st_mode) && info.st_uid == ::getuid();
}
#endif
} // namespace

//==============================================================================
/** Accepts the connections of later launches, one at a time. */
class SingleInstance::Listener : public juce::Thread
{
public:
    Listener (std::shared_ptr<Receiver> receiverToTell, int socketToAcceptOn)
        : juce::Thread ("Q7X instance listener"), receiver (std::move (receiverToTell)), listeningSocket (socketToAcceptOn)
    {
    }

    ~Listener() override
    {
        stopThread (2000);
    }

    void run() override
    {
       #if Q7X_LOCAL_SOCKETS
        while (! threadShouldExit())
        {
            if (! waitFor (listeningSocket, POLLIN, 100))
                continue;

            const auto connection = ::accept (listeningSocket, nullptr, nullptr);

            if (connection < 0)
                continue;

            juce::MemoryBlock received;

            if (readAll (connection, received))
            {
                const auto commandLine = received.toString();
                juce::MessageManager::callAsync ([r = receiver, commandLine] { r->deliver (commandLine); });
                writeAll (connection, &acknowledgement, 1);
            }

            ::close (connection);
        }
       #endif
    }

private:
    const std::shared_ptr<Receiver> receiver;
    const int listeningSocket;

    JUCE_DECLARE_NON_COPYABLE_WITH_LEAK_DETECTOR (Listener)
};

//==============================================================================
SingleInstance::SingleInstance (const juce::File& file)
    : socketFile (file)
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
   #if Q7X_LOCAL_SOCKETS
    sockaddr_un address;

    if (listeningSocket >= 0 || ! makeAddress (socketFile, address))
        return listeningSocket >= 0 ? Role::running : Role::unavailable;

    // Two attempts: the second after removing a socket that nobody answers on any more.
    for (int attempt = 0; attempt < 2; ++attempt)
    {
        const auto fd = makeSocket();

        if (fd < 0)
            return Role::unavailable;

        if (::bind (fd, (const sockaddr*) &address, sizeof (address)) == 0)
        {
            ::chmod (socketFile.getFullPathName().toRawUTF8(), S_IRUSR | S_IWUSR);

            if (::listen (fd, 8) == 0)
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

        if (bindError != EADDRINUSE || ! isOwnedByUs (socketFile))
            return Role::unavailable;

        const auto client = makeSocket();

        if (client < 0)
            return Role::unavailable;

        if (::connect (client, (const sockaddr*) &address, sizeof (address)) == 0)
        {
            const auto handedOver = sendCommandLine (client, commandLine);
            ::close (client);
            return handedOver ? Role::handedOver : Role::unavailable;
        }

        const auto connectError = errno;
        ::close (client);

        if (connectError != ECONNREFUSED)
            return Role::unavailable;

        // Left behind by an instance that crashed.
        removeSocketFile (socketFile);
    }
   #else
    juce::ignoreUnused (commandLine);
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
        listener = std::make_unique<Listener> (receiver, listeningSocket);
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
    const auto runtimeFolder = juce::SystemStats::getEnvironmentVariable ("XDG_RUNTIME_DIR", {});
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

    return workingDirectory.getChildFile (trimmed.unquoted()).getFullPathName().quoted();
}
