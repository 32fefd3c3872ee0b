#include "SingleInstance.h"

#include <algorithm>
#include <cstring>

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
constexpr char endOfCommandLine = 0;
constexpr char acknowledgement = 'k';
constexpr char confirmation = 'g';

/** True for UTF-8 as the standard has it: no overlong forms, no surrogates, nothing above U+10FFFF.
    The framework's own check lets those through, and its strings then disagree about their length.
*/
bool isStrictUtf8 (const char* text, size_t size)
{
    const auto* bytes = reinterpret_cast<const unsigned char*> (text);

    for (size_t i = 0; i < size;)
    {
        const auto lead = bytes[i];
        size_t extra = 0;
        unsigned char low = 0x80, high = 0xbf; // the range of the first continuation byte

        // clang-format off
        if (lead < 0x80)             extra = 0;
        else if (lead < 0xc2)        return false;
        else if (lead < 0xe0)        extra = 1;
        else if (lead < 0xf0)        { extra = 2; low = lead == 0xe0 ? 0xa0 : 0x80; high = lead == 0xed ? 0x9f : 0xbf; }
        else if (lead < 0xf5)        { extra = 3; low = lead == 0xf0 ? 0x90 : 0x80; high = lead == 0xf4 ? 0x8f : 0xbf; }
        else                         return false;
        // clang-format on

        if (size - i <= extra)
            return false;

        for (size_t k = 1; k <= extra; ++k)
            if (bytes[i + k] < (k == 1 ? low : 0x80) || bytes[i + k] > (k == 1 ? high : 0xbf))
                return false;

        i += extra + 1;
    }

    return true;
}

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

/** Waits for the one byte `expected` from the other side. */
bool receiveByte (int fd, char expected, int timeoutMs)
{
    char byte = 0;
    return waitFor (fd, POLLIN, timeoutMs) && ::recv (fd, &byte, 1, 0) == 1 && byte == expected;
}

/** Reads up to and including the zero byte that ends a command line; false when it does not
    arrive whole within `timeoutMs` (a sender trickling bytes included), or is too long.
*/
bool readCommandLine (int fd, juce::MemoryBlock& received, int timeoutMs)
{
    const auto deadline = juce::Time::getMillisecondCounter() + (juce::uint32) timeoutMs;
    char buffer[4096];

    for (;;)
    {
        const auto now = juce::Time::getMillisecondCounter();

        if (now >= deadline || ! waitFor (fd, POLLIN, (int) (deadline - now)))
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

/** The running instance's side: the checked command line once its sender has confirmed that it leaves it to us. */
std::optional<juce::String> receiveCommandLine (int fd, int timeoutMs)
{
    juce::MemoryBlock received;

    if (! readCommandLine (fd, received, timeoutMs))
        return {};

    auto commandLine = SingleInstance::decodeCommandLine (received.getData(), received.getSize());

    if (! commandLine.has_value()
        || ! writeAll (fd, &acknowledgement, 1)
        || ! receiveByte (fd, confirmation, timeoutMs))
        return {};

    return commandLine;
}

/** A socket file that someone else made is never trusted with our command line. */
void removeSocketFile (const juce::File& file)
{
    ::unlink (file.getFullPathName().toRawUTF8());
}

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
/** Accepts the connections of later launches, one at a time. */
class SingleInstance::Listener : public juce::Thread
{
public:
    Listener (std::shared_ptr<Receiver> receiverToTell, int socketToAcceptOn, int timeout)
        : juce::Thread ("Q7X instance listener"),
          receiver (std::move (receiverToTell)), listeningSocket (socketToAcceptOn), timeoutMs (timeout)
    {
    }

    ~Listener() override
    {
        stopThread (2 * timeoutMs + 1000);
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

            if (const auto commandLine = receiveCommandLine (connection, timeoutMs))
                juce::MessageManager::callAsync ([r = receiver, line = *commandLine] { r->deliver (line); });

            ::close (connection);
        }
#endif
    }

private:
    const std::shared_ptr<Receiver> receiver;
    const int listeningSocket;
    const int timeoutMs;

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
    sockaddr_un address;

    if (! makeAddress (socketFile, address))
        return Role::unavailable;

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

        // Whatever else is there (a file, a folder, someone else's socket) may matter to
        // someone: it is left alone, and the user is told why files are not handed over.
        if (bindError != EADDRINUSE || ! isOwnedByUs (socketFile))
        {
            problem = socketFile.getFullPathName() + " is in the way (not a socket of this user); "
                                                     "this editor does not take the files of later launches";
            return Role::unavailable;
        }

        const auto client = makeSocket();

        if (client < 0)
            return Role::unavailable;

        if (::connect (client, (const sockaddr*) &address, sizeof (address)) == 0)
        {
            const auto handedOver = sendCommandLine (client, commandLine, timeoutMs);
            ::close (client);
            return handedOver ? Role::handedOver : Role::unanswered;
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

    return fileNamedBy (trimmed, workingDirectory).getFullPathName().quoted();
}

juce::File SingleInstance::fileNamedBy (const juce::String& commandLine, const juce::File& workingDirectory)
{
    auto path = commandLine.trim().unquoted();

    if (path == "~" || path.startsWith ("~/"))
        path = juce::File::getSpecialLocation (juce::File::userHomeDirectory).getFullPathName() + path.substring (1);
    else if (! path.startsWithChar ('/'))
        path = workingDirectory.getFullPathName() + "/" + path;

    // "." and ".." are resolved here: the framework takes a path that climbs above the root
    // ("/../a") for a relative one, and then names a file in its own working folder.
    juce::StringArray parts;

    for (const auto& part : juce::StringArray::fromTokens (path, "/", {}))
    {
        if (part == "..")
            parts.remove (parts.size() - 1);
        else if (part.isNotEmpty() && part != ".")
            parts.add (part);
    }

    return juce::File ("/" + parts.joinIntoString ("/"));
}

std::optional<juce::String> SingleInstance::decodeCommandLine (const void* data, size_t size)
{
    const auto* bytes = static_cast<const char*> (data);

    // A zero byte would end the text early and hide what follows it.
    if (size > maxCommandLineBytes || std::find (bytes, bytes + size, '\0') != bytes + size
        || ! isStrictUtf8 (bytes, size))
        return {};

    return juce::String::fromUTF8 (bytes, (int) size);
}

juce::String SingleInstance::decodeArgument (const char* argument)
{
    if (isStrictUtf8 (argument, std::strlen (argument)))
        return juce::String::fromUTF8 (argument);

    juce::String latin1;

    for (auto* byte = argument; *byte != 0; ++byte)
        latin1 += juce::String::charToString ((juce::juce_wchar) (unsigned char) *byte);

    return latin1;
}
