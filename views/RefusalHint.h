#pragma once

#include <juce_gui_basics/juce_gui_basics.h>

/**
    A passing note beside a widget that says why an entry was refused.

    It stands in the widget's own row, between it and the next widget: to its right or, where the
    text does not fit there, to its left. It goes after a few seconds, and at once when its widget is hidden
    (its section or bank goes out of view), moves or leaves the window, so that it never stands over
    something it does not belong to. Its timer runs only while it shows.
*/
class RefusalHint : private juce::ComponentMovementWatcher,
                    private juce::Timer
{
public:
    /** A hint for owner, which must outlive it. */
    explicit RefusalHint (juce::Component& owner);
    ~RefusalHint() override;

    /** Shows text beside the owner, for a few seconds from now. Nothing shows for a widget that
        is a window of its own: its tooltip says it instead.
    */
    void show (const juce::String& text);

    /** The label that shows the text; visible only while the hint shows. */
    juce::Label& getLabel() noexcept { return label; }

    static constexpr int shownMs = 4000;
    static constexpr int gap = 2;

private:
    juce::Component* findHost() const;
    juce::Rectangle<int> findPlace (juce::Component& host, juce::Rectangle<int> ownerArea, int width) const;
    bool isOwnerInView() const;
    void hide();

    void componentMovedOrResized (bool wasMoved, bool wasResized) override;
    void componentPeerChanged() override;
    void componentVisibilityChanged() override;
    void componentVisibilityChanged (juce::Component&) override;
    void timerCallback() override;

    using juce::ComponentMovementWatcher::componentMovedOrResized;

    juce::Component& owner;
    juce::Label label;
    juce::Rectangle<int> shownBeside; // the owner's area in the host when the hint was placed

    JUCE_DECLARE_NON_COPYABLE_WITH_LEAK_DETECTOR (RefusalHint)
};
