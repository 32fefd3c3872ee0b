#include "EditorFixture.h"
#include "views/CustomLook.h"

#include <gtest/gtest.h>

namespace
{
void collectComboBoxes (juce::Component& parent, juce::Array<juce::ComboBox*>& found)
{
    for (auto* child : parent.getChildren())
    {
        if (auto* box = dynamic_cast<juce::ComboBox*> (child))
            found.add (box);
        else
            collectComboBoxes (*child, found);
    }
}

juce::Label* textBoxOf (juce::ComboBox& box)
{
    for (auto* child : box.getChildren())
        if (auto* label = dynamic_cast<juce::Label*> (child))
            return label;

    return nullptr;
}
} // namespace

TEST (ModeLists, EveryModeNameFitsItsListWhole)
{
    EditorFixture fixture;
    juce::Array<juce::ComboBox*> boxes;
    collectComboBoxes (*fixture.editor, boxes);
    ASSERT_GE (boxes.size(), 16);

    juce::StringArray longNamesSeen;

    for (auto* box : boxes)
    {
        EXPECT_EQ (box->getWidth(), 80) << box->getName();
        auto* label = textBoxOf (*box);
        ASSERT_NE (label, nullptr);
        EXPECT_LE (label->getRight(), 80 - 15) << "the text box reaches under the arrow";
        auto* look = dynamic_cast<CustomLook*> (&label->getLookAndFeel());
        ASSERT_NE (look, nullptr) << box->getName();

        for (int i = 0; i < box->getNumItems(); ++i)
        {
            const auto text = box->getItemText (i);
            const auto font = look->getComboBoxTextFont (*box, text);
            // Whole, and still readable.
            EXPECT_LE (font.getStringWidthFloat (text), (float) label->getWidth()) << box->getName() << ": " << text;
            EXPECT_GE (font.getHeight(), 10.0f) << box->getName() << ": " << text;

            // Short names keep the list's full-size font.
            if (text == "CC" || text == "Note")
            {
                EXPECT_EQ (font.getHeight(), label->getFont().getHeight()) << text;
                EXPECT_EQ (font.getHorizontalScale(), 1.0f) << text;
            }

            if (text.length() >= 10)
                longNamesSeen.addIfNotAlreadyThere (text);
        }
    }

    for (const auto* name : { "CC Momentary", "Program Change", "Aftertouch" })
        EXPECT_TRUE (longNamesSeen.contains (name)) << name;
}

// Long names are set in condensed letters, never in narrowed ones, and no smaller than they need.
TEST (ModeLists, LongNamesAreSetInCondensedLettersNotSqueezed)
{
    EditorFixture fixture;
    auto* pad = dynamic_cast<juce::ComboBox*> (findComponentNamed (*fixture.editor, "Pad 1 Mode"));
    ASSERT_NE (pad, nullptr);
    auto& look = dynamic_cast<CustomLook&> (pad->getLookAndFeel());

    struct Expected
    {
        const char* text;
        const char* typeface;
        bool madeSmaller;
    };

    // Which names need smaller letters depends on the system's measure of them (hinting): what is
    // checked is that a smaller name fills the 62 pixels there are, so is no smaller than needed.
    // clang-format off
    const Expected expected[] = {
        { "Note",           "<Sans-Serif>",     false },
        { "CC Toggle",      "Roboto Condensed", false },
        { "CC Momentary",   "Roboto Condensed", true },
        { "Program Change", "Roboto Condensed", true },
    };
    // clang-format on

    for (const auto& e : expected)
    {
        const auto font = look.getComboBoxTextFont (*pad, e.text);
        EXPECT_EQ (font.getTypefaceName(), e.typeface) << e.text;
        EXPECT_EQ (font.getHorizontalScale(), 1.0f) << e.text;
        EXPECT_LE (font.getStringWidthFloat (e.text), 62.0f) << e.text;

        if (e.madeSmaller)
        {
            EXPECT_LT (font.getHeight(), 15.0f) << e.text;
            EXPECT_GE (font.getHeight(), 10.0f) << e.text;
            EXPECT_GE (font.getStringWidthFloat (e.text), 60.0f) << e.text;
        }
        else
        {
            EXPECT_EQ (font.getHeight(), 15.0f) << e.text;
        }
    }
}
