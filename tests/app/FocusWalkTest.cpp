#include "EditorFixture.h"
#include "views/FocusWalk.h"
#include "views/QControlLayoutView.h"

#include <gtest/gtest.h>

namespace
{
/** The pad number in a widget's name ("Pad 5 Mode" is 5), or 0. */
int padOf (const juce::String& name)
{
    return name.startsWith ("Pad ") ? name.fromFirstOccurrenceOf ("Pad ", false, false).getIntValue() : 0;
}

juce::String focusedName()
{
    auto* focused = juce::Component::getCurrentlyFocusedComponent();
    return focused != nullptr ? focused->getName() : juce::String();
}
} // namespace

// Keyboard focus needs a real window: this runs under an X display with a window manager.
TEST (FocusWalk, ReachesEveryPadThroughBothBanksAndComesRoundToTheFirst)
{
    EditorFixture fixture;
    auto& editor = *fixture.editor;

    ASSERT_TRUE (fixture.showWithKeyboardFocus());

    editor.selectSection (3);
    auto& banks = dynamic_cast<QControlLayoutView&> (*editor.getViewForButton (editor.getTabSelector().getButtons()[3])).getBankView();
    FocusWalk walk (editor);

    // From outside the section the walk starts at its first widget.
    ASSERT_TRUE (walk.move (true));
    ASSERT_EQ (focusedName(), "Pad 1 Mode");

    juce::StringArray visited { focusedName() };

    for (int step = 0; step < 200; ++step)
    {
        ASSERT_TRUE (walk.move (true));

        if (focusedName() == visited[0])
            break;

        visited.add (focusedName());
    }

    ASSERT_EQ (focusedName(), "Pad 1 Mode") << "the walk never came round";
    EXPECT_EQ (banks.getCurrentBank(), 0);

    // Pads 1 to 8, each once, in order: the fifth comes after the fourth, in the other bank.
    juce::Array<int> padsInOrder;

    for (const auto& name : visited)
        if (padsInOrder.getLast() != padOf (name))
            padsInOrder.add (padOf (name));

    EXPECT_EQ (padsInOrder, juce::Array<int> ({ 1, 2, 3, 4, 5, 6, 7, 8 })) << visited.joinIntoString (", ").toStdString();

    // Back from the first widget: the last one of the last bank.
    ASSERT_TRUE (walk.move (false));
    EXPECT_EQ (banks.getCurrentBank(), 1);
    EXPECT_EQ (focusedName(), visited[visited.size() - 1]);
    EXPECT_EQ (padOf (focusedName()), 8);

    editor.removeFromDesktop();
}
