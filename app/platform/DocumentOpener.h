#pragma once

#include <juce_gui_basics/juce_gui_basics.h>

#include <functional>

/**
    Hands documents to the desktop's opener, so that a document no program could open is
    reported instead of failing on stderr only. Where the opener is a program (xdg-open on
    Linux) it is watched until it ends; Windows' shell answers at once.
*/
class DocumentOpener : private juce::Timer
{
public:
    /** `onFailure` is called on the message thread with a file the opener gave up on. */
    explicit DocumentOpener (std::function<void (const juce::File&)> onFailure);
    ~DocumentOpener() override;

    /** Starts the opener on `file`; false, with `onFailure` called, when it cannot be started. */
    bool open (const juce::File& file);

private:
    struct Launch
    {
        juce::File file;
        juce::ChildProcess process;
    };

    std::function<void (const juce::File&)> onFailure;
    std::vector<std::unique_ptr<Launch>> launches;

    void timerCallback() override;

    JUCE_DECLARE_NON_COPYABLE (DocumentOpener)
};
