#pragma once

#include "RefusalHint.h"

#include <juce_gui_basics/juce_gui_basics.h>

/**
    A text box holding one number between a minimum and a maximum, in shown units.

    The value changes by setValue, by committing typed text (Return or focus loss),
    or by stepping: Up/Down by 1, Page Up/Page Down by 10, or the mouse wheel, each
    within the range. A committed number outside the range, or empty text, brings back
    the text of the stored value and tells nobody; the box then says why in a passing
    hint and in its tooltip, which otherwise shows the range. Escape puts back the
    stored value. A box for a note shows the note's name beside the number and takes
    names ("C#3", "Db3") as well as numbers.
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
    double getValue() const noexcept { return value; }

    /** Stores the minimum; a negative minimum lets the user type a sign. */
    void setMinimum (double newMinimum);

    /** Stores the maximum. */
    void setMaximum (double newMaximum);

    double getMinimum() const noexcept { return minimum; }
    double getMaximum() const noexcept { return maximum; }

    /** Shows the name of the note beside the number (60 is C3) and accepts names as well as numbers. */
    void setShowsNoteNames (bool shouldShowNames);

    /** Adds a line below the tooltip's range or refusal, asked for each time the tooltip shows;
        an empty function or text adds nothing.
    */
    void setTooltipNote (std::function<juce::String()> noteToAdd);

    /** The range or the last refusal, and the note's line below it. */
    juce::String getTooltip() override;

    /** Adds a listener unless it is null or already registered. */
    void addListener (Listener* listener);

    /** True while the text shows something other than the stored value, i.e. typing not yet committed. */
    bool hasPendingEntry() const;

    /** Commits typed text that has not been committed yet, as Return would; nothing otherwise. */
    void commitPendingEntry();

    /** Commits the pending entry of every number box inside root, so that a command acting on the
        preset sees what the screen shows.
    */
    static void commitPendingEntries (juce::Component& root);

    /** Changes the value by `steps` (negative: down), kept within the range, and reports it as a typed value. */
    void step (double steps);

    /** The range as shown to the user: "1-16", "-12 to 12". */
    juce::String getRangeText() const;

    /** The passing hint shown after a refused entry (in the box's row), or null before the first;
        it hides itself after a few seconds, or when the box is hidden.
    */
    juce::Component* getRefusalHint() const noexcept { return refusalHint != nullptr ? &refusalHint->getLabel() : nullptr; }

    /** Fills the box white; the text is drawn over it as usual. */
    void paint (juce::Graphics& g) override;

    /** Up/Down and Page Up/Page Down step the value; Ctrl with a digit is left to the window. */
    bool keyPressed (const juce::KeyPress& key) override;

    /** One step per notch, up or down. */
    void mouseWheelMove (const juce::MouseEvent& event, const juce::MouseWheelDetails& wheel) override;

    //==============================================================================
    /** @internal */
    void textEditorTextChanged (juce::TextEditor&) override;
    /** @internal */
    void textEditorReturnKeyPressed (juce::TextEditor&) override;
    /** @internal */
    void textEditorEscapeKeyPressed (juce::TextEditor&) override;
    /** @internal */
    void textEditorFocusLost (juce::TextEditor&) override;

    static constexpr double pageStep = 10.0;

private:
    void showStoredValue();
    void commit();
    void showRange();
    void explainRefusal (const juce::String& why);
    std::optional<double> readTypedText (const juce::String& text) const;
    void paintNoteName (juce::Graphics& g);
    void chooseAllowedCharacters();
    void showRefusalHint (const juce::String& reason);
    void explainTyping();

    class CharacterFilter;
    std::unique_ptr<CharacterFilter> characterFilter;

    juce::ListenerList<Listener> listeners;
    double minimum = 0.0, maximum = 0.0, value = 0.0;
    bool showsNoteNames = false;
    std::function<juce::String()> tooltipNote;
    std::unique_ptr<RefusalHint> refusalHint; // made with the first refusal

    JUCE_DECLARE_NON_COPYABLE_WITH_LEAK_DETECTOR (NumberBox)
};
