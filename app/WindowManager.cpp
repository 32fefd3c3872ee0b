#include "WindowManager.h"
#include "WindowPlacement.h"
#include "Dialogs.h"
#include "midi/ControlMessages.h"
#include "app/platform/WindowFrame.h"
#include "app/look/WindowIcon.h"
#include "app/platform/WindowStacking.h"
#include "preset/Alert.h"
#include "preset/VerbatimTexts.h"

static_assert (WindowPlacement::minimumCascadePlaces >= WindowManager::maxDocuments,
               "every open document has a cascade place of its own");

WindowManager::WindowManager (MidiManager* midi, juce::ApplicationCommandManager* commands, juce::File& folder)
    : lastFolder (folder),
      midiManager (midi),
      commandManager (commands)
{
}

WindowManager::~WindowManager()
{
    delete deviceSetupWindow.get();
    delete aboutWindow.get();
    delete midiMonitorWindow.get();

    while (! documents.isEmpty())
        destroyDocument (documents.getLast());
}

//==============================================================================
EditorDocument* WindowManager::createNewDocument()
{
    if (! canOpenAnotherDocument())
    {
        Alert::show (VerbatimTexts::documentLimitTitle, VerbatimTexts::documentLimitMessage);
        return nullptr;
    }

    ++documentCounter;
    auto* document = documents.add (createEditorDocument (midiManager, "Untitled " + juce::String (documentCounter),
                                                          lastFolder));

    commandManager->registerAllCommandsForTarget (document);
    document->addWindowCloseListener (this);
    document->addKeyListener (commandManager->getKeyMappings());

    if (menuBarModel != nullptr)
        document->showMenuBar (menuBarModel);

    return document;
}

namespace
{
/** The frame around a document window: as the window system reports it
    for this or another document, else a typical title bar and border, since a new window
    may not have been framed yet.
*/
juce::BorderSize<int> getFrameSize (const juce::Component& window, const juce::OwnedArray<EditorDocument>& documents)
{
    if (auto* peer = window.getPeer())
        if (const auto frame = peer->getFrameSizeIfPresent())
            return *frame;

    for (auto* document : documents)
        if (auto* peer = document->getPeer())
            if (const auto frame = peer->getFrameSizeIfPresent())
                return *frame;

    return WindowFrame::getTypicalFrame();
}
} // namespace

void WindowManager::showDocument (EditorDocument* document)
{
    juce::Rectangle<int> workArea (0, 0, 1 << 20, 1 << 20);

    if (auto* display = juce::Desktop::getInstance().getDisplays().getPrimaryDisplay())
        workArea = display->userArea;

    const auto frame = getFrameSize (*document, documents);
    const auto placement = WindowPlacement::getPlacement (documentCounter, { document->getWidth(), document->getHeight() }, frame, workArea);
    const auto offset = WindowFrame::getPositionOffset (frame).toFloat() / placement.scale;
    document->setDrawingScale (placement.scale);
    document->setTopLeftPosition (placement.topLeft + offset.roundToInt());
    document->addToDesktop();
    WindowIcon::applyTo (*document);
    document->toFront (true);
}

bool WindowManager::canOpenAnotherDocument() const
{
    return documents.size() < maxDocuments;
}

void WindowManager::newDocument()
{
    if (auto* document = createNewDocument())
        showDocument (document);
}

void WindowManager::openFileInNewDocument (const juce::File& file)
{
    for (auto* document : documents)
    {
        if (document->getFile() == file)
        {
            document->toFront (true);
            return;
        }
    }

    if (auto* document = createNewDocument())
    {
        document->loadFile (file);
        showDocument (document);
    }
}

void WindowManager::openFileInActiveDocument (const juce::File& file)
{
    if (documents.isEmpty())
    {
        if (auto* document = createNewDocument())
        {
            document->loadFile (file);
            showDocument (document);
        }

        return;
    }

    openFileInNewDocument (file);
}

//==============================================================================
EditorDocument* WindowManager::getActiveDocument() const
{
    for (auto* document : documents)
        if (document->isActiveWindow())
            return document;

    return nullptr;
}

