#include "CustomLook.h"
#include "ViewColours.h"
#include "assets/AssetFonts.h"

const juce::Colour CustomLook::focusRingColour (0xffffb300);

CustomLook::CustomLook() = default;
CustomLook::~CustomLook() = default;

juce::LookAndFeel_V4::ColourScheme CustomLook::getLightColourScheme()
{
    namespace Colours = juce::Colours;

    return { Colours::white,           // window background
             ViewColours::restingGrey, // widget background
             Colours::white,           // menu background
             ViewColours::pressedGrey, // outline
             Colours::black,           // default text
             ViewColours::accentBlue,  // default fill
             Colours::white,           // highlighted text
             ViewColours::accentBlue,  // highlighted fill
             Colours::black };         // menu text
}

void CustomLook::drawButtonBackground (juce::Graphics& g, juce::Button& button, const juce::Colour&,
                                       bool shouldDrawButtonAsHighlighted, bool shouldDrawButtonAsDown)
{
    const auto fill = shouldDrawButtonAsDown ? ViewColours::pressedGrey
                                             : (shouldDrawButtonAsHighlighted ? juce::Colours::white
                                                                              : ViewColours::restingGrey);
    const auto bounds = button.getLocalBounds().toFloat();

    g.setColour (fill);
    g.fillRoundedRectangle (bounds, 4.0f);
    g.setColour (juce::Colours::black);
    g.drawRoundedRectangle (bounds, 4.0f, 1.0f);
}

void CustomLook::drawToggleButton (juce::Graphics& g, juce::ToggleButton& button,
                                   bool shouldDrawButtonAsHighlighted, bool shouldDrawButtonAsDown)
{
    auto colour = button.findColour (juce::ToggleButton::textColourId);

    if (shouldDrawButtonAsHighlighted)
    {
        if (shouldDrawButtonAsDown)
            colour = colour.brighter (0.4f);
        else
            colour = colour.getBrightness() > 0.5f ? colour.darker (0.1f) : colour.brighter (0.1f);
    }

    g.setColour (colour);
    g.drawRect (button.getLocalBounds());
}

void CustomLook::fillTextEditorBackground (juce::Graphics&, int, int, juce::TextEditor&) {}
void CustomLook::drawTextEditorOutline (juce::Graphics&, int, int, juce::TextEditor&) {}

void CustomLook::drawPopupMenuBackground (juce::Graphics& g, int width, int height)
{
    g.setColour (ViewColours::accentBlue);
    g.fillRect (0, 0, width, height);
}

void CustomLook::drawPopupMenuItem (juce::Graphics& g, const juce::Rectangle<int>& area,
                                    bool, bool, bool isHighlighted, bool, bool,
                                    const juce::String& text, const juce::String&,
                                    const juce::Drawable*, const juce::Colour*)
{
    if (isHighlighted)
    {
        g.setColour (juce::Colours::white);
        g.fillRect (area);
        g.setColour (ViewColours::accentBlue);
    }
    else
    {
        g.setColour (juce::Colours::white);
    }

    g.drawText (text, 0, 0, area.getWidth(), area.getHeight(), juce::Justification::left, false);
}

void CustomLook::drawMenuBarItem (juce::Graphics& g, int width, int height,
                                  int itemIndex, const juce::String& itemText,
                                  bool isMouseOverItem, bool isMenuOpen, bool,
                                  juce::MenuBarComponent& menuBar)
{
    if (! menuBar.isEnabled())
    {
        g.fillAll (juce::Colours::white);
        g.setColour (menuBar.findColour (juce::PopupMenu::textColourId).withMultipliedAlpha (0.5f));
    }
    // While a menu is open (menus are modal), only its title is lit: the pointer may rest on
    // another title while the arrow keys walk the bar.
    else if (isMenuOpen || (isMouseOverItem && juce::ModalComponentManager::getInstance()->getNumModalComponents() == 0))
    {
        g.fillAll (menuBar.findColour (juce::PopupMenu::highlightedBackgroundColourId));
        g.setColour (menuBar.findColour (juce::PopupMenu::highlightedTextColourId));
    }
    else
    {
        g.setColour (menuBar.findColour (juce::PopupMenu::textColourId));
    }

    g.setFont (getMenuBarFont (menuBar, itemIndex, itemText));
    g.drawFittedText (itemText, 0, 0, width, height, juce::Justification::centred, 1, 0.7f);
}

