#include "NumberBox.h"
#include "controller/GestureSteps.h"
#include "preset/PresetValidator.h"

namespace
{
const juce::String digits ("0123456789");
const juce::String signedDigits ("0123456789-+");

juce::String formatNumber (double number)
{
    // Preset values are whole numbers: show them without a decimal point.
    if (number == std::floor (number) && std::abs (number) < 1.0e15)
        return juce::String ((juce::int64) number);

    return juce::String (number);
}
} // namespace

/** Lets through only the characters a number may hold, and has the box say so when it drops any. */
class NumberBox::CharacterFilter : public juce::TextEditor::InputFilter
{
public:
    explicit CharacterFilter (NumberBox& boxToTell) : box (boxToTell) {}

    juce::String filterNewText (juce::TextEditor&, const juce::String& newInput) override
    {
        const auto kept = newInput.retainCharacters (allowed);

        if (kept.length() != newInput.length())
            box.explainTyping();

        return kept;
    }

    juce::String allowed = signedDigits;

private:
    NumberBox& box;
};

NumberBox::NumberBox()
    : characterFilter (std::make_unique<CharacterFilter> (*this))
{
    setInputFilter (characterFilter.get(), false);
    setMultiLine (false);
    setReadOnly (false);
    setCaretVisible (true);
    setCaretPosition (0);
    // Typing then replaces the number instead of adding to it.
    setSelectAllWhenFocused (true);
    setHasFocusOutline (true);
    juce::TextEditor::addListener (this);
}

NumberBox::~NumberBox() = default;

void NumberBox::setValue (double newValue, bool notify)
{
    if (! PresetValidator::isWithin (newValue, minimum, maximum))
    {
        showStoredValue();
        return;
    }

    // A negative zero would read "-0".
    value = newValue == 0.0 ? 0.0 : newValue;
    showStoredValue();
    showRange();

    if (notify)
        listeners.call (&Listener::numberBoxValueChanged, this);
}

void NumberBox::setMinimum (double newMinimum)
{
    minimum = newMinimum;
    characterFilter->allowed = minimum < 0.0 ? signedDigits : digits;
    showRange();
}

void NumberBox::setMaximum (double newMaximum)
{
    maximum = newMaximum;
    showRange();
}

void NumberBox::addListener (Listener* listener)
{
    if (listener != nullptr)
        listeners.add (listener);
}

void NumberBox::paint (juce::Graphics& g)
{
    g.fillAll (juce::Colours::white);
}

void NumberBox::showStoredValue()
{
    setText (formatNumber (value), juce::sendNotification);
}

void NumberBox::commit()
{
    const auto text = getText();

    if (text.isEmpty())
    {
        showStoredValue();
        return;
    }

    const auto typed = text.getDoubleValue();

    if (! PresetValidator::isWithin (typed, minimum, maximum))
        explainRefusal (typed);

    setValue (typed, true);
}

//==============================================================================
bool NumberBox::hasPendingEntry() const
{
    return getText() != formatNumber (value);
}

void NumberBox::commitPendingEntry()
{
    if (hasPendingEntry())
        commit();
}

void NumberBox::commitPendingEntries (juce::Component& root)
{
    if (auto* box = dynamic_cast<NumberBox*> (&root))
        box->commitPendingEntry();

    for (auto* child : root.getChildren())
        commitPendingEntries (*child);
}

void NumberBox::step (double steps)
{
    // Steps go from what the user sees, so a typed number is taken first.
    commitPendingEntry();
    setValue (juce::jlimit (minimum, maximum, value + steps), true);

    if (hasKeyboardFocus (false))
        selectAll();
}

//==============================================================================
juce::String NumberBox::getRangeText() const
{
    return formatNumber (minimum) + (minimum < 0.0 ? " to " : "-") + formatNumber (maximum);
}

void NumberBox::showRange()
{
    setTooltip (getRangeText());
}

void NumberBox::explainRefusal (double refused)
{
    const auto reason = getRangeText() + ": " + formatNumber (refused) + " is out of range";
    setTooltip (reason);

    showRefusalHint (reason);
}

void NumberBox::explainTyping()
{
    showRefusalHint (getRangeText() + ": numbers only");
}

void NumberBox::showRefusalHint (const juce::String& reason)
{
    if (refusalHint == nullptr)
        refusalHint = std::make_unique<RefusalHint> (*this);

    refusalHint->show (reason);
}

//==============================================================================
bool NumberBox::keyPressed (const juce::KeyPress& key)
{
    const auto mods = key.getModifiers();

    if (mods.isCommandDown() && juce::CharacterFunctions::isDigit (key.getTextCharacter()))
        return false;

    // Ctrl+Z, Ctrl+Shift+Z and Ctrl+Y undo and redo in the whole preset, not in the box's text.
    if (mods.isCommandDown() && juce::String ("zZyY").containsChar ((juce::juce_wchar) key.getKeyCode()))
        return false;

    if (! mods.isAnyModifierKeyDown() && ! isReadOnly())
    {
        // clang-format off
        if (key.isKeyCode (juce::KeyPress::upKey))        { step (1.0);       return true; }
        if (key.isKeyCode (juce::KeyPress::downKey))      { step (-1.0);      return true; }
        if (key.isKeyCode (juce::KeyPress::pageUpKey))    { step (pageStep);  return true; }
        if (key.isKeyCode (juce::KeyPress::pageDownKey))  { step (-pageStep); return true; }
        // clang-format on
    }

    return juce::TextEditor::keyPressed (key);
}

void NumberBox::mouseWheelMove (const juce::MouseEvent&, const juce::MouseWheelDetails& wheel)
{
    if (wheel.deltaY == 0.0f || isReadOnly() || ! isEnabled())
        return;

    const auto up = (wheel.deltaY > 0.0f) != wheel.isReversed;
    // The notches of one turn make one undo step.
    const GestureSteps::Continuing gesture;
    step (up ? 1.0 : -1.0);
}

//==============================================================================
void NumberBox::textEditorTextChanged (juce::TextEditor&) {}

void NumberBox::textEditorEscapeKeyPressed (juce::TextEditor&)
{
    // The stored value comes back, as the preset still holds it.
    showStoredValue();
    selectAll();
}

void NumberBox::textEditorReturnKeyPressed (juce::TextEditor&)
{
    commit();
}

void NumberBox::textEditorFocusLost (juce::TextEditor&)
{
    commit();
    setCaretPosition (0);
}