bool WindowManager::askToSaveAndClose (EditorDocument* document)
{
    // A second request for a document whose question is still open waits for that one.
    if (document == nullptr || ! documents.contains (document) || documentsBeingAsked.contains (document))
        return false;

    // The question is about what the window shows, including a number still being typed.
    document->commitPendingEntries();

    documentsBeingAsked.add (document);
    const auto answer = Dialogs::get().askYesNoCancel (VerbatimTexts::saveDocumentTitle,
                                                       VerbatimTexts::saveDocumentQuestion + document->getDocumentName());
    const auto saved = answer == Dialogs::Answer::yes && documents.contains (document) && document->save();
    documentsBeingAsked.removeFirstMatchingValue (document);

    if (answer == Dialogs::Answer::cancel || (answer == Dialogs::Answer::yes && ! saved)
        || ! documents.contains (document))
        return false;

    destroyDocument (document);

    if (documents.isEmpty() && ! closingAll && onLastDocumentClosed != nullptr)
        onLastDocumentClosed();

    return true;
}

void WindowManager::destroyDocument (EditorDocument* document)
{
    document->removeKeyListener (commandManager->getKeyMappings());
    documents.removeObject (document);
}

bool WindowManager::closeAllDocuments()
{
    const juce::ScopedValueSetter<bool> closing (closingAll, true);

    while (! documents.isEmpty())
        if (! askToSaveAndClose (documents.getLast()))
            return false;

    return true;
}

void WindowManager::closeActiveDocument()
{
    if (auto* document = getActiveDocument())
        askToSaveAndClose (document);
}

void WindowManager::windowCloseRequested (juce::TopLevelWindow* window)
{
    if (auto* document = dynamic_cast<EditorDocument*> (window))
        askToSaveAndClose (document);
}

void WindowManager::minimiseActiveDocument()
{
    if (auto* document = getActiveDocument())
        document->setMinimised (true);
}

void WindowManager::bringAllToFront()
{
    for (auto* document : documents)
    {
        document->setMinimised (false);
        document->toFront (true);
    }
}

//==============================================================================
void WindowManager::showDeviceSetup()
{
    if (deviceSetupWindow == nullptr)
    {
        deviceSetupWindow = new DeviceManagerWindow (midiManager);
        WindowIcon::applyTo (*deviceSetupWindow);
    }

    keepAboveActiveDocument (*deviceSetupWindow);

    for (auto* document : documents)
        document->toBehind (deviceSetupWindow.get());

    deviceSetupWindow->toFront (true);
}

void WindowManager::showAbout()
{
    if (aboutWindow == nullptr)
    {
        aboutWindow = new AboutWindow();
        WindowIcon::applyTo (*aboutWindow);
    }

    keepAboveActiveDocument (*aboutWindow);
    aboutWindow->toFront (true);
}

void WindowManager::showMidiMonitor()
{
    if (midiMonitorWindow == nullptr)
    {
        midiMonitorWindow = new MidiMonitorWindow (*midiManager);
        WindowIcon::applyTo (*midiMonitorWindow);
        midiMonitorWindow->getMonitor().getLog().setControlNamer ([this] (const juce::MidiMessage& message) {
            return nameSenders (message);
        });
    }

    midiMonitorWindow->toFront (true);
}

// While a menu has just closed, or another window such as the monitor is in front, no document
// is active: then the frontmost one is meant.
EditorDocument* WindowManager::getActiveOrFrontmostDocument() const
{
    auto* document = getActiveDocument();
    auto& desktop = juce::Desktop::getInstance();

    for (int i = desktop.getNumComponents(); document == nullptr && --i >= 0;)
        if (auto* candidate = dynamic_cast<EditorDocument*> (desktop.getComponent (i)); documents.contains (candidate))
            document = candidate;

    return document;
}

// The monitor names the controls of the document in use that would send the message.
juce::StringArray WindowManager::nameSenders (const juce::MidiMessage& message) const
{
    juce::StringArray names;

    if (auto* document = getActiveOrFrontmostDocument())
        for (const auto& control : ControlMessages::findSenders (document->getPresetController().getPresetData(), message))
            names.add (control.getName());

    return names;
}

void WindowManager::keepAboveActiveDocument (juce::Component& dialog)
{
    // A click on the document the dialog came from must not hide the dialog behind it.
    if (auto* document = getActiveOrFrontmostDocument())
        WindowStacking::keepAbove (dialog, *document);
}

void WindowManager::setMenuBarModel (juce::MenuBarModel* model)
{
    menuBarModel = model;

    for (auto* document : documents)
        document->showMenuBar (model);
}
