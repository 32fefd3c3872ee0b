#include "DeviceManagerComponent.h"
#include "assets/AssetImages.h"

const char* const DeviceManagerComponent::updateDevicesMessage = "UpdateMIDIDevices";
const char* const DeviceManagerComponent::closeMessage = "Close";

DeviceManagerComponent::DeviceManagerComponent (juce::ActionListener* window,
                                                DeviceListModel* inputModelToShow,
                                                DeviceListModel* outputModelToShow)
    : backgroundImage (AssetImages::get ("deviceSetupBackground")),
      listFrameImage (AssetImages::get ("deviceSetupPanel")),
      inputModel (inputModelToShow),
      outputModel (outputModelToShow),
      inputList ("Input Devices", inputModel),
      outputList ("Output Devices", outputModel)
{
    setLookAndFeel (&lookAndFeel);
    addActionListener (window);
    juce::Desktop::getInstance().addFocusChangeListener (this);

    for (auto* button : { &okButton, &cancelButton, &applyButton })
    {
        addAndMakeVisible (button);
        button->addListener (this);
    }

    for (auto* list : { &inputList, &outputList })
    {
        // Transparent, so that the frame pictures show through.
        list->setColour (juce::ListBox::backgroundColourId, juce::Colour (0x00ffffff));
        addAndMakeVisible (list);
    }

    setSize (360, 425);
}

DeviceManagerComponent::~DeviceManagerComponent()
{
    juce::Desktop::getInstance().removeFocusChangeListener (this);
    setLookAndFeel (nullptr);
}

void DeviceManagerComponent::addInputDevice (const juce::String& name)
{
    inputModel->addItem (name);
}

void DeviceManagerComponent::addOutputDevice (const juce::String& name)
{
    outputModel->addItem (name);
}

void DeviceManagerComponent::refreshLists()
{
    inputList.updateContent();
    outputList.updateContent();
}

void DeviceManagerComponent::selectInputRow (int row)
{
    inputList.selectRow (row);
}

void DeviceManagerComponent::selectOutputRow (int row)
{
    outputList.selectRow (row);
}

int DeviceManagerComponent::getSelectedInputRow() const
{
    return inputList.getSelectedRow();
}

int DeviceManagerComponent::getSelectedOutputRow() const
{
    return outputList.getSelectedRow();
}

void DeviceManagerComponent::paint (juce::Graphics& g)
{
    g.fillAll (juce::Colours::white);
    AssetImages::draw (g, backgroundImage, { 0.0f, 0.0f, 360.0f, 425.0f });
    AssetImages::draw (g, listFrameImage, { 15.0f, 60.0f, 327.0f, 141.0f });
    AssetImages::draw (g, listFrameImage, { 15.0f, 228.0f, 327.0f, 141.0f });

    g.setColour (juce::Colours::black);
    g.setFont (juce::Font (15.0f, juce::Font::plain));
    g.drawText ("INPUT", 25, 44, 41, 18, juce::Justification::centredLeft, true);
    g.drawText ("OUTPUT", 23, 216, 57, 11, juce::Justification::centredLeft, true);
}

void DeviceManagerComponent::paintOverChildren (juce::Graphics& g)
{
    // The lists and buttons draw no focus of their own: a frame shows where the keys go.
    if (auto* focused = getFocusedChild())
    {
        g.setColour (juce::Colour (focusColour));
        g.drawRect (focused->getBounds().expanded (2), 2);
    }
}

juce::Component* DeviceManagerComponent::getFocusedChild() const
{
    for (auto* child : getChildren())
        if (child->hasKeyboardFocus (true))
            return child;

    return nullptr;
}

bool DeviceManagerComponent::keyPressed (const juce::KeyPress& key)
{
    // The framework's buttons take Return only; Space presses them too, as on every desktop.
    if (key == juce::KeyPress::spaceKey)
    {
        if (auto* button = dynamic_cast<juce::Button*> (getFocusedChild()))
        {
            button->triggerClick();
            return true;
        }
    }

    return false;
}

void DeviceManagerComponent::globalFocusChanged (juce::Component*)
{
    // Also when the focus goes from one child to another, which the parent is not told about.
    repaint();
}

void DeviceManagerComponent::resized()
{
    inputList.setBounds (15, 69, 327, 123);
    outputList.setBounds (15, 240, 327, 123);
    okButton.setBounds (16, 381, 72, 32);
    cancelButton.setBounds (120, 381, 88, 30);
    applyButton.setBounds (248, 381, 88, 30);
}

void DeviceManagerComponent::buttonClicked (juce::Button* button)
{
    if (button == &okButton)
    {
        sendActionMessage (updateDevicesMessage);
        sendActionMessage (closeMessage);
    }
    else if (button == &applyButton)
    {
        sendActionMessage (updateDevicesMessage);
    }
    else if (button == &cancelButton)
    {
        cancel();
    }
}

void DeviceManagerComponent::cancel()
{
    sendActionMessage (closeMessage);
}
