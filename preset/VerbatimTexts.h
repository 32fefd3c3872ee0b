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

// The File menu's first item.
inline constexpr const char* newWindowCommand = "New Window ";
} // namespace VerbatimTexts
