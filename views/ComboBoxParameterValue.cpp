#include "ComboBoxParameterValue.h"
#include "ViewColours.h"

ComboBoxParameterValue::ComboBoxParameterValue (const juce::String& name, double offsetArgument)
    : ParameterValue (offsetArgument + 1.0),
      juce::ComboBox (name)
{
    juce::ComboBox::addListener (this);
}

ComboBoxParameterValue::~ComboBoxParameterValue() = default;

void ComboBoxParameterValue::addListener (ParameterValue::Listener* listener)
{
    listeners.add (listener);
}

void ComboBoxParameterValue::setValue (double rawValue)
{
    // Presets from the hardware may be distributed from another thread.
    const juce::MessageManagerLock lock;
    setSelectedId ((int) (rawValue + displayOffset), juce::sendNotificationSync);
}

double ComboBoxParameterValue::getValue()
{
    const juce::MessageManagerLock lock;
    return getSelectedId() - displayOffset;
}

juce::String ComboBoxParameterValue::getName()
{
    return juce::Component::getName();
}

void ComboBoxParameterValue::setName (const juce::String& newName)
{
    juce::Component::setName (newName);
}

int ComboBoxParameterValue::getMinimum (bool raw)
{
    return raw ? 0 : 1;
}

int ComboBoxParameterValue::getMaximum (bool raw)
{
    return raw ? (int) (getNumItems() - displayOffset) : getNumItems();
}

void ComboBoxParameterValue::paint (juce::Graphics& g) { juce::ComboBox::paint (g); }
void ComboBoxParameterValue::resized() { juce::ComboBox::resized(); }

bool ComboBoxParameterValue::keyPressed (const juce::KeyPress& key)
{
    if (key == juce::KeyPress::spaceKey)
    {
        showPopup();
        return true;
    }

    return juce::ComboBox::keyPressed (key);
}

void ComboBoxParameterValue::comboBoxChanged (juce::ComboBox*)
{
    listeners.valueChanged (this);
}

//==============================================================================
ComboBoxParameterValue* createComboBoxParameterValue (const juce::StringArray& itemTexts, const juce::String& name)
{
    auto* list = new ComboBoxParameterValue (name, 0.0);

    list->setEditableText (false);
    list->setJustificationType (juce::Justification::centredLeft);
    list->setTextWhenNothingSelected ({});
    list->setTextWhenNoChoicesAvailable ({});

    for (int i = 0; i < itemTexts.size(); ++i)
        list->addItem (itemTexts[i], i + 1);

    list->setName (name);
    list->setWantsKeyboardFocus (true);
    list->setHasFocusOutline (true);

    list->setColour (juce::ComboBox::textColourId, ViewColours::accentBlue);
    list->setColour (juce::ComboBox::arrowColourId, ViewColours::accentBlue);

    // Nobody listens yet: this only gives the list a first selection.
    list->setValue (1);
    return list;
}
