#include "NumberBoxParameterValue.h"
#include "KeybedRangeTooltip.h"
#include "preset/EditorTexts.h"
#include "preset/ShownValueText.h"
#include "ViewColours.h"

NumberBoxParameterValue::NumberBoxParameterValue (const juce::String& name, double offset)
    : ParameterValue (offset)
{
    juce::Component::setName (name);
    NumberBox::addListener (this);
}

NumberBoxParameterValue::~NumberBoxParameterValue() = default;

void NumberBoxParameterValue::addListener (ParameterValue::Listener* listener)
{
    listeners.add (listener);
}

void NumberBoxParameterValue::setValue (double rawValue)
{
    // Presets from the hardware may be distributed from another thread.
    const juce::MessageManagerLock lock;
    NumberBox::setValue (rawValue + displayOffset, true);
}

double NumberBoxParameterValue::getValue()
{
    const juce::MessageManagerLock lock;
    return NumberBox::getValue() - displayOffset;
}

juce::String NumberBoxParameterValue::getName()
{
    const juce::MessageManagerLock lock;
    return juce::Component::getName();
}

void NumberBoxParameterValue::setName (const juce::String& newName)
{
    const juce::MessageManagerLock lock;
    juce::Component::setName (newName);
}

int NumberBoxParameterValue::getMinimum (bool raw)
{
    return (int) (NumberBox::getMinimum() - (raw ? displayOffset : 0.0));
}

int NumberBoxParameterValue::getMaximum (bool raw)
{
    return (int) (NumberBox::getMaximum() - (raw ? displayOffset : 0.0));
}

void NumberBoxParameterValue::paint (juce::Graphics& g) { NumberBox::paint (g); }
void NumberBoxParameterValue::resized() { NumberBox::resized(); }

void NumberBoxParameterValue::numberBoxValueChanged (NumberBox*)
{
    listeners.valueChanged (this);
}

//==============================================================================
namespace
{
// A pad's Note box names its note; the keybed's Octave and Transpose boxes name the keys' notes.
void showNotesIfNamed (NumberBoxParameterValue& box)
{
    const auto key = box.getName();
    const auto location = PresetLayout::findParameter (key);

    if (location.has_value() && ShownValueText::holdsNote (*location))
    {
        box.setShowsNoteNames (true);
        box.setTooltipNote ([] { return juce::String (EditorTexts::noteNamesTooltip); });
    }
    else if (KeybedRangeTooltip::isFor (key))
    {
        box.setTooltipNote ([&box] { return KeybedRangeTooltip::describe (box); });
    }
}
} // namespace

NumberBoxParameterValue* createNumberBoxParameterValue (double minimum, double maximum, double defaultValue,
                                                        double displayOffset, const juce::String& name)
{
    auto* box = new NumberBoxParameterValue (name, displayOffset);

    // The box itself is already single-line and editable, with a visible caret.
    box->setReturnKeyStartsNewLine (false);
    box->setScrollbarsShown (true);
    box->setPopupMenuEnabled (true);

    box->setColour (juce::TextEditor::backgroundColourId, juce::Colours::white);
    box->setColour (juce::TextEditor::outlineColourId, juce::Colour (0xff00ffff));
    box->setColour (juce::TextEditor::textColourId, ViewColours::accentBlue);
    box->setFont (juce::Font (18.0f, juce::Font::plain));

    box->setMinimum (minimum);
    box->setMaximum (maximum);
    box->setValue (defaultValue - displayOffset);
    box->setName (name);
    showNotesIfNamed (*box);
    return box;
}
