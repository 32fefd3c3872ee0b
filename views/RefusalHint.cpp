#include "RefusalHint.h"

namespace
{
const juce::Colour hintColour (0xffffb300);
constexpr float hintFontHeight = 15.0f;

// What a person reads or uses: boxes, lists and buttons. Labels and panels may be covered.
bool isWidget (const juce::Component& component)
{
    return component.getWantsKeyboardFocus() || dynamic_cast<const juce::Button*> (&component) != nullptr;
}

// The areas, in host coordinates, of the widgets other than the owner that share its row.
void findWidgetsInRow (juce::Component& host, juce::Component& parent, juce::Rectangle<int> row,
                       const juce::Component& owner, const juce::Component& hint, juce::Array<juce::Rectangle<int>>& found)
{
    for (auto* child : parent.getChildren())
    {
        if (! child->isVisible() || child == &owner || child == &hint)
            continue;

        const auto area = host.getLocalArea (child, child->getLocalBounds());

        if (isWidget (*child) && area.intersects (row))
            found.add (area);

        findWidgetsInRow (host, *child, row, owner, hint, found);
    }
}
} // namespace

RefusalHint::RefusalHint (juce::Component& ownerToWatch)
    : juce::ComponentMovementWatcher (&ownerToWatch),
      owner (ownerToWatch)
{
    label.setColour (juce::Label::backgroundColourId, hintColour);
    label.setColour (juce::Label::textColourId, juce::Colours::black);
    label.setFont (juce::Font (hintFontHeight));
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

// Right of the owner where the text fits before the next widget or the host's edge, else left of
// it; where it fits on neither side, the side with more room, with the text squeezed into it.
juce::Rectangle<int> RefusalHint::findPlace (juce::Component& host, juce::Rectangle<int> ownerArea, int width) const
{
    juce::Array<juce::Rectangle<int>> widgets;
    findWidgetsInRow (host, host, ownerArea.withX (0).withWidth (host.getWidth()), owner, label, widgets);

    auto rightEnd = host.getWidth(), leftEnd = 0;

    for (const auto& area : widgets)
    {
        if (area.getX() >= ownerArea.getRight())
            rightEnd = juce::jmin (rightEnd, area.getX() - gap);
        else if (area.getRight() <= ownerArea.getX())
            leftEnd = juce::jmax (leftEnd, area.getRight() + gap);
    }

    const auto rightStart = ownerArea.getRight() + gap, leftStart = ownerArea.getX() - gap;
    const auto roomRight = rightEnd - rightStart, roomLeft = leftStart - leftEnd;
    const auto onTheRight = width <= roomRight || (width > roomLeft && roomRight >= roomLeft);
    const auto shownWidth = juce::jmax (0, juce::jmin (width, onTheRight ? roomRight : roomLeft));

    return { onTheRight ? rightStart : leftStart - shownWidth, ownerArea.getY(), shownWidth, ownerArea.getHeight() };
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
