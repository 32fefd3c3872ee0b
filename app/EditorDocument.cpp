#include "EditorDocument.h"
#include "CommandIDs.h"
#include "Dialogs.h"
#include "app/compare/DeviceComparisonWindow.h"
#include "preset/Alert.h"
#include "preset/PresetDiff.h"
#include "views/EditorComponent.h"
#include "preset/VerbatimTexts.h"

const char* const EditorDocument::titlePrefix = JUCE_APPLICATION_NAME_STRING;

namespace
{
const char* const openTitle = VerbatimTexts::openFileTitle;
const char* const saveTitle = VerbatimTexts::saveFileTitle;
} // namespace

EditorDocument::EditorDocument (EditorComponent* content, PresetController* controller,
                                const juce::String& name, juce::File& lastFolderToShare)
    : juce::DocumentWindow ({}, juce::Colour::greyLevel (0.6f),
                            juce::DocumentWindow::minimiseButton | juce::DocumentWindow::closeButton, false),
      lastFolder (lastFolderToShare),
      documentName (name),
      presetController (controller),
      deviceRequest (std::make_unique<DevicePresetRequest> (controller->getMidiManager()))
{
    setUsingNativeTitleBar (true);
    setContentOwned (content, true);
    windowSize.setLayoutSize ({ content->getWidth(), content->getHeight() });
    setResizable (false, false);
    centreWithSize (getWidth(), getHeight());
    updateTitle();

    const auto defaults = PresetLayout::getDefaultPresetImage();
    presetController->applyPresetData (defaults);
    editCommands = std::make_unique<EditCommands> (*presetController, defaults, *this,
                                                   static_cast<EditHistory::DocumentPlace&> (*this));
    focusKeeper = std::make_unique<FocusKeeper> (*presetController);
    presetController->addActionListener (this);
    setVisible (true);
}

EditorDocument::~EditorDocument()
{
    delete comparisonWindow.getComponent();
    // The views report to the controller until they are gone.
    clearContentComponent();
    focusKeeper.reset();
    editCommands.reset();
    presetController.reset();
}

void EditorDocument::addWindowCloseListener (WindowCloseListener* listener)
{
    if (listener != nullptr)
        windowCloseListeners.add (listener);
}

void EditorDocument::showMenuBar (juce::MenuBarModel* model)
{
    const auto contentSize = getContentComponent()->getBounds().getBottomRight();
    setMenuBar (model);
    setContentComponentSize (contentSize.x, contentSize.y);
}

EditorComponent* EditorDocument::getEditor() const
{
    return dynamic_cast<EditorComponent*> (getContentComponent());
}

void EditorDocument::buildPendingSections()
{
    if (auto* editor = getEditor())
        editor->buildPendingSections();
}

PresetController& EditorDocument::getPresetController()
{
    buildPendingSections();
    return *presetController;
}

void EditorDocument::commitPendingEntries()
{
    buildPendingSections();

    if (auto* editor = getEditor())
        editor->commitPendingEntries();
}

void EditorDocument::addToDesktop (int windowStyleFlags, void* nativeWindowToAttachTo)
{
    // Window managers choose the frame's buttons when the window is mapped, from the size hints
    // it has then: the window is shown only once they are pinned.
    const auto wasVisible = isVisible();
    setVisible (false);
    juce::DocumentWindow::addToDesktop (windowStyleFlags, nativeWindowToAttachTo);
    windowSize.pin();
    setVisible (wasVisible);
}

void EditorDocument::activeWindowStatusChanged()
{
    juce::DocumentWindow::activeWindowStatusChanged();
    // The window in front keeps its drawing buffer, so that making a new one never closes a
    // menu or list the keyboard has just opened.
    drawingBufferKeeper.setKeeping (isActiveWindow());

    if (isActiveWindow())
        focusMemory.windowActivated();
}

