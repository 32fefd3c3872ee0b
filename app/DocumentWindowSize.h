#pragma once

#include <juce_gui_basics/juce_gui_basics.h>

/**
    The size of a document window, whose editor has one fixed layout. The window is pinned at
    the layout's size for the window manager (so that it offers neither resizing nor maximising),
    drawn smaller as a whole on a screen too small for it (the drawing scale), and the editor is
    scaled into any other size a window manager forces on the window (the content fit); the
    layout inside keeps its coordinates throughout.

    The window calls in from its own overrides, as their comments in EditorDocument say.
*/
class DocumentWindowSize
{
public:
    explicit DocumentWindowSize (juce::DocumentWindow& window);

    /** The editor's own size, taken from the window's content once it has one. */
    void setLayoutSize (juce::Point<int> size);

    /** Draws the whole window, menu bar included, at `scale` times its size (kept between 0.1
        and 1), so that it fits a screen smaller than its layout.
    */
    void setDrawingScale (float scale);

    float getDrawingScale() const noexcept { return drawingScale; }

    /** How much the editor is drawn smaller than its layout inside a window that was given a
        size other than its own (by a tiling window manager, say): 1 normally.
    */
    float getContentFit() const noexcept { return contentFit; }

    /** Before the window lays out its content: the framework lays it out untransformed. */
    void beforeLayout();

    /** After the window laid out its content: the editor is fitted into the window's area. */
    void afterLayout();

    /** True while the content's bounds are being set from here, which the window must not
        take for a content asking for another size.
    */
    bool isFittingContent() const noexcept { return fittingContent; }

    /** Tells the window manager the window's size again: it forgets it when the window is
        mapped, moved or re-scaled.
    */
    void pin();

private:
    juce::DocumentWindow& window;
    juce::Point<int> layoutSize;
    float drawingScale = 1.0f;
    float contentFit = 1.0f;
    bool fittingContent = false;

    void fitContentToWindow();

    JUCE_DECLARE_NON_COPYABLE (DocumentWindowSize)
};
