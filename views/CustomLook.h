#pragma once

#include <juce_gui_basics/juce_gui_basics.h>

/**
    The editor's flat white-and-blue drawing style for buttons, toggle buttons, combo
    boxes, pop-up menus, menu-bar items, labels and text-editor frames. Everything it
    does not override is drawn as by juce::LookAndFeel_V3.
*/
class CustomLook : public juce::LookAndFeel_V3
{
public:
    CustomLook();
    ~CustomLook() override;

    /** The editor's white, greys and accent blue as a colour scheme for the framework's
        default look, which draws what CustomLook does not: the alert boxes, the save
        question, the framework's own file chooser and the menu bar. In the framework's
        dark scheme they would come up as black boxes over the white editor.
    */
    static juce::LookAndFeel_V4::ColourScheme getLightColourScheme();

    /** A rounded body, pressed grey, hovered white or resting light grey, with a black outline. */
    void drawButtonBackground (juce::Graphics&, juce::Button&, const juce::Colour& backgroundColour,
                               bool shouldDrawButtonAsHighlighted, bool shouldDrawButtonAsDown) override;

    /** A 1-pixel frame in the button's text colour; no tick box and no text. */
    void drawToggleButton (juce::Graphics&, juce::ToggleButton&,
                           bool shouldDrawButtonAsHighlighted, bool shouldDrawButtonAsDown) override;

    /** Nothing: a number box paints its own background. */
    void fillTextEditorBackground (juce::Graphics&, int width, int height, juce::TextEditor&) override;

    /** Nothing, even with keyboard focus. */
    void drawTextEditorOutline (juce::Graphics&, int width, int height, juce::TextEditor&) override;

    /** Solid accent blue. */
    void drawPopupMenuBackground (juce::Graphics&, int width, int height) override;

    /** The item text only: white, or blue on white when highlighted. */
    void drawPopupMenuItem (juce::Graphics&, const juce::Rectangle<int>& area,
                            bool isSeparator, bool isActive, bool isHighlighted, bool isTicked, bool hasSubMenu,
                            const juce::String& text, const juce::String& shortcutKeyText,
                            const juce::Drawable* icon, const juce::Colour* textColour) override;

    /** The framework's layout, filled white when the bar is disabled. */
    void drawMenuBarItem (juce::Graphics&, int width, int height,
                          int itemIndex, const juce::String& itemText,
                          bool isMouseOverItem, bool isMenuOpen, bool isMouseOverBar,
                          juce::MenuBarComponent&) override;

    /** A white rounded body without outline and a 10 x 4 downward arrow near the right edge. */
    void drawComboBox (juce::Graphics&, int width, int height, bool isButtonDown,
                       int buttonX, int buttonY, int buttonW, int buttonH,
                       juce::ComboBox&) override;

    /** The font in which a drop-down list shows `text`: its own font when the text fits the
        list's text area, else a condensed typeface (AssetFonts), if need be smaller, in which it
        fits whole, so that mode names such as "Program Change" are shown in full in an 80-pixel
        list instead of ending in an ellipsis.
    */
    juce::Font getComboBoxTextFont (juce::ComboBox& box, const juce::String& text);

    /** Background, text left-aligned and vertically centred on one line, then a 1-pixel frame.
        The text of a drop-down list is drawn in getComboBoxTextFont.
    */
    void drawLabel (juce::Graphics&, juce::Label&) override;

    /** A ring just outside the focused widget, so that keyboard users see where they are
        on the white boxes and on the blue band alike.
    */
    std::unique_ptr<juce::FocusOutline> createFocusOutlineForComponent (juce::Component&) override;

    /** Draws that ring into an area of width x height (the widget grown by focusRingGap on every side). */
    static void drawFocusRing (juce::Graphics&, int width, int height);

    /** How far the ring stands out from the widget, and its colour. */
    static constexpr int focusRingGap = 3;
    static const juce::Colour focusRingColour;

private:
    JUCE_DECLARE_NON_COPYABLE_WITH_LEAK_DETECTOR (CustomLook)
};
