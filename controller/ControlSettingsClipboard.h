#pragma once

#include "preset/PresetLayout.h"

/**
    Copies the settings of one knob, switch or pad (its Mode and every byte of its block)
    and pastes them over another control of the same kind, or over all of them. A paste to
    all pads may count the Note or CC number up by one per pad from the copied pad's.

    It works on preset images only; the caller applies the result as one undo step.
*/
class ControlSettingsClipboard
{
public:
    using Image = juce::Array<juce::uint8>;
    using ControlId = PresetLayout::ControlId;

    /** The result of a paste: the new image, or why it was refused. */
    struct Paste
    {
        Image image;
        juce::String stepName; /**< "Paste to Knob 3", "Paste to All Pads" */
        juce::String refusal;  /**< empty when the paste can be applied */
    };

    /** The knob, switch or pad a panel name ("Pad 3") names; nothing for other controls. */
    static std::optional<ControlId> findCopyableControl (const juce::String& name);

    /** Keeps the control's bytes from `image`. */
    void copy (const Image& image, ControlId control);

    /** The control copied last, if any. */
    std::optional<ControlId> getSource() const noexcept { return source; }

    /** True when settings are held and the target is of their kind. */
    bool canPasteTo (std::optional<ControlId> target) const noexcept;

    /** True when the copied control is a pad whose Mode uses a Note or CC number. */
    bool canCountUp() const;

    /** "Paste to All Knobs", "Paste to All Switches" or "Paste to All Pads". */
    static juce::String getPasteToAllName (PresetLayout::ControlKind kind);

    /** Pasting to all pads counting the Note or CC number up. */
    static constexpr const char* countUpName = "Paste to All Pads, Counting Up";

    /** The copied settings over one control. */
    Paste pasteTo (const Image& image, ControlId target) const;

    /** The copied settings over every control of their kind; with `countUp`, pad n gets the
        copied Note or CC number plus n minus the copied pad's number.
    */
    Paste pasteToAll (const Image& image, bool countUp) const;

private:
    std::optional<int> findCountedParameter() const;
    void pasteInto (Image& image, ControlId target, int increment, Paste& result) const;
    static void checkWhole (Paste& result);

    std::optional<ControlId> source;
    Image bytes;
};
