#pragma once

#include "files/preferences.h"
#include "model/currentmessage.h"
#include "ports/userinterface.h"

#include <array>
#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

namespace marquis {

// The texts and measures of the Send dialog (frmSend).
namespace sendmessage {
inline constexpr std::string_view Caption = "Send";
inline constexpr std::string_view OffOption = "Off";
inline constexpr std::string_view TextOption = "User defined text";
inline constexpr std::string_view SlaveOption = "To 5300 Slave (5300 V2 units only)";
inline constexpr std::string_view TextLabel = "Send message out :";
inline constexpr std::string_view TableLabel =
    "Control characters selector table (double click to paste):";
inline constexpr std::string_view OkButton = "&OK";
inline constexpr std::string_view CancelButton = "&Cancel";
inline constexpr std::string_view ClearButton = "C&lear";
inline constexpr std::string_view HelpButton = "&Help";
inline constexpr std::string_view HelpAnchor = "context4100";
// The Quick Edit window's send button after OK.
inline constexpr std::string_view SendOffCaption = "Sen&d msg OFF...";
inline constexpr std::string_view SendOnCaption = "Sen&d msg ON...";
// "HOST" as user text would be stored as the slave command and come back as it.
inline constexpr std::string_view HostRefused =
    "HOST cannot be sent as user defined text: it would be taken for the command that passes "
    "the message to a 5300 slave unit. Choose \"To 5300 Slave (5300 V2 units only)\" for that, "
    "or enter another text.";
// The dialog's height in twips with the text controls shown and without them.
inline constexpr int OpenHeightTwips = 6150;
inline constexpr int ClosedHeightTwips = 2400;
// The control-character grid: eight names a row, in code order.
inline constexpr int GridRows = 4;
inline constexpr int GridColumns = 8;
inline constexpr int CellWidthTwips = 700;
inline constexpr int CellHeightTwips = 300;
} // namespace sendmessage

// One control character (codes 0 to 31) as the dialog names it and the unit's send text
// escapes it.
struct ControlCharacter {
    int code = 0;
    std::string_view name; // "CR"
    std::string_view hex; // "0Dh"
    std::string_view escape; // as the send text holds it: "#M"; code 28 is "#\"
    std::string_view key; // "^M"

    std::string decimal() const; // "13"
    // The details line: "         Key = ^M        Decimal = 13        Hex = 0Dh".
    std::string details() const;
};

// The 32 control characters in code order.
const std::array<ControlCharacter, 32>& controlCharacters();

// The marks around a control character's name in the dialog's text: one character each.
struct Delimiters {
    char start = '<';
    char stop = '>';

    std::string delimited(std::string_view name) const; // "<CR>"
};

// The delimiters of the settings. A setting that is not exactly one character ("" or "<<",
// from a settings file written by hand) cannot mark a name, so the default takes its place.
Delimiters sendDelimiters(const Preferences& preferences);

// A send text as the dialog shows it: each escape of the table as its delimited name.
std::string shownSendText(std::string_view stored, const Delimiters& delimiters);

// A text of the dialog as the send text stores it. The box's line breaks (CR LF, or LF alone)
// go; a delimited token that names a control character by its name, decimal or hexadecimal
// form (without regard to case) becomes its escape; any other token loses its delimiters; a
// start delimiter without a stop after it stays as it is.
std::string storedSendText(std::string_view shown, const Delimiters& delimiters);

// What the text box holds: its text (line breaks as the box gives them) and its selection, in
// characters; with nothing selected the caret is at selectionStart.
struct SendTextBox {
    std::string text;
    std::size_t selectionStart = 0;
    std::size_t selectionLength = 0;

    bool operator==(const SendTextBox&) const = default;
};

enum class SendChoice { Off, UserText, Slave };

// The Send dialog: chooses what the current message sends out of the unit's serial port when it
// is called up (nothing, a text with control characters, or the command that makes a 5300 slave
// unit show it). The message changes only on OK.
class SendMessageDialog {
public:
    SendMessageDialog(CurrentMessage& message, const Preferences& preferences, UserInterface& ui);

    SendChoice choice() const { return m_choice; }
    void choose(SendChoice choice) { m_choice = choice; }
    // True when the text box, the grid, its label, the details line and "C&lear" are enabled:
    // only for a user text.
    bool textControlsEnabled() const { return m_choice == SendChoice::UserText; }
    int heightTwips() const;

    const Delimiters& delimiters() const { return m_delimiters; }
    // The delimited name in a cell of the grid; "" outside it.
    std::string cellText(int row, int column) const;
    // The details line of the chosen cell ("" until one is chosen).
    const std::string& details() const { return m_details; }

    const SendTextBox& box() const { return m_box; }
    // What the user did to the text box by typing, before the next verb.
    void edited(SendTextBox box);

    // A cell of the grid was chosen: its details line shows.
    void chooseCell(int row, int column);
    // A cell was double-clicked or confirmed from the keyboard: its delimited name replaces the
    // selection (goes in at the caret).
    void insertCell(int row, int column);
    // "C&lear": the selection goes, or the whole text when nothing is selected.
    void clear();
    // A click left the caret where the box says: inside a delimited name, the whole name with
    // its delimiters is selected, so that it is replaced or deleted whole.
    void clicked();
    // Backspace with nothing selected right after a delimiter would break a name: false when the
    // key is to be ignored.
    bool backspaceAllowed() const;

    // OK: stores the choice in the message and returns the send button's new caption; no value
    // when the dialog has to stay open (the text was refused, and the user was told why).
    std::optional<std::string> ok();

private:
    static int codeAt(int row, int column);

    CurrentMessage& m_message;
    UserInterface& m_ui;
    Delimiters m_delimiters;
    SendChoice m_choice = SendChoice::Off;
    SendTextBox m_box;
    std::string m_details;
};

} // namespace marquis
