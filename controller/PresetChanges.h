#pragma once

#include <juce_core/juce_core.h>
#include <functional>

/**
    Tells who follows a document's preset (its undo history, the focus keeper) how the
    preset changes: each value the user edits, and each whole preset from a file or the
    hardware that replaces it. The controller announces; listeners register here.
*/
class PresetChanges
{
public:
    class Listener
    {
    public:
        virtual ~Listener() = default;

        /** A widget not being given a preset reported a value: the user edited `key`. */
        virtual void presetEdited (const juce::String& key) = 0;

        /** A preset from a file or the hardware passed its checks and is about to be applied. */
        virtual void presetAboutToBeReplaced() = 0;

        /** That preset is in place; `stepName` says where it came from ("Get Preset"). */
        virtual void presetReplaced (const juce::String& stepName) = 0;
    };

    /** Registers a listener (not owned; it must unregister before it goes). */
    void addListener (Listener* listener);
    void removeListener (Listener* listener);

    /** Tells the listeners that the user edited `key`. */
    void edited (const juce::String& key);

    /** Tells the listeners around a whole preset that `apply` puts in place, as one step
        named `stepName`.
    */
    void replace (const juce::String& stepName, const std::function<void()>& apply);

private:
    template <typename Callback>
    void tellListeners (Callback&& callback)
    {
        for (auto* listener : listeners)
            callback (*listener);
    }

    juce::Array<Listener*> listeners; // none adds or removes one while being told
};
