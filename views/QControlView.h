#pragma once

#include "CustomLook.h"
#include "QControlReferenceData.h"
#include "preset/ParameterValue.h"

#include <juce_gui_basics/juce_gui_basics.h>
#include <map>

/**
    The editing panel of one hardware control: its name as a title and, below it, one
    labelled widget for each row its current mode uses. Every row's widget is created
    once and bound by its parameter key ("<control name> <row name>") to the listener;
    a Mode list swaps the visible rows.
*/
class QControlView : public juce::Component,
                     public juce::ComboBox::Listener
{
public:
    /** Shows the menu of a panel's title when it is right-clicked: a parent component of the panels. */
    class TitleMenuHost
    {
    public:
        virtual ~TitleMenuHost() = default;

        /** Shows the menu for the control the panel edits ("Pad 3"). */
        virtual void showTitleMenu (const juce::String& controlName) = 0;
    };

    /** Builds the panel of the control called name; referenceData must outlive the panel. */
    QControlView (QControlReferenceData* referenceData, const juce::String& name,
                  ParameterValue::Listener* listener);
    ~QControlView() override;

    /** Shows the rows of the named mode. */
    void showMode (const juce::String& modeName);

    /** Shows exactly these rows, in this order; rows without a widget are skipped. */
    void showRows (const juce::StringArray& rows);

    /** The widget of a row (its box or list), or null. */
    juce::Component* getWidget (const juce::String& rowName) const;

    /** The widget of a row as a preset value, or null. */
    ParameterValue* getParameterValue (const juce::String& rowName) const;

    /** The widgets shown, top to bottom. */
    const juce::Array<juce::Component*>& getVisibleWidgets() const noexcept { return visibleWidgets; }

    /** The labels of the rows shown, top to bottom. */
    const juce::Array<juce::Label*>& getRowLabels() const noexcept { return rowLabels; }

    /** The title showing the control's name. */
    const juce::Label& getTitleLabel() const noexcept { return titleLabel; }

    void paint (juce::Graphics& g) override;
    void resized() override;

    /** @internal */
    void comboBoxChanged (juce::ComboBox* list) override;
    /** @internal */
    void mouseDown (const juce::MouseEvent& event) override;

private:
    struct RowWidget
    {
        std::unique_ptr<juce::Component> component;
        ParameterValue* value = nullptr;
        int byteOffset = -1; // where the layout puts the row's value, -1 when unknown
    };

    void addModeRow (const juce::String& rowName, const juce::String& key, ParameterValue::Listener* listener);
    void addNumberRow (const juce::String& rowName, const juce::String& key, ParameterValue::Listener* listener);
    juce::Label& getRowLabel (const juce::String& rowName);
    void reportValuesHiddenWidgetsCouldNotShow (const juce::Array<juce::Component*>& previouslyVisible);
    const RowWidget* findRow (const juce::Component* widget) const;

    CustomLook look;
    QControlReferenceData* referenceData;
    std::map<juce::String, RowWidget> widgetsByRow;
    juce::Label titleLabel;
    std::map<juce::String, std::unique_ptr<juce::Label>> labelsByRow; // made when a row is first shown
    juce::Array<juce::Label*> rowLabels;
    juce::Array<juce::Component*> visibleWidgets;

    JUCE_DECLARE_NON_COPYABLE_WITH_LEAK_DETECTOR (QControlView)
};
