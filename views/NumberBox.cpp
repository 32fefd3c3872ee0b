#include "NumberBox.h"
#include "controller/GestureSteps.h"
#include "preset/PresetValidator.h"
#include "preset/EditorTexts.h"
#include "preset/NoteNames.h"
#include "preset/ShownValueText.h"

namespace
{
const juce::String digits ("0123456789");
const juce::String signedDigits ("0123456789-+");
// Any letter gets in, so that a name that is no note ("H3") is refused whole.
const juce::String noteCharacters ("0123456789-#ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz");

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
    chooseAllowedCharacters();
    showRange();
}

void NumberBox::setMaximum (double newMaximum)
{
    maximum = newMaximum;
    showRange();
}

void NumberBox::setShowsNoteNames (bool shouldShowNames)
{
    showsNoteNames = shouldShowNames;
    chooseAllowedCharacters();
    repaint();
}

void NumberBox::chooseAllowedCharacters()
{
    characterFilter->allowed = showsNoteNames ? noteCharacters : minimum < 0.0 ? signedDigits
                                                                               : digits;
}

void NumberBox::setTooltipNote (std::function<juce::String()> noteToAdd)
{
    tooltipNote = std::move (noteToAdd);
}

juce::String NumberBox::getTooltip()
{
    const auto note = tooltipNote != nullptr ? tooltipNote() : juce::String();
    const auto tooltip = juce::TextEditor::getTooltip();
    return note.isEmpty() ? tooltip : tooltip + "\n" + note;
}

void NumberBox::addListener (Listener* listener)
{
    if (listener != nullptr)
        listeners.add (listener);
}

void NumberBox::paint (juce::Graphics& g)
{
    g.fillAll (juce::Colours::white);

    if (showsNoteNames && ! hasPendingEntry())
        paintNoteName (g);
}

// The name stands at the right end of the box, lighter than the number, which keeps the left.
void NumberBox::paintNoteName (juce::Graphics& g)
{
    g.setColour (juce::Colours::grey);
    g.setFont (juce::Font ((float) getHeight() * 0.7f));
    g.drawText (NoteNames::format (juce::roundToInt (value)), getLocalBounds().reduced (4, 0),
                juce::Justification::centredRight, false);
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

    const auto typed = readTypedText (text);

    if (! typed.has_value())
    {
        explainRefusal (text + EditorTexts::notANote);
        showStoredValue();
        return;
    }

    if (! PresetValidator::isWithin (*typed, minimum, maximum))
        explainRefusal (formatNumber (*typed) + EditorTexts::outOfRange);

    setValue (*typed, true);
}

std::optional<double> NumberBox::readTypedText (const juce::String& text) const
{
    if (! showsNoteNames || text.containsOnly (digits))
        return text.getDoubleValue();

    const auto note = NoteNames::parse (text);
    return note.has_value() ? std::optional<double> (*note) : std::nullopt;
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
    return ShownValueText::range (juce::roundToInt (minimum), juce::roundToInt (maximum));
}

void NumberBox::showRange()
{
    setTooltip (getRangeText());
}

void NumberBox::explainRefusal (const juce::String& why)
{
    const auto reason = getRangeText() + ": " + why;
    setTooltip (reason);

    showRefusalHint (reason);
}

void NumberBox::explainTyping()
{
    showRefusalHint (getRangeText() + ": " + (showsNoteNames ? EditorTexts::numbersOrNotesOnly : EditorTexts::numbersOnly));
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
void NumberBox::textEditorTextChanged (juce::TextEditor&)
{
    // The note's name goes while another value is typed.
    if (showsNoteNames)
        repaint();
}

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
