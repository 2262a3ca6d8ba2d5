#pragma once

#include "model/currentmessage.h"
#include "ports/userinterface.h"

#include <array>
#include <optional>
#include <string>
#include <string_view>

namespace marquis {

// The texts of the start-message dialog (frmStart).
namespace startmessage {
inline constexpr std::string_view Caption = "Current msg "; // followed by the message number
inline constexpr std::string_view StartLabel = "Start message";
inline constexpr std::string_view OnOption = "On";
inline constexpr std::string_view OffOption = "Off";
inline constexpr std::array<std::string_view, 4> FrameTitles = { "First message", "Second message",
    "Third message", "Fourth message" };
inline constexpr std::string_view TopOption = "Beg.";
inline constexpr std::string_view EndOption = "End";
inline constexpr std::string_view PlaceLabel = "Place the call at:";
inline constexpr std::string_view OkButton = "&OK";
inline constexpr std::string_view CancelButton = "&Cancel";
inline constexpr std::string_view ClearButton = "Clea&r";
inline constexpr std::string_view HelpButton = "&Help";
inline constexpr std::string_view HelpAnchor = "context3800";
inline constexpr std::string_view PressOn = "Press On Radio button in order to start editing.";
} // namespace startmessage

inline constexpr int StartRows = 4; // rows "First message" to "Fourth message"

// Where a started message is called: at the beginning of this message's script (optTop,
// "Beg.", the StartOtherTask list) or at its end (optEnd, "End", the StartSameTask list).
enum class StartPlace { Top, End };

// The controls of the dialog that the mouse can be over, for the status line.
enum class StartControl {
    Form,
    OptOn,
    OptOff,
    OptTop,
    OptEnd,
    TxtStart,
    VsbStart,
    CmdOk,
    CmdCancel,
    CmdClear,
    CmdHelp,
    Other // frames and labels
};

// The status text for the mouse over a control: "" for the bare form, which clears the line,
// and no value for controls that leave the line as it is.
std::optional<std::string_view> startStatusText(StartControl control);

// The caption OK gives the main window's start-message button.
std::string startButtonCaption(const CurrentMessage& message);

// The key filter of the number boxes: digits and Backspace (8).
bool acceptsStartKey(int code);

// frmStart: up to four messages that the current message starts, each at the beginning or at
// the end of its script. The constructor is the dialog's load; the handlers are its events; the
// message's start lists change only when OK passes its checks. Rows are numbered 1 to 4.
//
// A row takes part when its number box holds text; its spin only follows the box, so spin
// position 0 is message 0. A row with a number and no place chosen is called at the beginning.
class StartMessageDialog {
public:
    StartMessageDialog(CurrentMessage& message, UserInterface& ui);

    // While set, the number boxes' and spins' change handlers ignore what arrives: the window
    // sets it while it shows the dialog's state in its controls.
    class UpdatingControls {
    public:
        explicit UpdatingControls(StartMessageDialog& dialog)
            : m_dialog(dialog)
            , m_was(dialog.m_updatingControls)
        {
            m_dialog.m_updatingControls = true;
        }
        ~UpdatingControls() { m_dialog.m_updatingControls = m_was; }
        UpdatingControls(const UpdatingControls&) = delete;
        UpdatingControls& operator=(const UpdatingControls&) = delete;

    private:
        StartMessageDialog& m_dialog;
        bool m_was;
    };

    // What the controls show.
    const std::string& caption() const { return m_caption; }
    bool isOn() const { return m_on; } // optOn rather than optOff; the rows are enabled
    const std::string& text(int row) const { return at(row).text; }
    int spin(int row) const { return at(row).spin; }
    std::optional<StartPlace> place(int row) const { return at(row).place; }
    const std::string& status() const { return m_status; }

    void optOnClick();
    void optOffClick();
    void vsbStartChange(int row, int position);
    void txtStartChange(int row, std::string_view text);
    void placeClick(int row, StartPlace place);
    void cmdClearClick();
    // Checks the rows and, when they pass, writes the start lists. True when the dialog is to
    // close; false when a check failed and was shown (the dialog stays open).
    bool cmdOkClick();
    void mouseOver(StartControl control);

private:
    struct Row {
        std::string text;
        int spin = 0;
        std::optional<StartPlace> place;
    };

    void fill(const std::string& list, StartPlace place, int& next);
    std::optional<int> checkedNumber(int row);
    void refuse(int row, const std::string& text);
    Row& at(int row);
    const Row& at(int row) const;

    CurrentMessage& m_message;
    UserInterface& m_ui;
    std::string m_caption;
    bool m_on = false;
    std::array<Row, StartRows> m_rows {};
    std::string m_status;
    bool m_updatingControls = false;
};

} // namespace marquis
