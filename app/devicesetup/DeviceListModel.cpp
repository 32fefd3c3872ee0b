#include "DeviceListModel.h"

void DeviceListModel::addItem (const juce::String& name)
{
    names.add (name);
}

int DeviceListModel::getNumRows()
{
    return names.size();
}

void DeviceListModel::paintListBoxItem (int rowNumber, juce::Graphics& g, int width, int height, bool rowIsSelected)
{
    if (rowIsSelected)
    {
        g.fillAll (juce::Colours::white);
        g.setColour (juce::Colours::black);
    }
    else
    {
        g.setColour (juce::Colours::white);
    }

    g.setFont ((float) height * 0.7f);
    g.drawText (names[rowNumber], 5, 0, width, height, juce::Justification::centredLeft, true);
}
