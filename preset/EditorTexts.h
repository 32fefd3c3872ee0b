#pragma once

/**
    Texts the user sees that are the editor's own wording, kept here so that each is written
    once and can be read and reworded in one place. The texts whose wording is fixed are in
    VerbatimTexts.h.
*/
namespace EditorTexts
{
// The part of a port's name that makes it the controller's, and the name the simulator gives its ports.
inline constexpr const char* devicePortName = "Q7X";

// A paste the clipboard or the widgets refused.
inline constexpr const char* pasteRefusedTitle = "Unable to Paste";

// Why a paste was refused: a control of another kind (its kind follows), or nothing copied.
inline constexpr const char* pasteOtherKind = "The copied settings are not those of a ";
inline constexpr const char* nothingCopied = "No control settings have been copied.";

// A paste that would leave the preset with a byte out of range; the problem and a full stop follow.
inline constexpr const char* pasteWouldNotFit = "The pasted settings would not fit: ";

// The user guide was found but no program opened it; the path follows.
inline constexpr const char* guideNotOpened = "No program could open the User Guide: \r\n";

// A preset file that could not be written; the path follows, then why, in brackets on a line of its own.
inline constexpr const char* saveFailedTitle = "Unable to Save";
inline constexpr const char* saveFailedMessage = "The preset could not be written to:\r\n";

// Saving over a file that changed on disk; the quoted file name comes first.
inline constexpr const char* fileChangedTitle = "File Changed";
inline constexpr const char* fileChangedQuestion = " changed on disk since it was opened. Overwrite?";

// Saving under a name the preset extension was added to, when that file exists; the quoted name comes first.
inline constexpr const char* replaceQuestion = " already exists. Replace it?";
inline constexpr const char* replaceButton = "Replace";

// On the error output when the editor has no X display to show a window on.
inline constexpr const char* noDisplay = "no X display to show the editor on (DISPLAY is not set).\n"
                                         "Run it inside a desktop session, or start Xvfb and set DISPLAY.";
// DISPLAY names a server that cannot be reached; the quoted name follows.
inline constexpr const char* displayUnreachable = "cannot reach the X display ";

// Why a launch does not hand its files over or take those of later launches; the reason comes first.
inline constexpr const char* takesNoLaterLaunches = "; this editor does not take the files of later launches";
inline constexpr const char* runsOnItsOwn = "; this one runs on its own";

// A number box's hints after a refused entry; the range comes first.
inline constexpr const char* outOfRange = " is out of range";
inline constexpr const char* notANote = " is not a note";
inline constexpr const char* numbersOnly = "numbers only";
inline constexpr const char* numbersOrNotesOnly = "a number or a note name";

// Below the range in the tooltip of a box for a note.
inline constexpr const char* noteNamesTooltip = "C-2 to G8 by name\n(60 is C3)";
} // namespace EditorTexts
