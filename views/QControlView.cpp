#include "QControlView.h"
#include "ComboBoxParameterValue.h"
#include "NumberBoxParameterValue.h"
#include "preset/SharedByteRules.h"

namespace
{
constexpr int rowHeight = 20;
constexpr int rowGap = 6;

void makeStaticLabel (juce::Label& label, const juce::String& text, float fontHeight)
{
    label.setText (text, juce::dontSendNotification);
    label.setFont (juce::Font (fontHeight, juce::Font::plain));
    label.setJustificationType (juce::Justification::centredLeft);
    label.setEditable (false, false, false);
    label.setColour (juce::Label::textColourId, juce::Colours::white);
    label.setWantsKeyboardFocus (false);
    // A click on a label leaves the keyboard focus where it was.
    label.setMouseClickGrabsKeyboardFocus (false);
}

int findByteOffset (const juce::String& key)
{
    const auto location = PresetLayout::findParameter (key);
    return location.has_value() ? location->offset : -1;
}
} // namespace

QControlView::QControlView (QControlReferenceData* data, const juce::String& name,
                            ParameterValue::Listener* listener)
    : referenceData (data)
{
    makeStaticLabel (titleLabel, juce::translate (name), 18.0f);

    setName (name);
    setMouseClickGrabsKeyboardFocus (false);
    addAndMakeVisible (titleLabel);
    titleLabel.addMouseListener (this, false);

    for (const auto& rowName : referenceData->getRowNames())
    {
        const auto key = name + " " + rowName;
        if (QControlReferenceData::isModeList (referenceData->getWidgetKind (rowName)))
            addModeRow (rowName, key, listener);
        else
            addNumberRow (rowName, key, listener);
    }

    showMode (referenceData->getModeNames()[0]);
    setLookAndFeel (&look);

    const auto [width, height] = referenceData->getSize();
    setSize (width, height);
}

QControlView::~QControlView()
{
    setLookAndFeel (nullptr);
    visibleWidgets.clear();
    widgetsByRow.clear();
    rowLabels.clear();
    labelsByRow.clear();
}

void QControlView::addModeRow (const juce::String& rowName, const juce::String& key, ParameterValue::Listener* listener)
{
    auto* list = createComboBoxParameterValue (referenceData->getModeNames(), key);
    list->juce::ComboBox::addListener (this);
    addChildComponent (list);
    list->addListener (listener);
    list->setVisible (true);

    // Reports raw 0 to the listener, which binds the list to its byte.
    list->setSelectedId (1, juce::sendNotificationSync);

    auto& row = widgetsByRow[rowName];
    row.component.reset (list);
    row.value = list;
    row.byteOffset = findByteOffset (key);

    list->setValue (list->getValue());
}

void QControlView::addNumberRow (const juce::String& rowName, const juce::String& key, ParameterValue::Listener* listener)
{
    const auto offset = referenceData->getDisplayOffset (rowName);
    auto* box = createNumberBoxParameterValue (referenceData->getMinimum (rowName), referenceData->getMaximum (rowName),
                                               referenceData->getDefault (rowName), offset, key);
    addAndMakeVisible (box);
    box->addListener (listener);

    auto& row = widgetsByRow[rowName];
    row.component.reset (box);
    row.value = box;
    row.byteOffset = findByteOffset (key);

    // A number box always reports: this binds it and gives its byte the panel's default.
    box->setValue (referenceData->getDefault (rowName) - offset);
}

juce::Component* QControlView::getWidget (const juce::String& rowName) const
{
    const auto found = widgetsByRow.find (rowName);
    return found != widgetsByRow.end() ? found->second.component.get() : nullptr;
}

ParameterValue* QControlView::getParameterValue (const juce::String& rowName) const
{
    const auto found = widgetsByRow.find (rowName);
    return found != widgetsByRow.end() ? found->second.value : nullptr;
}

const QControlView::RowWidget* QControlView::findRow (const juce::Component* widget) const
{
    for (const auto& entry : widgetsByRow)
        if (entry.second.component.get() == widget)
            return &entry.second;

    return nullptr;
}

void QControlView::showMode (const juce::String& modeName)
{
    showRows (referenceData->getRowsForMode (modeName));
}

// A row's label is made the first time the row is shown and kept for the next time:
// whole presets switch modes often, and labels are costly to make.
juce::Label& QControlView::getRowLabel (const juce::String& rowName)
{
    auto& label = labelsByRow[rowName];

    if (label == nullptr)
    {
        label = std::make_unique<juce::Label>();
        addChildComponent (label.get());
        makeStaticLabel (*label, rowName, 16.0f);
    }

    return *label;
}

void QControlView::showRows (const juce::StringArray& rows)
{
    visibleWidgets.clear();
    rowLabels.clear();

    for (auto& entry : widgetsByRow)
        entry.second.component->setVisible (false);

    for (auto& entry : labelsByRow)
        entry.second->setVisible (false);

    for (const auto& rowName : rows)
    {
        auto* widget = getWidget (rowName);

        if (widget == nullptr)
            continue;

        widget->setVisible (true);
        visibleWidgets.add (widget);

        auto& label = getRowLabel (rowName);
        label.setVisible (true);
        rowLabels.add (&label);
    }

    resized();
}

void QControlView::paint (juce::Graphics&) {}

void QControlView::resized()
{
    titleLabel.setBounds (97, 4, 150, rowHeight);

    auto y = titleLabel.getBottom() + 8;

    for (int i = 0; i < visibleWidgets.size(); ++i)
    {
        rowLabels[i]->setBounds (0, y, 100, rowHeight);
        visibleWidgets[i]->setBounds (105, y, 80, rowHeight);
        y += rowHeight + rowGap;
    }
}

void QControlView::mouseDown (const juce::MouseEvent& event)
{
    if (event.eventComponent != &titleLabel || ! event.mods.isPopupMenu())
        return;

    if (auto* host = findParentComponentOfClass<TitleMenuHost>())
        host->showTitleMenu (getName());
}

void QControlView::comboBoxChanged (juce::ComboBox* list)
{
    const auto index = list->getSelectedId() - 1;

    // Without a selection there is no mode to show: keep the rows as they are.
    if (! juce::isPositiveAndBelow (index, list->getNumItems()))
        return;

    const auto previouslyVisible = visibleWidgets;
    showMode (list->getItemText (index));
    reportValuesHiddenWidgetsCouldNotShow (previouslyVisible);

    // A preset applied to a hidden section changes modes too; only a list on screen can take the focus.
    if (list->isShowing())
        list->grabKeyboardFocus();
}

// Several rows can share a byte; a row coming into view may hold a value its byte could not
// give it while it was hidden (SharedByteRules).
void QControlView::reportValuesHiddenWidgetsCouldNotShow (const juce::Array<juce::Component*>& previouslyVisible)
{
    std::vector<SharedByteRules::Row> comingIntoView, shownBefore;

    for (auto* widget : visibleWidgets)
        if (const auto* row = findRow (widget); row != nullptr && ! previouslyVisible.contains (widget))
            comingIntoView.push_back ({ row->value, row->byteOffset });

    for (auto* widget : previouslyVisible)
        if (const auto* row = findRow (widget))
            shownBefore.push_back ({ row->value, row->byteOffset });

    SharedByteRules::reportRowsComingIntoView (comingIntoView, shownBefore);
}
