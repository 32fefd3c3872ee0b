#include "Alert.h"

#include <iostream>

namespace Alert
{
namespace
{
juce::CriticalSection presenterLock;
Presenter presenter, defaultPresenter;
} // namespace

void show (const juce::String& title, const juce::String& message)
{
    Presenter current;
    {
        const juce::ScopedLock sl (presenterLock);
        current = presenter ? presenter : defaultPresenter;
    }

    if (current)
        current (title, message);
    else
        std::cerr << title << ": " << message << std::endl;
}

void setPresenter (Presenter newPresenter)
{
    const juce::ScopedLock sl (presenterLock);
    presenter = std::move (newPresenter);
}

void setDefaultPresenter (Presenter newDefaultPresenter)
{
    const juce::ScopedLock sl (presenterLock);
    defaultPresenter = std::move (newDefaultPresenter);
}
} // namespace Alert
