#pragma once

#include "model/currentmessage.h"
#include "ui/quickedit/linelayout.h"
#include "ui/quickedit/quickeditview.h"

#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace marquis {

// The caption, enabled state or both that one control of the main window is to show.
struct ControlSetting {
    std::string control;
    std::optional<std::string> caption;
    std::optional<bool> enabled;

    bool operator==(const ControlSetting&) const = default;
};

// The attribute captions and enabled states of ShowEdit for one line of the message. A button
// that only opens a dialog is enabled when its own rule allows and `hasDialog` says the window
// can show that dialog.
std::vector<ControlSetting> attributeSettings(
    const CurrentMessage& message, int line, const std::function<bool(DialogKind)>& hasDialog);

// The character sets of cmdFont in the order the button cycles through them ("" is none).
std::string nextFont(std::string_view font);
std::string fontCaption(std::string_view font);

// The relay states of cmdRelay in the order the button cycles through them ("" is none).
std::string nextRelay(std::string_view relay);
std::string relayCaption(std::string_view relay);

// cmdCenter's caption for a centred or left-aligned line or block.
std::string centerCaption(bool centred);

// The caption cmdClrScreen gets when it is clicked (ShowEdit writes "Scree&n" capitalised).
std::string clearScreenToggleCaption(bool on);

// lblAttribute: "Block  2,char  5" on a block line (row is the editor's row of the caret,
// counted from 0), "Line  1,char  5" on any other line.
std::string positionLabel(LineKind kind, int line, int row, int column);

} // namespace marquis
