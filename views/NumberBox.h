#pragma once

#include <juce_gui_basics/juce_gui_basics.h>

/**
    A text box holding one number between a minimum and a maximum, in shown units.

    The value changes only by setValue or by committing typed text (Return or focus
    loss); a committed number outside the range, or empty text, brings back the text
    of the stored value and tells nobody.
*/
class NumberBox : public juce::TextEditor,
                  public juce::TextEditor::Listener
{
public:
    /** Told when a box takes a value. */
    class Listener
    {
    public:
        /** Called after the box has stored a value. */
        virtual void numberBoxValueChanged (NumberBox* box) = 0;

        virtual ~Listener() = default;
    };

    NumberBox();
    ~NumberBox() override;

    /** Stores the value when it lies within the range and shows it; tells the listeners when notify is set.
        A value outside the range only restores the text of the stored value.
    */
    void setValue (double newValue, bool notify);

    /** The stored value. */
    double getValue() const noexcept                 { return value; }

    /** Stores the minimum; a negative minimum lets the user type a sign. */
    void setMinimum (double newMinimum);

    /** Stores the maximum. */
    void setMaximum (double newMaximum);

    double getMinimum() const noexcept               { return minimum; }
    double getMaximum() const noexcept               { return maximum; }

    /** Adds a listener unless it is null or already registered. */
    void addListener (Listener* listener);

    /** Fills the box white; the text is drawn over it as usual. */
    void paint (juce::Graphics& g) override;

    //==============================================================================
    /** @internal */
    void textEditorTextChanged (juce::TextEditor&) override;
    /** @internal */
    void textEditorReturnKeyPressed (juce::TextEditor&) override;
    /** @internal */
    void textEditorEscapeKeyPressed (juce::TextEditor&) override;
    /** @internal */
    void textEditorFocusLost (juce::TextEditor&) override;

private:
    void showStoredValue();
    void commit();

    juce::Array<Listener*> listeners;
    double minimum = 0.0, maximum = 0.0, value = 0.0;

    JUCE_DECLARE_NON_COPYABLE_WITH_LEAK_DETECTOR (NumberBox)
};
