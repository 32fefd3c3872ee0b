#include "Alert.h"

#include <juce_gui_basics/juce_gui_basics.h>

namespace Alert
{
namespace
{
juce::CriticalSection presenterLock;
Presenter customPresenter;

void showMessageBox (const juce::String& title, const juce::String& message)
{
    juce::AlertWindow::showMessageBoxAsync (juce::MessageBoxIconType::NoIcon, title, message, "OK");
}

void present (const juce::String& title, const juce::String& message)
{
    Presenter presenter;
    {
        const juce::ScopedLock sl (presenterLock);
        presenter = customPresenter;
    }

    if (presenter)
        presenter (title, message);
    else
        showMessageBox (title, message);
}
} // namespace

void show (const juce::String& title, const juce::String& message)
{
    if (juce::MessageManager::getInstance()->isThisTheMessageThread())
        present (title, message);
    else
        juce::MessageManager::callAsync ([title, message] { present (title, message); });
}

void setPresenter (Presenter newPresenter)
{
    const juce::ScopedLock sl (presenterLock);
    customPresenter = std::move (newPresenter);
}
} // namespace Alert
