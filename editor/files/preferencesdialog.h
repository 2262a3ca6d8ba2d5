#pragma once

#include "files/preferences.h"
#include "model/currentmessage.h"
#include "model/scriptreader.h"
#include "model/scriptwriter.h"
#include "ports/userinterface.h"

#include <string>
#include <string_view>

namespace marquis {

// The texts of the Preferences dialog (frmPref).
namespace preferencesdialog {
inline constexpr std::string_view Caption = "Preferences";
inline constexpr std::string_view EditorGroup = "Script Editor";
inline constexpr std::string_view InternalOption = "Internal";
inline constexpr std::string_view ExternalOption = "External";
inline constexpr std::string_view BrowseButton = "&Browse";
inline constexpr std::string_view PlaceholderGroup = "Variable placeholder character";
inline constexpr std::string_view DelimiterGroup = "Control Code Delimiters";
inline constexpr std::string_view StartLabel = "Start";
inline constexpr std::string_view StopLabel = "Stop";
inline constexpr std::string_view BrowseTitle = "Browse";
inline constexpr std::string_view BrowseFilter =
    "Programs |*.exe;*.com;*.bat;*.pif|All files (*.*)|*.*";
} // namespace preferencesdialog

// What the dialog's controls hold.
struct PreferencesForm {
    bool externalEditor = false; // "External" is chosen rather than "Internal"
    std::string editorPath; // the external editor's path box
    std::string placeholder; // the one-character placeholder box
    std::string startChar; // the "Start" delimiter box
    std::string stopChar; // the "Stop" delimiter box

    bool operator==(const PreferencesForm&) const = default;
};

// The message being edited, which a new placeholder character has to be carried into.
struct EditedMessage {
    CurrentMessage& message;
    ScriptWriter& writer;
    ScriptReader& reader;
    bool scriptEditMode = false; // the window shows the message's script rather than its lines
};

// What the window has to do after OK.
struct PreferencesApplied {
    bool accepted = true; // false: nothing was taken, the dialog stays open
    bool refreshDisplay = true; // redraw the line view and the simulated display
    bool messageRebuilt = false; // the current message was written and read back
};

// The controls' contents when the dialog opens.
PreferencesForm loadPreferencesForm(const Preferences& preferences);

// "&Browse": asks for the external editor's program. Returns the new text of the path box, the
// old one when the user cancels.
std::string browseForEditor(UserInterface& ui, std::string_view pathBox);

// The key filters of the delimiter boxes and of the placeholder box; `code` is the character
// code of the key typed. Backspace (8) is always accepted.
bool acceptsDelimiterKey(int code);
bool acceptsPlaceholderKey(int code);

// OK: takes the controls' contents into the preferences, unless "External" names no program
// that can be started (the user is told why and nothing is taken). A new placeholder character, once the
// user agrees, is carried into the variables of the edited message; in Script Edit mode the
// script is left as it is and only the message's placeholder follows the setting.
PreferencesApplied applyPreferencesForm(
    const PreferencesForm& form, Preferences& preferences, EditedMessage edited, UserInterface& ui);

} // namespace marquis
