#include "NumberBox.h"

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

NumberBox::NumberBox()
{
    setInputRestrictions (0, signedDigits);
    setMultiLine (false);
    setScrollbarsShown (false);
    setReadOnly (false);
    setCaretVisible (true);
    setCaretPosition (0);
    juce::TextEditor::addListener (this);
}

NumberBox::~NumberBox() = default;

void NumberBox::setValue (double newValue, bool notify)
{
    if (newValue < minimum || newValue > maximum)
    {
        showStoredValue();
        return;
    }

    // A negative zero would read "-0".
    value = newValue == 0.0 ? 0.0 : newValue;
    showStoredValue();

    if (notify)
        for (int i = listeners.size(); --i >= 0;)
            listeners.getUnchecked (i)->numberBoxValueChanged (this);
}

void NumberBox::setMinimum (double newMinimum)
{
    minimum = newMinimum;
    setInputRestrictions (0, minimum < 0.0 ? signedDigits : digits);
}

void NumberBox::setMaximum (double newMaximum)
{
    maximum = newMaximum;
}

void NumberBox::addListener (Listener* listener)
{
    if (listener != nullptr)
        listeners.addIfNotAlreadyThere (listener);
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
        showStoredValue();
    else
        setValue (text.getDoubleValue(), true);
}

//==============================================================================
void NumberBox::textEditorTextChanged (juce::TextEditor&)         {}
void NumberBox::textEditorEscapeKeyPressed (juce::TextEditor&)    {}

void NumberBox::textEditorReturnKeyPressed (juce::TextEditor&)
{
    commit();
}

void NumberBox::textEditorFocusLost (juce::TextEditor&)
{
    commit();
    setCaretPosition (0);
}
