#include "EditorFixture.h"
#include "WaitUntil.h"
#include "views/QControlView.h"

#include <gtest/gtest.h>

// Keyboard focus needs a real window: this runs under an X display with a window manager.
TEST (ModeListFocus, ChoosingAModeGivesTheListTheKeyboardFocus)
{
    EditorFixture fixture;
    auto& editor = *fixture.editor;

    ASSERT_TRUE (fixture.showWithKeyboardFocus());

    editor.buttonClicked (editor.getTabSelector().getButtons()[1]); // Knobs

    auto& list = dynamic_cast<juce::ComboBox&> (*findComponentNamed (editor, "Knob 2 Mode"));
    EXPECT_FALSE (list.hasKeyboardFocus (false));

    list.setSelectedId (2, juce::sendNotificationSync);
    EXPECT_TRUE (waitUntil ([&] { return list.hasKeyboardFocus (false); }));

    auto& panel = dynamic_cast<QControlView&> (*findComponentNamed (editor, "Knob 2"));
    EXPECT_FALSE (panel.getWidget ("CC")->isVisible());
    EXPECT_EQ (panel.getWidget ("Max")->getY(), 110);

    editor.removeFromDesktop();
}
