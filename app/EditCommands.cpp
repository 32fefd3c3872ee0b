#include "EditCommands.h"
#include "CommandIDs.h"
#include "FocusKeeper.h"
#include "preset/Alert.h"
#include "preset/EditorTexts.h"

namespace
{
using PresetLayout::ControlKind;

std::optional<ControlKind> kindPastedToAll (juce::CommandID commandID)
{
    switch (commandID)
    {
        case CommandIDs::pasteToAllKnobs: return ControlKind::Knob;
        case CommandIDs::pasteToAllSwitches: return ControlKind::Switch;
        case CommandIDs::pasteToAllPads:
        case CommandIDs::pasteToAllPadsCountingUp: return ControlKind::Pad;
        default: return std::nullopt;
    }
}

juce::String withStep (const char* command, const juce::String& stepName)
{
    return stepName.isEmpty() ? juce::String (command) : juce::String (command) + " " + stepName;
}
} // namespace

EditCommands::EditCommands (PresetController& c, const PresetHistory::Image& startImage, juce::Component& w,
                            EditHistory::DocumentPlace& place)
    : controller (c),
      history (c, startImage, &place),
      window (w)
{
}

juce::Array<juce::CommandID> EditCommands::getAllCommands()
{
    return { CommandIDs::undo, CommandIDs::redo, CommandIDs::copyControlSettings, CommandIDs::pasteControlSettings,
             CommandIDs::pasteToAllKnobs, CommandIDs::pasteToAllSwitches, CommandIDs::pasteToAllPads,
             CommandIDs::pasteToAllPadsCountingUp };
}

std::optional<PresetLayout::ControlId> EditCommands::findFocusedControl() const
{
    auto* focused = juce::Component::getCurrentlyFocusedComponent();

    if (! window.isParentOf (focused))
        return std::nullopt;

    // A panel is named after its control, and its widgets are its children.
    for (auto* c = focused; c != &window; c = c->getParentComponent())
        if (auto control = ControlSettingsClipboard::findCopyableControl (c->getName()))
            return control;

    return std::nullopt;
}

bool EditCommands::getCommandInfo (juce::CommandID commandID, juce::ApplicationCommandInfo& result)
{
    if (! getAllCommands().contains (commandID))
        return false;

    describe (commandID, findFocusedControl(), result);
    return true;
}

bool EditCommands::perform (juce::CommandID commandID)
{
    if (! getAllCommands().contains (commandID))
        return false;

    perform (commandID, findFocusedControl());
    return true;
}

void EditCommands::describe (juce::CommandID commandID, std::optional<ControlId> control, juce::ApplicationCommandInfo& result)
{
    // Every window registers the same names; only Undo and Redo add the name of their step
    // (a new window has none), and the rest only turn on and off.
    const auto set = [&result] (const juce::String& name, bool active, juce::juce_wchar key = 0) {
        CommandIDs::describe (result, name.toRawUTF8(), key);
        result.setActive (active);
    };
    const auto pastedKind = kindPastedToAll (commandID);

    switch (commandID)
    {
        case CommandIDs::undo:
            set (withStep ("Undo", history.getUndoName()), history.canUndo(), 'z');
            break;
        case CommandIDs::redo:
            set (withStep ("Redo", history.getRedoName()), history.canRedo());
            result.addDefaultKeypress ('z', juce::ModifierKeys::commandModifier | juce::ModifierKeys::shiftModifier);
            result.addDefaultKeypress ('y', juce::ModifierKeys::commandModifier);
            break;
        case CommandIDs::copyControlSettings: set ("Copy Control Settings", control.has_value()); break;
        case CommandIDs::pasteControlSettings: set ("Paste Control Settings", clipboard->canPasteTo (control)); break;
        case CommandIDs::pasteToAllPadsCountingUp:
            set (ControlSettingsClipboard::countUpName, clipboard->canPasteTo (ControlId { ControlKind::Pad, 1 }) && clipboard->canCountUp());
            break;
        default:
            if (pastedKind.has_value())
                set (ControlSettingsClipboard::getPasteToAllName (*pastedKind), clipboard->canPasteTo (ControlId { *pastedKind, 1 }));
            break;
    }
}

void EditCommands::perform (juce::CommandID commandID, std::optional<ControlId> control)
{
    const FocusKeeper::Scope keptFocus;
    apply (commandID, control);
}

void EditCommands::apply (juce::CommandID commandID, std::optional<ControlId> control)
{
    switch (commandID)
    {
        case CommandIDs::undo: history.undo(); break;
        case CommandIDs::redo: history.redo(); break;
        case CommandIDs::copyControlSettings:
            if (control.has_value())
                clipboard->copy (controller.getPresetData(), *control);
            break;
        case CommandIDs::pasteControlSettings:
            if (clipboard->canPasteTo (control))
                paste (clipboard->pasteTo (controller.getPresetData(), *control));
            break;
        default:
            if (kindPastedToAll (commandID).has_value())
                paste (clipboard->pasteToAll (controller.getPresetData(), commandID == CommandIDs::pasteToAllPadsCountingUp));
            break;
    }
}

void EditCommands::paste (const ControlSettingsClipboard::Paste& result)
{
    if (result.refusal.isNotEmpty())
    {
        Alert::show (EditorTexts::pasteRefusedTitle, result.refusal);
        return;
    }

    // The clipboard checked the image with PresetValidator, whose ranges the widgets share:
    // the controller accepts what it passed.
    [[maybe_unused]] const auto applied = history.applyAsStep (result.stepName, result.image);
    jassert (applied);
}

void EditCommands::showControlMenu (const juce::String& controlName)
{
    const auto control = ControlSettingsClipboard::findCopyableControl (controlName);

    if (! control.has_value())
        return;

    juce::PopupMenu menu;

    for (auto commandID : getAllCommands())
    {
        const auto pastedKind = kindPastedToAll (commandID);

        if (commandID == CommandIDs::undo || commandID == CommandIDs::redo || (pastedKind && *pastedKind != control->kind))
            continue;

        juce::ApplicationCommandInfo info (commandID);
        describe (commandID, control, info);
        menu.addItem ((int) commandID, info.shortName, (info.flags & juce::ApplicationCommandInfo::isDisabled) == 0);
    }

    menu.showMenuAsync (juce::PopupMenu::Options(),
                        [safeWindow = juce::Component::SafePointer<juce::Component> (&window), this, control] (int chosen) {
                            // The window, and this with it, may have closed while the menu was open.
                            if (chosen != 0 && safeWindow != nullptr)
                                perform ((juce::CommandID) chosen, control);
                        });
}
