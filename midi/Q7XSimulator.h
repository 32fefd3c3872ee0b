#pragma once

#include "InMemoryMidiBackend.h"

#include <atomic>
#include <deque>
#include <optional>

/**
    A simulated Q7X on an in-memory backend: a port pair named "Q7X Simulator" that
    stores the preset dumps sent to it and answers a preset request with a preset
    reply of its stored preset, from a thread of its own.

    For tests it can also stay silent, answer late, or answer with a faulty reply.
*/
class Q7XSimulator : private juce::Thread
{
public:
    /** The name of both the simulator's input and output device. */
    static const juce::String portName;

    /** How the simulator answers a preset request. */
    enum class ReplyKind
    {
        preset,         /**< the preset reply of the stored preset */
        none,           /**< no answer at all */
        outOfRangeByte, /**< the stored preset with a byte outside its parameter's range */
        wrongHeader,    /**< the stored preset under a dump header instead of a reply header */
        shortMessage    /**< a reply header followed by only part of the preset */
    };

    /** Adds the simulator's ports to the backend, which must outlive the simulator. */
    explicit Q7XSimulator (InMemoryMidiBackend& backendToUse);

    /** Takes the ports out of the backend's lists; answers not yet sent are dropped. */
    ~Q7XSimulator() override;

    void setReplyKind (ReplyKind kind);

    /** Waits this long before each answer. The settings in force when a request
        arrives decide its answer.
    */
    void setReplyDelay (int milliseconds);

    /** Sends each answer as this many SysEx pieces before the whole message. */
    void setReplyPieces (int numPieces);

    /** The 93 bytes the simulator holds: the built-in default until a dump arrives. */
    juce::Array<juce::uint8> getPreset() const;
    void setPreset (const juce::Array<juce::uint8>& image);

    int getNumRequestsReceived() const noexcept { return numRequests; }
    int getNumDumpsReceived() const noexcept { return numDumps; }

    /** The complete answer the simulator gives to a request with its current settings;
        nothing when it stays silent.
    */
    std::optional<juce::MidiMessage> createAnswer() const;

    /** True when every request received so far has been answered (or ignored). */
    bool hasAnsweredAll() const;

    /** The device numbers of the simulator's ports in the backend. */
    int getInputDevice() const noexcept { return inputDevice; }
    int getOutputDevice() const noexcept { return outputDevice; }

private:
    void received (const juce::MidiMessage& message);
    // What was asked, with the settings in force when the request came in.
    struct PendingAnswer
    {
        std::optional<juce::MidiMessage> answer;
        int delay, pieces;
    };

    std::optional<PendingAnswer> takeRequest();
    void run() override;

    InMemoryMidiBackend& backend;
    const int inputDevice, outputDevice;

    juce::CriticalSection lock;
    juce::Array<juce::uint8> preset;
    ReplyKind replyKind = ReplyKind::preset;
    int replyDelay = 0, replyPieces = 1;
    std::deque<PendingAnswer> pending;
    bool answering = false;

    std::atomic<int> numRequests { 0 }, numDumps { 0 };

    JUCE_DECLARE_NON_COPYABLE_WITH_LEAK_DETECTOR (Q7XSimulator)
};
