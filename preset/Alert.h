#pragma once

#include <juce_core/juce_core.h>
#include <functional>

/**
    The one way the program tells the user about a failure: an asynchronous message
    box with a title, a message and an "OK" button.

    Tests replace the presenter to see which alerts were raised.
*/
namespace Alert
{
/** Shows a message box without waiting for it; callable from any thread. */
void show (const juce::String& title, const juce::String& message);

using Presenter = std::function<void (const juce::String& title, const juce::String& message)>;

/** Replaces how alerts are presented; an empty function restores the message box. */
void setPresenter (Presenter newPresenter);
} // namespace Alert
