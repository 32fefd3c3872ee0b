#pragma once

#include "app/about/AboutWindow.h"
#include "EditorDocument.h"
#include "app/devicesetup/DeviceManagerWindow.h"
#include "views/MidiMonitorWindow.h"

#include <functional>

/**
    Owns the document windows and sees the About and Device Setup dialogs, of which
    there is at most one each. It keeps to five documents, numbers them
    "Untitled 1", "Untitled 2" ... (never reusing a number), cascades their windows,
    and asks whether to save before a document closes.
*/
class WindowManager : public WindowCloseListener
{
public:
    /** The MIDI manager and the command manager are not owned; `lastFolder` is the start
        folder shared by every file chooser. All three must outlive the window manager.
    */
    WindowManager (MidiManager* midiManager, juce::ApplicationCommandManager* commandManager,
                   juce::File& lastFolder);

    /** Closes the dialogs and every remaining document without asking. */
    ~WindowManager() override;

    /** Opens an empty document, or shows the document-limit alert. */
    void newDocument();

    /** Brings the window holding `file` to the front, or loads it into a new document. */
    void openFileInNewDocument (const juce::File& file);

    /** Opens a file handed over by the system or a second launch. Without any document
        (as at start-up) it goes into a new first document; otherwise it is opened like
        the Open command's file, so the preset being edited is never replaced.
    */
    void openFileInActiveDocument (const juce::File& file);

    /** Asks about and closes the active document; nothing without one. */
    void closeActiveDocument();

    /** Asks about and closes every document, newest first; false when one stayed open. */
    bool closeAllDocuments();

    void minimiseActiveDocument();
    void bringAllToFront();
    void showDeviceSetup();
    void showAbout();

    /** Opens the MIDI monitor, or brings the one open to the front. */
    void showMidiMonitor();

    /** True while fewer than five documents are open. */
    bool canOpenAnotherDocument() const;

    /** Asks whether to save `document`, saves it if so, and closes it; false when it stays open. */
    bool askToSaveAndClose (EditorDocument* document);

    /** A new numbered document, not yet on the desktop; null (with the alert) at the limit. */
    EditorDocument* createNewDocument();

    /** Places the document's window in the cascade and brings it to the front. */
    void showDocument (EditorDocument* document);

    /** Shows `model` as the menu bar of every document window, where there is no global menu bar. */
    void setMenuBarModel (juce::MenuBarModel* model);

    /** Called after the user closed the last document (not during closeAllDocuments). */
    std::function<void()> onLastDocumentClosed;

    int getNumDocuments() const noexcept { return documents.size(); }
    EditorDocument* getDocument (int index) const noexcept { return documents[index]; }

    /** The oldest document whose window is the active window, or null. */
    EditorDocument* getActiveDocument() const;

    DeviceManagerWindow* getDeviceSetupWindow() const { return deviceSetupWindow.get(); }
    AboutWindow* getAboutWindow() const { return aboutWindow.get(); }
    MidiMonitorWindow* getMidiMonitorWindow() const { return midiMonitorWindow.get(); }

    static constexpr int maxDocuments = 5;

    /** @internal */
    void windowCloseRequested (juce::TopLevelWindow* window) override;

private:
    juce::File& lastFolder;
    int documentCounter = 0;
    juce::WeakReference<DeviceManagerWindow> deviceSetupWindow;
    juce::WeakReference<AboutWindow> aboutWindow;
    juce::WeakReference<MidiMonitorWindow> midiMonitorWindow;
    juce::OwnedArray<EditorDocument> documents;
    MidiManager* midiManager;
    juce::ApplicationCommandManager* commandManager;
    juce::MenuBarModel* menuBarModel = nullptr;
    juce::Array<EditorDocument*> documentsBeingAsked;
    bool closingAll = false;

    void destroyDocument (EditorDocument* document);
    void keepAboveActiveDocument (juce::Component& dialog);
    EditorDocument* getActiveOrFrontmostDocument() const;
    juce::StringArray nameSenders (const juce::MidiMessage& message) const;

    JUCE_DECLARE_NON_COPYABLE_WITH_LEAK_DETECTOR (WindowManager)
};