void CustomLook::drawComboBox (juce::Graphics& g, int width, int height, bool,
                               int, int, int, int, juce::ComboBox& box)
{
    g.setColour (juce::Colours::white);
    g.fillRoundedRectangle (0.0f, 0.0f, (float) width, (float) height, 2.0f);

    const auto middle = (float) (height / 2);
    juce::Path arrow;
    arrow.addTriangle ((float) width - 10.0f, middle + 4.0f,
                       (float) width - 5.0f, middle,
                       (float) width - 15.0f, middle);

    g.setColour (box.findColour (juce::ComboBox::arrowColourId));
    g.fillPath (arrow);
}

juce::Font CustomLook::getComboBoxTextFont (juce::ComboBox& box, const juce::String& text)
{
    const auto font = getComboBoxFont (box);

    // The text box spans the box up to the arrow (see positionComboBoxText); a pixel is kept free.
    const auto room = (float) (box.getWidth() + 3 - box.getHeight()) - 1.0f;

    if (room <= 0.0f || font.getStringWidthFloat (text) <= room)
        return font;

    // Letters drawn narrow read normally where narrowed ones look squeezed, above all on a
    // screen of two pixels per point; they are made smaller only as far as the name needs.
    juce::Font condensed (AssetFonts::getCondensedTypeface());
    condensed.setHeight (font.getHeight());
    const auto width = condensed.getStringWidthFloat (text);

    if (width > room)
        condensed.setHeight (font.getHeight() * room / width);

    return condensed;
}

void CustomLook::drawLabel (juce::Graphics& g, juce::Label& label)
{
    g.fillAll (label.findColour (juce::Label::backgroundColourId));

    if (! label.isBeingEdited())
    {
        const auto alpha = label.isEnabled() ? 1.0f : 0.5f;

        g.setColour (label.findColour (juce::Label::textColourId).withMultipliedAlpha (alpha));
        auto* box = dynamic_cast<juce::ComboBox*> (label.getParentComponent());
        g.setFont (box != nullptr ? getComboBoxTextFont (*box, label.getText()) : getLabelFont (label));
        g.drawText (label.getText(), 0, 0, label.getWidth(), label.getHeight(),
                    juce::Justification::centredLeft, true);
        g.setColour (label.findColour (juce::Label::outlineColourId).withMultipliedAlpha (alpha));
    }
    else if (label.isEnabled())
    {
        g.setColour (label.findColour (juce::Label::outlineColourId));
    }

    g.drawRect (label.getLocalBounds());
}

//==============================================================================
namespace
{
struct FocusRingProperties : public juce::FocusOutline::OutlineWindowProperties
{
    juce::Rectangle<int> getOutlineBounds (juce::Component& focused) override
    {
        return focused.getScreenBounds().expanded (CustomLook::focusRingGap);
    }

    void drawOutline (juce::Graphics& g, int width, int height) override
    {
        CustomLook::drawFocusRing (g, width, height);
    }
};
} // namespace

std::unique_ptr<juce::FocusOutline> CustomLook::createFocusOutlineForComponent (juce::Component&)
{
    return std::make_unique<juce::FocusOutline> (std::make_unique<FocusRingProperties>());
}

void CustomLook::drawFocusRing (juce::Graphics& g, int width, int height)
{
    g.setColour (focusRingColour);
    g.drawRoundedRectangle (juce::Rectangle<int> (width, height).toFloat().reduced (1.0f), 3.0f, 2.0f);
}