void EditorDocument::resized()
{
    // The framework lays out its content untransformed (it asserts so); the fit follows.
    windowSize.beforeLayout();
    juce::DocumentWindow::resized();
    windowSize.afterLayout();
}

void EditorDocument::moved()
{
    juce::DocumentWindow::moved();
    // The framework rewrites the size hints whenever it moves the window.
    windowSize.pin();
}

void EditorDocument::childBoundsChanged (juce::Component* child)
{
    // The window follows its content's size, but not the size it gives the content itself.
    if (! windowSize.isFittingContent())
        juce::DocumentWindow::childBoundsChanged (child);
}

float EditorDocument::getDesktopScaleFactor() const
{
    return windowSize.getDrawingScale() * juce::DocumentWindow::getDesktopScaleFactor();
}

//==============================================================================
void EditorDocument::updateTitle()
{
    if (documentFile.existsAsFile())
        documentName = documentFile.getFileNameWithoutExtension();

    setName (juce::String (titlePrefix) + " - " + documentName);
}

bool EditorDocument::loadFile (const juce::File& file)
{
    if (presetController == nullptr || ! file.existsAsFile())
        return false;

    buildPendingSections();

    // The step that loads the file also takes the document there, and its undo takes it back.
    if (! editCommands->getHistory().openFile (file, { file, file.getFileNameWithoutExtension() }))
        return false;

    filesOnDisk.rememberContents (file);
    return true;
}

PresetHistory::Place EditorDocument::getPlace() const
{
    return { documentFile, documentName };
}

void EditorDocument::moveTo (const PresetHistory::Place& place)
{
    documentFile = place.file;
    documentName = place.name;
    updateTitle();
}

bool EditorDocument::openPresetFile()
{
    const auto file = Dialogs::get().chooseFileToOpen (openTitle, lastFolder);

    if (file == juce::File())
        return false;

    loadFile (file);

    // Also after a refused file, so that the next chooser starts where the user was.
    lastFolder = file.getParentDirectory();
    return true;
}

bool EditorDocument::save()
{
    if (documentFile.existsAsFile())
        return filesOnDisk.mayOverwrite (documentFile) && writeTo (documentFile);

    return saveAs();
}

bool EditorDocument::saveAs()
{
    const auto file = Dialogs::get().chooseFileToSave (saveTitle, Dialogs::proposedSaveLocation (lastFolder, documentName));

    if (file == juce::File())
        return false;

    lastFolder = file.getParentDirectory();
    return writeTo (file);
}

bool EditorDocument::writeTo (const juce::File& file)
{
    buildPendingSections();

    // The controller tells the user when the write fails; the document then keeps its old file.
    if (! presetController->saveToFile (file))
        return false;

    filesOnDisk.rememberImage (file, presetController->getPresetData());
    documentFile = file;
    updateTitle();
    return true;
}

//==============================================================================
void EditorDocument::closeButtonPressed()
{
    // A listener may destroy this window; the checker stops the walk then.
    const juce::Component::BailOutChecker checker (this);
    windowCloseListeners.callChecked (checker, [this] (WindowCloseListener& l) { l.windowCloseRequested (this); });
}

bool EditorDocument::keyPressed (const juce::KeyPress& key)
{
    if (menuBarKeys.isMenuKey (key))
        return menuBarKeys.openMenuBar();

    // Here when nothing inside the editor has the focus (or nothing there used the key).
    if (auto* editor = getEditor())
        if (editor->keyPressed (key))
            return true;

    return juce::DocumentWindow::keyPressed (key);
}

void EditorDocument::modifierKeysChanged (const juce::ModifierKeys& modifiers)
{
    menuBarKeys.modifierKeysChanged (modifiers);
    juce::DocumentWindow::modifierKeysChanged (modifiers);
}

void EditorDocument::actionListenerCallback (const juce::String& message)
{
    commitPendingEntries();

    if (message == "Open")
        openPresetFile();
    else if (message == "Save")
        save();
    else if (message == "Save As")
        saveAs();
}

