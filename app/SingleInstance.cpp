#include "SingleInstance.h"
#include "preset/CommandLinePath.h"
#include "preset/ExternalText.h"

#include <algorithm>
#include <future>

namespace
{
using Connection = InstanceEndpoint::Connection;

constexpr char endOfCommandLine = 0;
constexpr char acknowledgement = 'k';
constexpr char confirmation = 'g';

// The running instance serves this many later launches at once, each for at most a
// second: a client that sends nothing cannot hold up the others for long,
// and the rest wait in the endpoint's queue meanwhile.
constexpr int maxOpenClients = 4;
constexpr int longestClientDeadlineMs = 1000;

/** Waits for the one byte `expected` from the other side. */
bool receiveByte (Connection& connection, char expected, int timeoutMs)
{
    char byte = 0;
    return connection.read (&byte, 1, timeoutMs) == 1 && byte == expected;
}

int millisecondsUntil (juce::uint32 deadline)
{
    const auto now = juce::Time::getMillisecondCounter();
    return now >= deadline ? 0 : (int) (deadline - now);
}

/** Reads up to and including the zero byte that ends a command line; false when it does not
    arrive whole before `deadline` (a sender trickling bytes included), or is too long.
*/
bool readCommandLine (Connection& connection, juce::MemoryBlock& received, juce::uint32 deadline)
{
    char buffer[4096];

    for (;;)
    {
        const auto remaining = millisecondsUntil (deadline);

        if (remaining == 0)
            return false;

        const auto n = connection.read (buffer, sizeof (buffer), remaining);

        if (n == 0 || received.getSize() + n > SingleInstance::maxCommandLineBytes + 1)
            return false;

        received.append (buffer, n);

        if (buffer[n - 1] == endOfCommandLine)
        {
            received.setSize (received.getSize() - 1);
            return true;
        }
    }
}

/** The later launch's side of the handshake: true once the running instance has taken the command line. */
bool sendCommandLine (Connection& connection, const juce::String& commandLine, int timeoutMs)
{
    const auto utf8 = commandLine.toStdString();

    return connection.write (utf8.c_str(), utf8.size() + 1, timeoutMs)
        && receiveByte (connection, acknowledgement, timeoutMs)
        && connection.write (&confirmation, 1, timeoutMs);
}

/** The running instance's side: the checked command line once its sender has confirmed that it
    leaves it to us, all within `timeoutMs`.
*/
std::optional<juce::String> receiveCommandLine (Connection& connection, int timeoutMs)
{
    const auto deadline = juce::Time::getMillisecondCounter() + (juce::uint32) timeoutMs;
    juce::MemoryBlock received;

    if (! readCommandLine (connection, received, deadline))
        return {};

    auto commandLine = SingleInstance::decodeCommandLine (received.getData(), received.getSize());

    if (! commandLine.has_value()
        || ! connection.write (&acknowledgement, 1, millisecondsUntil (deadline))
        || ! receiveByte (connection, confirmation, millisecondsUntil (deadline)))
        return {};

    return commandLine;
}

// Blank, or only options (such as the ones some systems add).
bool namesNoFile (const juce::String& commandLine)
{
    const auto trimmed = commandLine.trim();
    return trimmed.isEmpty() || trimmed.startsWith ("-");
}
} // namespace

//==============================================================================
/** Accepts the connections of later launches, serving several at once, each on a thread that
    ends with its client. Between connections it sleeps in the endpoint: stopping wakes it with
    a connection of its own rather than have it look up every so often.
*/
class SingleInstance::Listener : public juce::Thread
{
public:
    Listener (std::shared_ptr<Receiver> receiverToTell, InstanceEndpoint& endpointToAcceptOn, int timeout)
        : juce::Thread ("Q7X instance listener"),
          receiver (std::move (receiverToTell)), endpoint (endpointToAcceptOn),
          clientDeadlineMs (std::min (timeout, longestClientDeadlineMs))
    {
    }

    ~Listener() override
    {
        signalThreadShouldExit();
        endpoint.connect (clientDeadlineMs);
        // Should the endpoint not take that connection, the wait in accept() ends on its own.
        stopThread (acceptTimeoutMs + 1000);
        clients.clear(); // each waits for its client, which has clientDeadlineMs at most
    }

    void run() override
    {
        while (! threadShouldExit())
        {
            clients.erase (std::remove_if (clients.begin(), clients.end(), isFinished), clients.end());

            // At the cap, later connections wait in the queue until a client is done.
            if (clients.size() >= maxOpenClients)
            {
                clients.front().wait_for (std::chrono::milliseconds (5));
                continue;
            }

            if (std::shared_ptr<Connection> connection = endpoint.accept (acceptTimeoutMs);
                connection != nullptr && ! threadShouldExit())
            {
                clients.push_back (std::async (std::launch::async, [r = receiver, connection, deadline = clientDeadlineMs] {
                    serve (r, *connection, deadline);
                }));
            }
        }
    }

private:
    // Only bounds how long stopping takes when the endpoint refuses the waking connection.
    static constexpr int acceptTimeoutMs = 2000;

