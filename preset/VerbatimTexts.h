#pragma once

/**
    Texts the user sees that are kept exactly as written, spelling slips, missing full
    stops and trailing spaces included: users, the user guide and the tests know them in
    this form, so do not correct them.
*/
namespace VerbatimTexts
{
// A preset arrived from the hardware and was applied.
inline constexpr const char* presetReceivedTitle = "MIDI Get Sucess";
inline constexpr const char* presetReceivedMessage = "Preset sucessfully retrieved from hardware.";

// The hardware's reply was not a whole, valid preset.
inline constexpr const char* invalidReplyTitle = "Invalid MIDI Message";
inline constexpr const char* invalidReplyMessage = "Verify MIDI Connection and Device Settings";

// A file that cannot be read as a preset.
inline constexpr const char* invalidFileTitle = "Invalid File";
inline constexpr const char* invalidFileMessage = "File is invalid or currupt";

// A further document asked for while the most that may be open already are.
inline constexpr const char* documentLimitTitle = "Maxiumum Number of Open Documents Reached";
inline constexpr const char* documentLimitMessage = "You may only have 5 documents open.";

// A send or request without the MIDI ports it needs.
inline constexpr const char* noDeviceTitle = "No MIDI Device selected.";
inline constexpr const char* noDeviceMessage = "Please select a device using the Device Setup option.";

// No recognised reply after the last re-sent request.
inline constexpr const char* requestFailedTitle = "MIDI Get Preset Unsuccessful";
inline constexpr const char* requestFailedMessage = "Verify MIDI device settings and try again.";

// A message sent without an open output port: three lines, joined by "\r\n".
inline constexpr const char* midiErrorTitle = "MIDI Error";
inline constexpr const char* midiErrorMessage = "MIDI Communication Unsuccessful.\r\n"
                                                "Verify MIDI Connection and Device Settings.\r\n"
                                                "Verify no other applications are using the MIDI Port.";

// The file choosers' titles.
inline constexpr const char* openFileTitle = "Select Filename to open";
inline constexpr const char* saveFileTitle = "Select Filename to save";

// Closing a document; its name follows the question.
inline constexpr const char* saveDocumentTitle = "Save Document";
inline constexpr const char* saveDocumentQuestion = "Would you like to save: ";

// The user guide was not found; a line break and the path tried follow.
inline constexpr const char* userGuideMissing = "Unable to find User Guide: ";

// The File menu's first item.
inline constexpr const char* newWindowCommand = "New Window ";
} // namespace VerbatimTexts
