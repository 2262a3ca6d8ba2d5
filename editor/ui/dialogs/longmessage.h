#pragma once

#include "model/currentmessage.h"
#include "ports/userinterface.h"

#include <cstddef>
#include <functional>
#include <string>
#include <string_view>

namespace marquis {

// The texts of the long-message chooser (frmSelect).
namespace longmessagedialog {
inline constexpr std::string_view Caption = "Select";
inline constexpr std::string_view NoLongMessage = "Do not create long message";
inline constexpr std::string_view OkButton = "&Ok";
inline constexpr std::string_view CancelButton = "&Cancel";

inline constexpr std::string_view TypedPrompt =
    "You typed 21 characters. A fixed message is limited to 20 characters per line. If you "
    "want to create a longer message, select one of the following:";
inline constexpr std::string_view ContinuousOffPrompt =
    "You just turned continuous scroll off. If you want to switch to a different type long "
    "message, please select one of the options below or press OK to truncate after 20th "
    "caracter.";
inline constexpr std::string_view BlocksOffPrompt =
    "You just turned horizontal block by block scroll off. If you want to switch to a "
    "different type long message, please select one of the options below or press OK to "
    "truncate after 20th caracter.";
inline constexpr std::string_view VerticalOffPrompt =
    "You just turned vertical scroll off. If you want to switch to a different type long "
    "message, please select one of the options below or press OK to truncate after 20th "
    "caracter.";

inline constexpr std::string_view Continuous =
    "Horizontal scroll (continuous). Your message will scroll character by character across "
    "one line of the display.";
inline constexpr std::string_view ContinuousUpTo155 =
    "Horizontal scroll (continuous). Your message will scroll character by character across "
    "one line of the display (up to 155 chars).";
inline constexpr std::string_view HorizontalBlocks =
    "Horizontal scroll (block by block). Your message will scroll in blocks of 20 characters "
    "across one line of the display.";
inline constexpr std::string_view Vertical =
    "Vertical scroll (block by block). Your message will scroll in blocks of 20 characters "
    "across the display from bottom line up.";
inline constexpr std::string_view VerticalMerged =
    "Vertical scroll (block by block). Your message will scroll in blocks of 20 characters "
    "across the display from bottom line up. NOTE THAT ALL LINES WILL BE MERGED.";

// The scroll dialog a chosen form needs is not part of this build.
inline constexpr std::string_view NotAvailable = "This kind of long message is not available.";
} // namespace longmessagedialog

// What the current line is, which decides what the chooser offers.
enum class LongMessageCase {
    TwentyFirstCharacter, // a fixed line got its 21st character
    ContinuousOff, // the line's continuous scroll was turned off
    HorizontalBlocksOff, // the line's block-by-block scroll was turned off
    VerticalOff, // the message's vertical scroll was turned off
};

LongMessageCase longMessageCase(const CurrentMessage& message);

// The text after the first comma of a scroll attribute ("25,3" gives "3"); "0" when there is
// none.
std::string repeatCount(std::string_view attribute);

// The scroll dialogs the chooser hands a new long form over to: each shows its dialog over the
// message and answers true when the user confirmed it. An empty function means the dialog is
// not available.
struct ScrollDialogs {
    std::function<bool()> horizontal;
    std::function<bool()> vertical;
};

// The long-message chooser: offers the other long-message forms of the current line (or "Do not
// create long message") and reshapes the message into the chosen one. Each choice is worked out
// on a copy and written into the message last; a scroll dialog it hands over to works on the
// message itself, which is put back as it was when that dialog is cancelled.
class LongMessageChooser {
public:
    LongMessageChooser(CurrentMessage& message, UserInterface& ui, ScrollDialogs dialogs = {});

    LongMessageCase kind() const { return m_case; }

    // The first time the dialog is shown: the texts of its case, option 0 chosen. Later calls do
    // nothing.
    void activate();

    std::string_view prompt() const { return m_prompt; }
    // Options 0..optionCount()-1; the fourth exists only for the 21st character.
    int optionCount() const;
    std::string_view optionText(int index) const;
    // False for a form whose scroll dialog is not available.
    bool available(int index) const;

    void choose(int index);
    int chosen() const { return m_chosen; }

    // cmdOk: applies the chosen option. Returns false when the dialog stays open (the user did
    // not want text dropped, or the form is not available).
    bool ok();

    // Whether OK changed the message.
    bool changed() const { return m_changed; }

private:
    bool typedCharacter();
    bool continuousOff();
    bool blocksOff();
    bool verticalOff();
    // The line joined into one continuous line of at most 155 characters; false when the user
    // does not want the characters beyond them dropped.
    bool joinedForContinuous(EditLine& line);
    // Hands the message over to a scroll dialog; on Cancel the message is put back.
    bool handOver(const CurrentMessage& prepared, const std::function<bool()>& dialog);
    void commit(CurrentMessage result);

    CurrentMessage& m_message;
    UserInterface& m_ui;
    ScrollDialogs m_dialogs;
    LongMessageCase m_case;
    bool m_activated = false;
    std::string_view m_prompt;
    int m_chosen = 0;
    bool m_changed = false;
};

} // namespace marquis
