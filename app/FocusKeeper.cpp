#include "FocusKeeper.h"

FocusKeeper::Scope::Scope()
    : focused (juce::Component::getCurrentlyFocusedComponent())
{
}

FocusKeeper::Scope::~Scope()
{
    auto* now = juce::Component::getCurrentlyFocusedComponent();

    if (focused != nullptr)
    {
        if (now != focused && focused->isShowing())
            focused->grabKeyboardFocus();
    }
    else if (now != nullptr)
    {
        // Nothing had the focus (a click on a button, which takes none): nothing keeps it.
        juce::Component::unfocusAllComponents();
    }
}

FocusKeeper::FocusKeeper (PresetController& c)
    : controller (c)
{
    controller.getChanges().addListener (this);
}

FocusKeeper::~FocusKeeper()
{
    controller.getChanges().removeListener (this);
}

void FocusKeeper::presetAboutToBeReplaced()
{
    held.emplace();
}

void FocusKeeper::presetReplaced (const juce::String&)
{
    held.reset();
}
