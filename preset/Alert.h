#pragma once

#include <juce_core/juce_core.h>
#include <functional>

/**
    The one way the program tells the user about a failure: a title and a message.

    Every layer can raise an alert, but only the application can show one, so the
    layers below it report here and the application installs the default presenter,
    which puts up the message box. Tests install their own presenter in front of it to
    see which alerts were raised.
*/
namespace Alert
{
/** Hands the alert to the presenter, else to the default one, on the calling thread;
    callable from any thread. Without either the alert is written to the standard error
    stream.
*/
void show (const juce::String& title, const juce::String& message);

using Presenter = std::function<void (const juce::String& title, const juce::String& message)>;

/** Replaces how alerts are presented; an empty function goes back to the default presenter. */
void setPresenter (Presenter newPresenter);

/** Sets how alerts are presented when no presenter is installed. */
void setDefaultPresenter (Presenter newDefaultPresenter);
} // namespace Alert
