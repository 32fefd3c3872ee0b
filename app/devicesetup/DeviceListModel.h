#pragma once

#include <juce_gui_basics/juce_gui_basics.h>

/** The rows of one device list of the Device Setup dialog: device names, in the order added. */
class DeviceListModel : public juce::ListBoxModel
{
public:
    DeviceListModel() = default;
    ~DeviceListModel() override = default;

    /** Appends a row. */
    void addItem (const juce::String& name);

    /** The names in row order. */
    const juce::StringArray& getNames() const noexcept { return names; }

    /** @internal */
    int getNumRows() override;
    /** @internal */
    void paintListBoxItem (int rowNumber, juce::Graphics& g, int width, int height, bool rowIsSelected) override;

private:
    juce::StringArray names;

    JUCE_DECLARE_NON_COPYABLE_WITH_LEAK_DETECTOR (DeviceListModel)
};
