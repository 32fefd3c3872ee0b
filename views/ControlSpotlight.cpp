#include "ControlSpotlight.h"
#include "NumberBox.h"
#include "QControlLayoutView.h"
#include "QControlView.h"

namespace
{
bool hasPendingEntry (const juce::Component& root)
{
    for (auto* child : root.getChildren())
    {
        if (auto* box = dynamic_cast<NumberBox*> (child); box != nullptr && box->hasPendingEntry())
            return true;

        if (hasPendingEntry (*child))
            return true;
    }

    return false;
}

/** The editor's widget holding the keyboard focus, or null. */
juce::Component* getFocusedWidget (const EditorComponent& editor)
{
    auto* focused = juce::Component::getCurrentlyFocusedComponent();
    return focused != nullptr && editor.isParentOf (focused) ? focused : nullptr;
}

bool isWidget (const juce::Component* component)
{
    return dynamic_cast<const juce::TextEditor*> (component) != nullptr
        || dynamic_cast<const juce::ComboBox*> (component) != nullptr;
}
} // namespace

ControlSpotlight::~ControlSpotlight()
{
    // Each light leaves its panel as it goes.
    lights.clear();
}

juce::Component* ControlSpotlight::findPanel (const EditorComponent& editor, const juce::String& controlName)
{
    for (auto* view : editor.getSectionViews())
        if (auto* layout = dynamic_cast<QControlLayoutView*> (view))
            for (auto* panel : layout->getControlViews())
                if (panel->getName() == controlName)
                    return panel;

    return nullptr;
}

bool ControlSpotlight::mayChangeSection (const EditorComponent& editor, const juce::String& controlName)
{
    const auto* focused = getFocusedWidget (editor);

    if (dynamic_cast<const NumberBox*> (focused) != nullptr || hasPendingEntry (editor))
        return false;

    return controlName != "Keybed" || ! isWidget (focused);
}

void ControlSpotlight::show (EditorComponent& editor, const juce::StringArray& controlNames)
{
    if (controlNames.isEmpty())
        return;

    // Made on first use, with the preset: a window only looked at so far has only Main.
    editor.buildPendingSections();

    if (auto* first = findPanel (editor, controlNames[0]); first != nullptr && mayChangeSection (editor, controlNames[0]))
        bringForward (editor, *first);

    for (const auto& name : controlNames)
        if (auto* panel = findPanel (editor, name))
            light (*panel);
}

void ControlSpotlight::bringForward (EditorComponent& editor, juce::Component& panel)
{
    auto* layout = panel.findParentComponentOfClass<QControlLayoutView>();

    if (layout == nullptr)
        return;

    if (! layout->isVisible())
        for (auto* tab : editor.getTabSelector().getButtons())
            if (editor.getViewForButton (tab) == layout)
                editor.buttonClicked (tab);

    auto& banks = layout->getBankView();
    const auto bank = layout->getControlViews().indexOf (&panel) / QControlLayoutView::panelsPerBank;

    if (banks.getCurrentBank() != bank)
        banks.showBank (bank);
}

TitleLight* ControlSpotlight::getLight (const juce::Component& panel) const
{
    for (auto* light : lights)
        if (light->getPanel() == &panel)
            return light;

    return nullptr;
}

void ControlSpotlight::light (juce::Component& panel)
{
    // Lights of panels that have gone (their window closed) go too.
    for (int i = lights.size(); --i >= 0;)
        if (lights[i]->getPanel() == nullptr)
            lights.remove (i);

    auto* titleLight = getLight (panel);

    if (titleLight == nullptr)
    {
        const auto* view = dynamic_cast<QControlView*> (&panel);

        if (view == nullptr)
            return;

        const auto& title = view->getTitleLabel();
        const auto textWidth = juce::roundToInt (title.getFont().getStringWidthFloat (title.getText()));
        const auto text = title.getBounds().withTrimmedLeft (title.getBorderSize().getLeft()).withWidth (textWidth);
        titleLight = lights.add (new TitleLight (panel, text));
    }

    titleLight->light();
}
