#pragma once

#include "preset/PresetLayout.h"

#include <juce_audio_basics/juce_audio_basics.h>

#include <atomic>
#include <deque>
#include <functional>
#include <optional>

/**
    What a Q7X does with the messages it receives, whatever carries them: it stores the
    preset dumps sent to it and answers a preset request with a preset reply of its
    stored preset, from a thread of its own, through the transmit function it was given.

    For tests it can also stay silent, answer late, or answer with a faulty reply.
*/
class Q7XDevice : private juce::Thread
{
public:
    /** How the device answers a preset request. */
    enum class ReplyKind
    {
        preset,         /**< the preset reply of the stored preset */
        none,           /**< no answer at all */
        outOfRangeByte, /**< the stored preset with a byte outside its parameter's range */
        wrongHeader,    /**< the stored preset under a dump header instead of a reply header */
        shortMessage    /**< a reply header followed by only part of the preset */
    };

    /** Sends an answer, as this many SysEx pieces before the whole message where the
        transport can show pieces. Called on the device's thread.
    */
    using Transmit = std::function<void (const juce::MidiMessage& answer, int numPieces)>;

    explicit Q7XDevice (Transmit transmitToUse);

    /** Answers not yet sent are dropped. */
    ~Q7XDevice() override;

    /** Handles one message that arrived at the device (on any thread). */
    void received (const juce::MidiMessage& message);

    void setReplyKind (ReplyKind kind);

    /** Waits this long before each answer. The settings in force when a request
        arrives decide its answer.
    */
    void setReplyDelay (int milliseconds);

    /** Sends each answer as this many SysEx pieces before the whole message. */
    void setReplyPieces (int numPieces);

    /** Called with the new preset after each dump is stored, on the thread that received it. */
    void setDumpListener (std::function<void (const juce::Array<juce::uint8>&)> listener);

    /** The 93 bytes the device holds: the built-in default until a dump arrives. */
    juce::Array<juce::uint8> getPreset() const;
    void setPreset (const juce::Array<juce::uint8>& image);

    int getNumRequestsReceived() const noexcept { return numRequests; }
    int getNumDumpsReceived() const noexcept { return numDumps; }

    /** The complete answer the device gives to a request with its current settings;
        nothing when it stays silent.
    */
    std::optional<juce::MidiMessage> createAnswer() const;

    /** True when every request received so far has been answered (or ignored). */
    bool hasAnsweredAll() const;

private:
    // What was asked, with the settings in force when the request came in.
    struct PendingAnswer
    {
        std::optional<juce::MidiMessage> answer;
        int delay, pieces;
    };

    std::optional<PendingAnswer> takeRequest();
    bool waitUntil (juce::uint32 answerTime);
    void run() override;

    const Transmit transmit;

    juce::CriticalSection lock;
    juce::Array<juce::uint8> preset;
    ReplyKind replyKind = ReplyKind::preset;
    int replyDelay = 0, replyPieces = 1;
    std::function<void (const juce::Array<juce::uint8>&)> dumpListener;
    std::deque<PendingAnswer> pending;
    bool answering = false;

    std::atomic<int> numRequests { 0 }, numDumps { 0 };

    JUCE_DECLARE_NON_COPYABLE_WITH_LEAK_DETECTOR (Q7XDevice)
};
