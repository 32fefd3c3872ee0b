#pragma once

#include "preset/ParameterValue.h"

#include <juce_gui_basics/juce_gui_basics.h>
#include <ostream>
#include <vector>

namespace juce
{
/** Lets test failures print string lists readably. */
inline void PrintTo (const StringArray& strings, std::ostream* os)
{
    *os << "{ \"" << strings.joinIntoString ("\", \"") << "\" }";
}
} // namespace juce

/** Records every report of the widgets it listens to, in order. */
class RecordingValueListener : public ParameterValue::Listener
{
public:
    struct Report
    {
        juce::String key;
        double rawValue;
    };

    void parameterValueChanged (ParameterValue* value) override
    {
        reports.add ({ value->getName(), value->getValue() });
    }

    /** The reports made by one key. */
    std::vector<double> valuesReportedBy (const juce::String& key) const
    {
        std::vector<double> values;

        for (const auto& report : reports)
            if (report.key == key)
                values.push_back (report.rawValue);

        return values;
    }

    juce::Array<Report> reports;
};

/** Counts button clicks by button name. */
class RecordingButtonListener : public juce::Button::Listener
{
public:
    void buttonClicked (juce::Button* button) override { clicked.add (button->getName()); }

    juce::StringArray clicked;
};

/** One notch of the mouse wheel over `target`, up for a positive `deltaY`. */
inline void wheel (juce::Component& target, float deltaY)
{
    juce::MouseWheelDetails details {};
    details.deltaY = deltaY;
    target.mouseWheelMove (juce::MouseEvent (juce::Desktop::getInstance().getMainMouseSource(), {}, {}, 0.0f, 0.0f, 0.0f,
                                             0.0f, 0.0f, &target, &target, {}, {}, {}, 1, false),
                           details);
}

/** Depth-first search for a component by name. */
inline juce::Component* findComponentNamed (juce::Component& root, const juce::String& name)
{
    if (root.getName() == name)
        return &root;

    for (auto* child : root.getChildren())
        if (auto* found = findComponentNamed (*child, name))
            return found;

    return nullptr;
}

/** Every component below root that is a parameter widget, in tree order. */
inline void collectParameterValues (juce::Component& root, juce::Array<ParameterValue*>& values)
{
    if (auto* value = dynamic_cast<ParameterValue*> (&root))
        values.add (value);

    for (auto* child : root.getChildren())
        collectParameterValues (*child, values);
}

/** Draws a component (and its children) into an ARGB image of its size. */
inline juce::Image renderComponent (juce::Component& component)
{
    juce::Image image (juce::Image::ARGB, component.getWidth(), component.getHeight(), true);
    juce::Graphics g (image);
    component.paintEntireComponent (g, true);
    return image;
}

/** Position of a component relative to an ancestor. */
inline juce::Point<int> positionIn (const juce::Component& ancestor, const juce::Component& component)
{
    return ancestor.getLocalPoint (&component, juce::Point<int>());
}

/** Lets posted messages (text-change notifications, command messages) arrive. */
inline void dispatchPendingMessages()
{
    juce::MessageManager::getInstance()->runDispatchLoopUntil (20);
}

/** Types text into a text editor as the keyboard would (the editor's input filter applies).
    The notifications of earlier setText calls arrive first, as they would between key strokes.
*/
inline void typeInto (juce::TextEditor& editor, const juce::String& text)
{
    dispatchPendingMessages();
    editor.selectAll();
    editor.insertTextAtCaret (text);
}

/** Presses Return in a text editor and lets the editor's posted command message arrive. */
inline void pressReturn (juce::TextEditor& editor)
{
    editor.keyPressed (juce::KeyPress (juce::KeyPress::returnKey));
    dispatchPendingMessages();
}
