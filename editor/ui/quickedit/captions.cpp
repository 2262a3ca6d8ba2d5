#include "ui/quickedit/captions.h"

#include "model/numberformat.h"
#include "model/richtext.h"

#include <array>
#include <utility>

namespace marquis {
namespace {

using Choice = std::pair<std::string_view, std::string_view>; // value and caption

constexpr std::array<Choice, 5> Fonts { {
    { "", "Change F&ont OFF" },
    { "ENGLISH", "English f&ont" },
    { "KATAKANA", "Katakana f&ont" },
    { "SLAVIC", "Slavic f&ont" },
    { "CYRILLIC", "Cyrillic f&ont" },
} };

constexpr std::array<Choice, 3> Relays { {
    { "", "No &Relay" },
    { "ON", "Turn &Relay ON" },
    { "OFF", "Turn &Relay OFF" },
} };

// Where a value stands in its cycle; an unknown value counts as none.
template <std::size_t N>
std::size_t indexOf(const std::array<Choice, N>& choices, std::string_view value)
{
    for (std::size_t i = 0; i < N; ++i)
        if (choices[i].first == value)
            return i;
    return 0;
}

} // namespace

std::string nextFont(std::string_view font)
{
    return std::string(Fonts[(indexOf(Fonts, font) + 1) % Fonts.size()].first);
}

std::string fontCaption(std::string_view font)
{
    return std::string(Fonts[indexOf(Fonts, font)].second);
}

std::string nextRelay(std::string_view relay)
{
    return std::string(Relays[(indexOf(Relays, relay) + 1) % Relays.size()].first);
}

std::string relayCaption(std::string_view relay)
{
    return std::string(Relays[indexOf(Relays, relay)].second);
}

std::string centerCaption(bool centred)
{
    return centred ? "Center te&xt ON" : "Center te&xt OFF";
}

std::string clearScreenToggleCaption(bool on)
{
    return on ? "Clear scree&n ON" : "Clear scree&n OFF";
}

std::string positionLabel(LineKind kind, int line, int row, int column)
{
    if (kind == LineKind::BlockByBlock)
        return "Block " + withLeadingBlank(row + 1) + ",char " + withLeadingBlank(column);
    return "Line " + withLeadingBlank(line) + ",char " + withLeadingBlank(column);
}

std::vector<ControlSetting> attributeSettings(
    const CurrentMessage& message, int line, const std::function<bool(DialogKind)>& hasDialog)
{
    const EditLine& l = message.line(line);
    std::vector<ControlSetting> settings;
    auto caption = [&](std::string control, std::string text) {
        settings.push_back({ std::move(control), std::move(text), std::nullopt });
    };
    auto enable = [&](std::string control, bool enabled) {
        settings.push_back({ std::move(control), std::nullopt, enabled });
    };

    caption("cmdBlink", l.LineBlink.empty() ? "&Blink OFF..." : "&Blink ON...");
    caption("cmdVar", CheckVariable(l.LineText) ? "&Variable ON..." : "&Variable OFF...");

    const bool horizontal = hasHorizontalStructure(message, line);
    bool otherHorizontal = false;
    for (int i = 1; i <= message.UnitLines && i <= MaxUnitLines; ++i)
        otherHorizontal = otherHorizontal || (i != line && hasHorizontalStructure(message, i));
    caption("cmdScroll", horizontal ? "Hori&z. scroll ON..." : "Hori&z. scroll OFF...");
    // A message kept as text only (changed outside the program) has no fields to edit: its
    // buttons and its task would change nothing that is stored.
    const bool editable = !message.ScriptEditOnly;
    enable("cmdWait", editable && !horizontal && hasDialog(DialogKind::VerticalScroll));
    enable("cmdScroll",
        editable && !otherHorizontal && !message.VerticalScrollOn &&
            hasDialog(DialogKind::HorizontalScroll));
    enable("cmdVar", editable && hasDialog(DialogKind::Variables));
    enable("cmdStart", editable && hasDialog(DialogKind::StartMessage));
    enable("cmdSend", editable && hasDialog(DialogKind::SendMessage));
    for (const char* control :
        { "cmdBlink", "cmdFont", "cmdCenter", "cmdRelay", "cmdClrScreen", "txtTask", "vsbTask" })
        enable(control, editable);

    const bool vertical = message.VerticalScrollOn;
    caption("cmdWait", vertical ? "Vert. s&croll ON..." : "Vert. s&croll OFF...");
    enable("txtLine", !vertical);
    enable("vsbLine", !vertical);
    caption("lblLine", vertical ? "Vertical scroll" : "Edit Line");

    caption("cmdFont", fontCaption(l.LineFont));
    caption("cmdRelay", relayCaption(message.RelayState));
    const bool starts = !message.StartOtherTask.empty() || !message.StartSameTask.empty();
    caption("cmdStart", starts ? "&Start msg ON..." : "&Start msg OFF...");
    caption(
        "cmdClrScreen", message.ClearScreen == "CLS" ? "Clear Scree&n ON" : "Clear Scree&n OFF");
    caption("cmdSend", message.OutputDevice.empty() ? "Sen&d msg OFF..." : "Sen&d msg ON...");
    return settings;
}

} // namespace marquis