void EditorDocument::showTitleMenu (const juce::String& controlName)
{
    commitPendingEntries();
    editCommands->showControlMenu (controlName);
}

juce::ApplicationCommandTarget* EditorDocument::getNextCommandTarget()
{
    return findFirstTargetParentComponent();
}

void EditorDocument::getAllCommands (juce::Array<juce::CommandID>& commands)
{
    commands.addArray ({ CommandIDs::save, CommandIDs::saveAs, CommandIDs::getPreset,
                         CommandIDs::sendPreset, CommandIDs::compareWithDevice, CommandIDs::closeWindow });
    commands.addArray (EditCommands::getAllCommands());
}

void EditorDocument::getCommandInfo (juce::CommandID commandID, juce::ApplicationCommandInfo& result)
{
    const auto setInfo = [&result] (const char* name, juce::juce_wchar key = 0) {
        CommandIDs::describe (result, name, key);
    };

    if (editCommands->getCommandInfo (commandID, result))
        return;

    switch (commandID)
    {
        case CommandIDs::save: setInfo ("Save", 's'); break;
        case CommandIDs::saveAs: setInfo ("Save As"); break;
        case CommandIDs::getPreset: setInfo ("Get Preset"); break;
        case CommandIDs::sendPreset: setInfo ("Send Preset"); break;
        case CommandIDs::compareWithDevice: setInfo (DeviceComparisonWindow::title); break;
        case CommandIDs::closeWindow: setInfo ("Close Window", 'w'); break;
        default: break;
    }
}

bool EditorDocument::perform (const juce::ApplicationCommandTarget::InvocationInfo& info)
{
    commitPendingEntries();

    if (editCommands->perform (info.commandID))
        return true;

    switch (info.commandID)
    {
        case CommandIDs::save: save(); break;
        case CommandIDs::saveAs: saveAs(); break;
        case CommandIDs::getPreset: presetController->requestPreset(); break;
        case CommandIDs::sendPreset: presetController->sendPreset(); break;
        case CommandIDs::compareWithDevice: compareWithDevice(); break;
        // The listener may destroy this window, so nothing may follow.
        case CommandIDs::closeWindow: userTriedToCloseWindow(); break;
        default: break;
    }

    return true;
}

void EditorDocument::compareWithDevice()
{
    deviceRequest->start ([this] (const juce::Array<juce::uint8>& image) { showComparison (image); });
}

void EditorDocument::showComparison (const juce::Array<juce::uint8>& devicePreset)
{
    // A reply that Get would refuse is refused here too, in Get's words.
    if (devicePreset.size() != PresetLayout::presetImageSize || ! presetController->validatePresetData (devicePreset))
    {
        Alert::show (VerbatimTexts::invalidReplyTitle, VerbatimTexts::invalidReplyMessage);
        return;
    }

    delete comparisonWindow.getComponent();

    const auto differences = PresetDiff::describe (presetController->getPresetData(), devicePreset,
                                                   "in the window", "in the Q7X");
    // Get and Send are the document's own commands, with everything they do.
    const auto invokeCommand = [this] (juce::CommandID command) {
        return [this, command] { invoke (juce::ApplicationCommandTarget::InvocationInfo (command), false); };
    };
    comparisonWindow = new DeviceComparisonWindow (differences, invokeCommand (CommandIDs::getPreset),
                                                   invokeCommand (CommandIDs::sendPreset));
}

//==============================================================================
EditorDocument* createEditorDocument (MidiManager* midiManager, const juce::String& name, juce::File& lastFolder)
{
    auto* controller = createPresetController (midiManager);
    // The window shows sooner, and an untouched one takes less memory, with only what it first shows.
    auto* content = createEditorComponentShowingMainFirst (*controller);
    return new EditorDocument (content, controller, name, lastFolder);
}
