#include "Dialogs.h"
#include "preset/Alert.h"
#include "preset/EditorTexts.h"

#include <atomic>

namespace
{
/** Once a modal dialog closes, the window that was in front takes the focus back at once, on
    the widget that had it. Left to the window manager, the hand-over takes a moment in which
    keys are lost (an F10 that never opens the menu bar), and it ends on the section's first
    widget, a Mode list, which the arrow keys meant for the menus would change.
*/
class FocusReturn
{
public:
    FocusReturn()
        : focused (juce::Component::getCurrentlyFocusedComponent()),
          window (focused != nullptr ? focused->getTopLevelComponent() : nullptr)
    {
    }

    ~FocusReturn()
    {
        if (window == nullptr || ! window->isShowing())
            return;

        window->toFront (true);

        if (focused != nullptr && focused->isShowing())
            focused->grabKeyboardFocus();
    }

private:
    juce::Component::SafePointer<juce::Component> focused, window;

    JUCE_DECLARE_NON_COPYABLE (FocusReturn)
};

/** The platform's own message boxes and file choosers. */
class SystemDialogs final : public Dialogs
{
public:
    Answer askYesNoCancel (const juce::String& title, const juce::String& message) override
    {
        const FocusReturn focusReturn;

        // Empty button texts give the framework's "Yes", "No" and "Cancel".
        switch (juce::AlertWindow::showYesNoCancelBox (juce::MessageBoxIconType::NoIcon, title, message,
                                                       {}, {}, {}, nullptr, nullptr))
        {
            case 1: return Answer::yes;
            case 2: return Answer::no;
            default: return Answer::cancel;
        }
    }

    bool askYesNo (const juce::String& title, const juce::String& message) override
    {
        const FocusReturn focusReturn;
        return juce::AlertWindow::showOkCancelBox (juce::MessageBoxIconType::NoIcon, title, message,
                                                   "Yes", "No", nullptr, nullptr);
    }

    juce::File chooseFileToOpen (const juce::String& title, const juce::File& startLocation) override
    {
        // A command that arrives while a chooser is open (the native one leaves the editor's
        // windows live) finds it busy and does nothing, rather than opening a second one.
        if (chooserOpen)
            return {};

        const FocusReturn focusReturn;
        const juce::ScopedValueSetter<bool> open (chooserOpen, true);
        juce::FileChooser chooser (title, startLocation, presetFilePattern, true);
        focusNameFieldOfBuiltInChooser();
        return chooser.browseForFileToOpen() ? chooser.getResult() : juce::File();
    }

    juce::File chooseFileToSave (const juce::String& title, const juce::File& startLocation) override
    {
        if (chooserOpen)
            return {};

        const FocusReturn focusReturn;
        const juce::ScopedValueSetter<bool> open (chooserOpen, true);
        juce::FileChooser chooser (title, startLocation, presetFilePattern, true);
        focusNameFieldOfBuiltInChooser();

        if (! chooser.browseForFileToSave (true))
            return {};

        const auto chosen = chooser.getResult();
        const auto file = withPresetExtension (chosen);

        // The chooser warned about the name as typed, not about the one with the extension.
        if (file != chosen && file.exists()
            && ! juce::AlertWindow::showOkCancelBox (juce::MessageBoxIconType::WarningIcon, title,
                                                     file.getFileName().quoted() + EditorTexts::replaceQuestion,
                                                     EditorTexts::replaceButton, "Cancel", nullptr, nullptr))
            return {};

        return file;
    }

    void showNativeDialog (const juce::String& title, const juce::String& message) override
    {
        const FocusReturn focusReturn;
        juce::NativeMessageBox::showMessageBox (juce::MessageBoxIconType::NoIcon, title, message);
    }

private:
    bool chooserOpen = false;

    /** Without a desktop chooser the framework shows its own, whose keyboard focus starts
        nowhere: once its window has the focus, the focus goes to its file name field, so that
        typing a name works at once.
    */
    static void focusNameFieldOfBuiltInChooser()
    {
        if (! juce::FileChooser::isPlatformDialogAvailable())
        {
            chooserClicks().clicked = false;
            focusNameFieldUntilClicked (maxFocusAttempts);
        }
    }

