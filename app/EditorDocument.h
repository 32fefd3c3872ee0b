#pragma once

#include "DrawingBufferKeeper.h"
#include "EditCommands.h"
#include "FileOnDiskCheck.h"
#include "FocusKeeper.h"
#include "HoverTooltips.h"
#include "WindowCloseListener.h"
#include "controller/PresetController.h"
#include "views/QControlView.h"

class EditorComponent;

/**
    One document window, editing one preset. It owns the preset controller and the
    editor component that shows it, answers the commands that act on one preset,
    runs the choosers for opening a file into itself and for saving, and shows its
    name in the title. Closing is decided by its WindowCloseListener. Its Edit menu, and
    the menu of a control panel's title, are answered by its EditCommands.

    Every command that acts on the preset first commits a number still being typed, so
    that what is saved, sent or kept is what the window shows. From the keyboard, F10
    (or Alt pressed and released alone) opens the menu bar; the editor's own keys
    (sections, Tab) work wherever the focus is in the window.
*/
class EditorDocument : public juce::DocumentWindow,
                       public juce::ApplicationCommandTarget,
                       public juce::ActionListener,
                       public QControlView::TitleMenuHost,
                       private EditHistory::DocumentPlace,
                       private juce::FocusChangeListener
{
public:
    /** Takes over the content and the controller, and starts from the built-in default preset.
        `lastFolder` is the start folder shared by every file chooser; it must outlive the document.
    */
    EditorDocument (EditorComponent* content, PresetController* controller,
                    const juce::String& name, juce::File& lastFolder);

    /** Destroys the editor component before the preset controller. */
    ~EditorDocument() override;

    /** Registers a listener for close requests; null and repeated listeners are ignored. */
    void addWindowCloseListener (WindowCloseListener* listener);

    /** Loads a preset file into this document; false, with the controller's alert, when refused.
        A file that does not exist is ignored without a message.
    */
    bool loadFile (const juce::File& file);

    /** Lets the user choose a preset file and loads it into this document; false when cancelled. */
    bool openPresetFile();

    /** Writes the preset to the document's file, or asks for one; false when nothing was written. */
    bool save();

    /** Asks for a file and writes the preset to it; false when cancelled or the write failed. */
    bool saveAs();

    /** The file the preset was last loaded from or saved to; empty before that. */
    const juce::File& getFile() const noexcept { return documentFile; }

    /** "Untitled n", or the file's name without extension once the document has a file. */
    const juce::String& getDocumentName() const noexcept { return documentName; }

    /** The document's controller, with every section of the editor bound to it. */
    PresetController& getPresetController();

    /** Shows `model` as the window's own menu bar, keeping the editor's size. */
    void showMenuBar (juce::MenuBarModel* model);

    /** Commits a number still being typed in the editor, as Return would, after making any
        section not made yet, so that the preset is the whole of what the window holds.
    */
    void commitPendingEntries();

    /** Opens the first menu of the window's menu bar; false without a menu bar. */
    bool openMenuBar();

    /** Draws the whole window, menu bar included, at `scale` times its size (at most 1), so
        that it fits a screen smaller than its layout; the layout keeps its coordinates.
    */
    void setDrawingScale (float scale);

    float getDrawingScale() const noexcept { return drawingScale; }

    /** The document's undo history. */
    EditHistory& getEditHistory() { return editCommands->getHistory(); }

    /** How much the editor is drawn smaller than its layout inside a window that was given a
        size other than its own (by a tiling window manager, say): 1 normally.
    */
    float getContentFit() const noexcept { return contentFit; }

    /** The start of every document title. */
    static const char* const titlePrefix;

    //==============================================================================
    /** @internal */
    bool keyPressed (const juce::KeyPress& key) override;
    /** @internal */
    void modifierKeysChanged (const juce::ModifierKeys& modifiers) override;
    /** @internal */
    void closeButtonPressed() override;
    /** @internal */
    void activeWindowStatusChanged() override;
    /** @internal */
    void resized() override;
    /** @internal */
    void moved() override;
    /** @internal */
    void childBoundsChanged (juce::Component* child) override;
    /** @internal */
    void addToDesktop (int windowStyleFlags, void* nativeWindowToAttachTo = nullptr) override;
    using juce::DocumentWindow::addToDesktop;
    /** @internal */
    float getDesktopScaleFactor() const override;
    /** @internal */
    void actionListenerCallback (const juce::String& message) override;
    /** @internal */
    void showTitleMenu (const juce::String& controlName) override;
    /** @internal */
    juce::ApplicationCommandTarget* getNextCommandTarget() override;
    /** @internal */
    bool perform (const juce::ApplicationCommandTarget::InvocationInfo& info) override;
    /** @internal */
    void getCommandInfo (juce::CommandID commandID, juce::ApplicationCommandInfo& result) override;
    /** @internal */
    void getAllCommands (juce::Array<juce::CommandID>& commands) override;

private:
    juce::File& lastFolder;
    juce::String documentName;
    juce::File documentFile;
    FileOnDiskCheck filesOnDisk;
    float drawingScale = 1.0f;
    juce::Point<int> layoutSize;
    float contentFit = 1.0f;
    bool fittingContent = false;
    juce::ListenerList<WindowCloseListener> windowCloseListeners;
    std::unique_ptr<PresetController> presetController;
    std::unique_ptr<EditCommands> editCommands; // follows the controller, so it goes first
    std::unique_ptr<FocusKeeper> focusKeeper;   // the same
    HoverTooltips tooltips { *this };
    bool altPressedAlone = false;
    juce::Component::SafePointer<juce::Component> lastFocus;
    DrawingBufferKeeper drawingBufferKeeper { *this };

    EditorComponent* getEditor() const;
    void buildPendingSections();
    void updateTitle();
    bool writeTo (const juce::File& file);
    PresetHistory::Place getPlace() const override;
    void moveTo (const PresetHistory::Place& place) override;
    void fitContentToWindow();
    void pinWindowSize();
    void globalFocusChanged (juce::Component* focused) override;

    JUCE_DECLARE_NON_COPYABLE_WITH_LEAK_DETECTOR (EditorDocument)
};

/** Builds a document with its own preset controller and editor component. */
EditorDocument* createEditorDocument (MidiManager* midiManager, const juce::String& name, juce::File& lastFolder);
