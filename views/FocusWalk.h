#pragma once

#include "BankView.h"

#include <juce_gui_basics/juce_gui_basics.h>
#include <vector>

/**
    Tab and Shift+Tab in an editor: the keyboard focus walks the widgets of the shown section in
    reading order, round and round, starting from the first (or last) when the focus is elsewhere.
    Past the last widget of a bank it goes on in the next bank (Drum Pads), so every pad is reached.
*/
class FocusWalk
{
public:
    /** Walks the widgets of root, a keyboard focus container whose visible section view is the shown one. */
    explicit FocusWalk (juce::Component& root);

    /** Moves the focus to the next (or previous) widget. False when the shown section has none. */
    bool move (bool forwards);

private:
    std::vector<juce::Component*> getOrder() const;
    BankView* getShownBankView() const;
    void focusEnd (bool first) const;

    juce::Component& root;
};