    static bool isFinished (const std::future<void>& client)
    {
        return client.wait_for (std::chrono::seconds (0)) == std::future_status::ready;
    }

    static void serve (const std::shared_ptr<Receiver>& receiver, Connection& connection, int deadlineMs)
    {
        if (const auto commandLine = receiveCommandLine (connection, deadlineMs))
            juce::MessageManager::callAsync ([r = receiver, line = *commandLine] { r->deliver (line); });
    }

    const std::shared_ptr<Receiver> receiver;
    InstanceEndpoint& endpoint;
    const int clientDeadlineMs;
    std::vector<std::future<void>> clients; // used by the listening thread, then by the destructor

    JUCE_DECLARE_NON_COPYABLE_WITH_LEAK_DETECTOR (Listener)
};

//==============================================================================
SingleInstance::SingleInstance (const juce::String& endpointAddress, int timeout)
    : endpoint (endpointAddress), timeoutMs (timeout)
{
}

SingleInstance::~SingleInstance()
{
    stopListening();
}

SingleInstance::Role SingleInstance::claim (const juce::String& commandLine)
{
    if (running)
        return Role::running;

    problem = {};
    const auto role = connectOrListen (commandLine);

    if (role == Role::unanswered && endpoint.getProblem().isNotEmpty())
        problem = endpoint.getProblem();
    else if (role == Role::unanswered)
        problem = "the running editor did not answer within " + juce::String (timeoutMs / 1000.0, 1)
                + " s; this one runs on its own";
    else if (role == Role::unavailable)
        problem = endpoint.getProblem().isNotEmpty()
                    ? endpoint.getProblem()
                    : "cannot use " + endpoint.getAddress() + "; this editor does not take the files of later launches";

    return role;
}

SingleInstance::Role SingleInstance::connectOrListen (const juce::String& commandLine)
{
    std::unique_ptr<InstanceEndpoint::Connection> connection;

    switch (endpoint.claim (connection, timeoutMs))
    {
        case InstanceEndpoint::Claim::owned:
            running = true;
            return Role::running;

        case InstanceEndpoint::Claim::connected:
            return sendCommandLine (*connection, commandLine, timeoutMs) ? Role::handedOver : Role::unanswered;

        case InstanceEndpoint::Claim::busy:
            return Role::unanswered;

        case InstanceEndpoint::Claim::unavailable:
            break;
    }

    return Role::unavailable;
}

void SingleInstance::startListening (std::function<void (const juce::String&)> newReceiver)
{
    {
        const juce::ScopedLock sl (receiver->lock);
        receiver->function = std::move (newReceiver);
    }

    if (running && listener == nullptr)
    {
        listener = std::make_unique<Listener> (receiver, endpoint, timeoutMs);
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

juce::String SingleInstance::joinArguments (const juce::StringArray& arguments)
{
    juce::StringArray joined;

    for (const auto& argument : arguments)
        joined.add (argument.containsChar (' ') && ! argument.isQuotedString() ? argument.quoted() : argument);

    return joined.joinIntoString (" ");
}

juce::String SingleInstance::makePathAbsolute (const juce::String& commandLine, const juce::File& workingDirectory)
{
    return namesNoFile (commandLine) ? commandLine : fileNamedBy (commandLine, workingDirectory).getFullPathName().quoted();
}

juce::File SingleInstance::fileNamedBy (const juce::String& commandLine, const juce::File& workingDirectory)
{
    return CommandLinePath::resolve (commandLine.trim().unquoted(), workingDirectory);
}

std::optional<juce::String> SingleInstance::makePathAbsolute (const juce::String& commandLine, juce::String& problem)
{
    if (namesNoFile (commandLine))
        return commandLine;

    const auto file = fileNamedBy (commandLine, problem);
    return file.has_value() ? std::optional<juce::String> (file->getFullPathName().quoted()) : std::nullopt;
}

std::optional<juce::File> SingleInstance::fileNamedBy (const juce::String& commandLine, juce::String& problem)
{
    return CommandLinePath::resolveInWorkingDirectory (commandLine.trim().unquoted(), problem);
}

std::optional<juce::String> SingleInstance::decodeCommandLine (const void* data, size_t size)
{
    if (size > maxCommandLineBytes)
        return std::nullopt;

    return ExternalText::decodeStrict (data, size);
}
