#pragma once

#include <juce_gui_basics/juce_gui_basics.h>

/**
    The answer to "Compare with Device": either "The Q7X holds this preset." or one line per
    parameter that differs, with Get and Send beside Close. It changes nothing itself: Get and
    Send hand over to their callers, and each button closes the window.
*/
class DeviceComparisonWindow : public juce::DocumentWindow
{
public:
    static const char* const title;
    static const char* const sameText;

    /** Builds, centres and shows the window; an empty `differences` means the device holds the preset. */
    DeviceComparisonWindow (const juce::StringArray& differences, std::function<void()> onGet,
                            std::function<void()> onSend);
    ~DeviceComparisonWindow() override;

    /** What the window says. */
    juce::String getText() const;

    /** The buttons, named by their texts: "Get", "Send" and "Close". */
    juce::Button& getButton (const juce::String& name);

    /** @internal */
    void closeButtonPressed() override;

private:
    class Content;
    std::unique_ptr<Content> content;

    JUCE_DECLARE_NON_COPYABLE_WITH_LEAK_DETECTOR (DeviceComparisonWindow)
};
