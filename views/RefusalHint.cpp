#include "RefusalHint.h"

namespace
{
const juce::Colour hintColour (0xffffb300);
constexpr float fontHeight = 15.0f;

// What a person reads or uses: boxes, lists and buttons. Labels and panels may be covered.
bool isWidget (const juce::Component& component)
{
    return component.getWantsKeyboardFocus() || dynamic_cast<const juce::Button*> (&component) != nullptr;
}

bool coversWidget (juce::Component& host, juce::Component& parent, juce::Rectangle<int> place,
                   const juce::Component& owner, const juce::Component& hint)
{
    for (auto* child : parent.getChildren())
    {
        if (! child->isVisible() || child == &owner || child == &hint)
            continue;

        if (isWidget (*child) && host.getLocalArea (child, child->getLocalBounds()).intersects (place))
            return true;

        if (coversWidget (host, *child, place, owner, hint))
            return true;
    }

    return false;
}
} // namespace

RefusalHint::RefusalHint (juce::Component& ownerToWatch)
    : juce::ComponentMovementWatcher (&ownerToWatch),
      owner (ownerToWatch)
{
    label.setColour (juce::Label::backgroundColourId, hintColour);
    label.setColour (juce::Label::textColourId, juce::Colours::black);
    label.setFont (juce::Font (fontHeight));
    label.setInterceptsMouseClicks (false, false);
    label.setWantsKeyboardFocus (false);
    label.setAlwaysOnTop (true);
}

RefusalHint::~RefusalHint() = default;

// Inside a window, the hint joins the window's content, so that it takes the content's scale
// (a window may shrink its content to fit a small screen).
juce::Component* RefusalHint::findHost() const
{
    auto* top = owner.getTopLevelComponent();

    if (top == &owner)
        return nullptr;

    if (auto* window = dynamic_cast<juce::ResizableWindow*> (top))
        if (auto* content = window->getContentComponent(); content != nullptr && content->isParentOf (&owner))
            return content;

    return top;
}

void RefusalHint::show (const juce::String& text)
{
    auto* host = findHost();

    if (host == nullptr)
        return;

    const auto ownerArea = host->getLocalArea (&owner, owner.getLocalBounds());
    const auto width = label.getFont().getStringWidth (text) + 12;

    label.setText (text, juce::dontSendNotification);
    label.setBounds (findPlace (*host, ownerArea, width));
    host->addAndMakeVisible (label);
    shownBeside = ownerArea;

    // A later hint starts the time again.
    startTimer (shownMs);
}

juce::Rectangle<int> RefusalHint::findPlace (juce::Component& host, juce::Rectangle<int> ownerArea, int width) const
{
    const juce::Rectangle<int> right (ownerArea.getRight() + gap, ownerArea.getY(), width, ownerArea.getHeight());
    const auto left = right.withX (ownerArea.getX() - gap - width);

    for (const auto& place : { right, left })
        if (host.getLocalBounds().contains (place) && ! coversWidget (host, host, place, owner, label))
            return place;

    // Too long for either side: the side with more room, where the text is squeezed to fit.
    const auto roomRight = host.getWidth() - right.getX();
    const auto roomLeft = ownerArea.getX() - gap;

    if (roomRight >= roomLeft)
        return right.withWidth (juce::jmax (0, juce::jmin (width, roomRight)));

    const auto shownWidth = juce::jmax (0, juce::jmin (width, roomLeft));
    return right.withX (ownerArea.getX() - gap - shownWidth).withWidth (shownWidth);
}

void RefusalHint::hide()
{
    stopTimer();
    label.setVisible (false);
}

void RefusalHint::timerCallback()
{
    hide();
}

// The owner and every component between it and the hint's host are visible. A window that is
// not on the screen yet still counts, as its content may be laid out before it shows.
bool RefusalHint::isOwnerInView() const
{
    const auto* host = label.getParentComponent();

    for (const auto* level = &owner; level != nullptr && level != host; level = level->getParentComponent())
        if (! level->isVisible())
            return false;

    return true;
}

void RefusalHint::componentVisibilityChanged()
{
    if (label.isVisible() && ! isOwnerInView())
        hide();
}

// Told of every change of the owner's or a parent's visibility, also off the screen.
void RefusalHint::componentVisibilityChanged (juce::Component&)
{
    componentVisibilityChanged();
}

void RefusalHint::componentPeerChanged()
{
    hide();
}

void RefusalHint::componentMovedOrResized (bool, bool)
{
    // A box that moved (a Mode that shows other rows) leaves the hint behind: it goes with its place.
    auto* host = label.getParentComponent();

    if (label.isVisible()
        && (host == nullptr || host->getLocalArea (&owner, owner.getLocalBounds()) != shownBeside))
        hide();
}
