#pragma once

#include "model/currentmessage.h"
#include "model/linedocument.h"
#include "ports/userinterface.h"

#include <array>
#include <optional>
#include <string>
#include <string_view>

namespace marquis {

// The texts of the Variables dialog (frmVar).
namespace variablesdialog {
inline constexpr std::string_view Caption = "Variables";
inline constexpr std::string_view LineFrame = "Variable on line "; // followed by the line
inline constexpr std::string_view ModeFrame = "Variables";
inline constexpr std::string_view OnOption = "O&n";
inline constexpr std::string_view OffOption = "O&ff";
inline constexpr std::string_view FillFrame = "Fill";
inline constexpr std::string_view ZeroOption = "Leading &zeros";
inline constexpr std::string_view SpaceOption = "Leading &spaces";
inline constexpr std::string_view OkButton = "&OK";
inline constexpr std::string_view CancelButton = "&Cancel";
inline constexpr std::string_view ClearButton = "C&lear";
inline constexpr std::string_view HelpButton = "&Help";
inline constexpr std::string_view HelpAnchor = "variables";

inline constexpr std::string_view TextStatus = "Highlight only variable place holder characters "
                                               "and then double click on desired variable in the "
                                               "table below.";
inline constexpr std::string_view TableStatus =
    "Double click on desired variable number from the table above in order to assign.";
inline constexpr std::string_view DeleteFailure = "Unexpected error in module Delete Variable.";
inline constexpr std::string_view UpdateFailure = "Unexpected error in module Variable Update.";
} // namespace variablesdialog

inline constexpr int MaxVariables = 16;
inline constexpr int TableRows = 8; // the table shows variables 1..8 and 9..16 side by side
inline constexpr int TableColumns = 2;

// The controls that show a help text while the mouse is over them.
enum class VariablesControl { Ok, Cancel, Clear, Help, Table, On, Off, Space, Zero };

// A stretch of the text as the text box counts it: from `from` up to, not including, `to`, with
// every block end taking one position.
struct EditorSpan {
    std::size_t from = 0;
    std::size_t to = 0;
};

// What a double click on the table did.
enum class Assignment {
    NothingHighlighted, // nothing happened
    Assigned, // the highlighted field is the variable now; the highlight is gone
    Refused, // a message said why; the highlight stays
};

// The Variables dialog: assigns display variables to runs of placeholder characters of the
// current line. The line is edited as a copy and written back on OK; an assignment also goes
// into the line at once, so every way of leaving the dialog other than OK puts the line back as
// it was when the dialog opened.
class VariablesDialog {
public:
    VariablesDialog(CurrentMessage& message, UserInterface& ui);

    // Load: the caption of the line's frame and the labels of the table's cells ("V1".."V16";
    // row and column count from 0).
    std::string lineFrameCaption() const;
    static int variableOfCell(int row, int column);
    static std::string cellLabel(int variable);

    // The dialog becoming active: marks the variables of the line and chooses On when it has
    // any. Only the first activation counts; returning from a message box or the help window
    // changes nothing.
    void activate();

    // The dialog's text in the line encoding, and as blocks and runs.
    const std::string& text() const { return m_text; }
    const LineDocument& document() const { return m_document; }

    bool variablesOn() const { return m_on; }
    bool tableEnabled() const { return m_on; } // also the fill options and their frame
    bool clearEnabled() const { return m_clearEnabled; }
    bool marked(int variable) const { return m_marked.at(index(variable)); }
    bool zeroFilled(int variable) const { return m_zeroFilled.at(index(variable)); }
    std::optional<int> selectedVariable() const { return m_selected; }
    const std::string& status() const { return m_status; } // lblStatus

    // A click on a cell.
    void selectVariable(int variable);
    // A double click on a cell with `highlight` highlighted in the text.
    Assignment assign(int variable, EditorSpan highlight);
    // optZero (true) and optSpace (false).
    void setFill(bool zeroFill);
    // cmdClear.
    void clearVariables();
    // optOn (true) and optOff (false).
    void setVariablesOn(bool on);
    // cmdOk: the dialog's text becomes the line.
    void ok();
    // cmdCancel, the window's close button, Escape: the line as it was when the dialog opened.
    void cancel();

    // The status line's text for the mouse over the character at editor position `position`,
    // over the table, and over a control.
    std::string textStatus(std::size_t position) const;
    static std::string tableStatus() { return std::string(variablesdialog::TableStatus); }
    std::string toolTip(VariablesControl control) const;

    // The marks and zero flags from a rich text; true when it holds a variable.
    bool CheckMark(std::string_view rich);

private:
    static std::size_t index(int variable);
    std::string& lineText();
    // Rewrites the text from the document; the line takes it too when `store` is set.
    void commit(bool store);
    // The character of the line at an editor position; a block end gives the next block's start.
    std::size_t characterIndex(std::size_t position) const;
    bool holdsBlockEnd(EditorSpan highlight) const;
    std::optional<std::string> refusal(CharacterSpan field, bool blockEnd) const;
    void removeVariables();

    CurrentMessage& m_message;
    UserInterface& m_ui;
    int m_line;
    std::string m_original; // the line as the dialog found it
    std::string m_text;
    LineDocument m_document;
    std::array<bool, MaxVariables> m_marked {};
    std::array<bool, MaxVariables> m_zeroFilled {};
    std::optional<int> m_selected;
    std::string m_status;
    bool m_on = false;
    bool m_clearEnabled = false;
    bool m_activated = false;
};

} // namespace marquis