    // The window system gives a new window the focus a moment after showing it, and the chooser
    // may move it once more while its folder loads: for a few seconds, until the user clicks in
    // it, the focus is kept in the name field.
    static constexpr int maxFocusAttempts = 60;
    static constexpr int focusAttemptIntervalMs = 50;

    static void focusNameFieldUntilClicked (int attemptsLeft)
    {
        juce::Timer::callAfterDelay (focusAttemptIntervalMs, [attemptsLeft] {
            auto* chooser = juce::ModalComponentManager::getInstance()->getModalComponent (0);
            auto* nameField = chooser != nullptr ? findNameField (*chooser) : nullptr;

            if (nameField == nullptr)
                return;

            nameField->addKeyListener (&escapeCancelsChooser());
            chooser->addMouseListener (&chooserClicks(), true);

            if (chooserClicks().clicked)
                return;

            if (auto* peer = chooser->getPeer(); peer != nullptr && peer->isFocused() && ! nameField->hasKeyboardFocus (false))
                nameField->grabKeyboardFocus();

            if (attemptsLeft > 0)
                focusNameFieldUntilClicked (attemptsLeft - 1);
        });
    }

    /** Notes a click anywhere in the open chooser: from then on the user places the focus. */
    struct ChooserClicks final : public juce::MouseListener
    {
        void mouseDown (const juce::MouseEvent&) override { clicked = true; }
        bool clicked = false;
    };

    static ChooserClicks& chooserClicks()
    {
        static ChooserClicks listener;
        return listener;
    }

    /** The name field would keep Escape to itself; in the chooser Escape means Cancel, as it
        does before the field has the focus.
    */
    struct EscapeCancelsChooser final : public juce::KeyListener
    {
        bool keyPressed (const juce::KeyPress& key, juce::Component* origin) override
        {
            if (key != juce::KeyPress::escapeKey || origin == nullptr)
                return false;

            if (auto* chooser = juce::ModalComponentManager::getInstance()->getModalComponent (0))
                if (chooser->isParentOf (origin))
                    chooser->exitModalState (0);

            return true;
        }
    };

    static juce::KeyListener& escapeCancelsChooser()
    {
        static EscapeCancelsChooser listener;
        return listener;
    }

    static juce::TextEditor* findNameField (juce::Component& parent)
    {
        for (auto* child : parent.getChildren())
        {
            if (auto* browser = dynamic_cast<juce::FileBrowserComponent*> (child))
            {
                for (auto* part : browser->getChildren())
                    if (auto* field = dynamic_cast<juce::TextEditor*> (part))
                        return field;
            }
            else if (auto* field = findNameField (*child))
            {
                return field;
            }
        }

        return nullptr;
    }
};

std::atomic<Dialogs*> replacementDialogs { nullptr };
} // namespace

void Dialogs::showAlertsAsMessageBoxes()
{
    Alert::setDefaultPresenter ([] (const juce::String& title, const juce::String& message) {
        const auto showBox = [title, message] {
            juce::AlertWindow::showMessageBoxAsync (juce::MessageBoxIconType::NoIcon, title, message, "OK");
        };

        if (juce::MessageManager::getInstance()->isThisTheMessageThread())
            showBox();
        else
            juce::MessageManager::callAsync (showBox);
    });
}

Dialogs& Dialogs::get()
{
    static SystemDialogs systemDialogs;

    if (auto* replacement = replacementDialogs.load())
        return *replacement;

    return systemDialogs;
}

void Dialogs::setReplacement (Dialogs* replacement)
{
    replacementDialogs = replacement;
}

juce::File Dialogs::withPresetExtension (const juce::File& file)
{
    if (file == juce::File() || file.getFileName().endsWithIgnoreCase (".q7x"))
        return file;

    // Not File::withFileExtension, which would replace the part after a dot in the name.
    return file.getSiblingFile (file.getFileName() + ".q7x");
}

juce::File Dialogs::proposedSaveLocation (const juce::File& folder, const juce::String& documentName)
{
    const auto name = juce::File::createLegalFileName (documentName.trim());

    if (! folder.isDirectory() || name.isEmpty())
        return folder;

    return withPresetExtension (folder.getChildFile (name));
}
