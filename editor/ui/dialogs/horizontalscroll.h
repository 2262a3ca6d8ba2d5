#pragma once

#include "model/currentmessage.h"
#include "ports/userinterface.h"
#include "ui/dialogs/repeatcount.h"
#include "ui/dialogs/speedscale.h"

#include <array>
#include <cstddef>
#include <initializer_list>
#include <optional>
#include <string>
#include <string_view>

namespace marquis {

// The texts of the horizontal scroll dialog (frmScroll).
namespace horizontalscroll {
inline constexpr std::string_view CaptionPrefix = "Horizontal scroll on line ";
inline constexpr std::string_view ContinuousOption = "Continuous";
inline constexpr std::string_view BlockOption = "Block by block";
inline constexpr std::string_view OffOption = "Off";
inline constexpr std::string_view OptionsFrame = "Options";
inline constexpr std::string_view RepeatOption = "Scroll line";
inline constexpr std::string_view RepeatLabel = "times.";
inline constexpr std::string_view NonstopOption = "Scroll until next message ";
inline constexpr std::string_view LockCheck = "Scroll line completely";
inline constexpr std::string_view SpeedFrame = "Scroll speed";
inline constexpr std::string_view OkButton = "&OK";
inline constexpr std::string_view CancelButton = "&Cancel";
inline constexpr std::string_view HelpButton = "&Help";
inline constexpr std::string_view HelpAnchor = "context3300";
inline constexpr std::string_view CountRequired =
    "You have to enter positive decimal value in Play message times box or choose Play until "
    "next message option.";
inline constexpr std::string_view CountTooLarge =
    "A line can scroll at most 255 times. Enter a number from 1 to 255 or choose Play until "
    "next message option.";
// The preview: the sample runs through a window of one display line.
inline constexpr std::string_view SampleText =
    "This is sample text for continuous scroll speed adjustment.   ";
inline constexpr std::string_view BlockPreviewFirst = "  Horizontal block";
inline constexpr std::string_view BlockPreviewSecond = "  speed adjustment.";

// The question before a continuous line loses what lies beyond its limit.
std::string dropQuestion(std::size_t dropped);
} // namespace horizontalscroll

// Why a typed repeat count cannot be written, or nothing when it can.
std::optional<std::string_view> repeatCountFault(std::string_view text);

// A line that plays blocks (horizontally or vertically) needs a pause between them: an empty
// BlockWait becomes the NORMAL block rate.
void settleBlockWait(CurrentMessage& message);

// How the line is shown when it is longer than the display.
enum class ScrollType { Continuous, BlockByBlock, Off };
// How often it scrolls: a typed number of times (optRepeat), until the next message
// (optNonstop), or not chosen yet.
enum class RepeatMode { None, Times, Nonstop };

// The controls whose enabled state the dialog decides.
enum class ScrollControl {
    optRepeat,
    optNonstop,
    txtRepeat,
    chkLock,
    lblRepeat,
    txtSample,
    lblSpeed,
    hsbRate,
};

// What OK did.
enum class ScrollOkResult {
    Done, // the message holds the new settings; the dialog closes
    Refused, // a check failed or the user kept the text; nothing changed, the dialog stays
    ChooseLongForm, // Off on a long line: the long-message chooser decides what it becomes
};

// frmScroll: how the current line scrolls when it is longer than the display, how often, and
// whether it is shown completely before anything else takes the display. The constructor is
// the dialog's load; the handlers are its events. Nothing reaches the message before ok(),
// which computes the whole result before it writes it.
class HorizontalScrollDialog {
public:
    HorizontalScrollDialog(CurrentMessage& message, UserInterface& ui);

    std::string caption() const;
    ScrollType scrollType() const { return m_type; }
    RepeatMode repeatMode() const { return m_repeat; }
    const std::string& repeatText() const { return m_repeatText; }
    bool lockChecked() const { return m_lock; }
    bool enabled(ScrollControl control) const;
    int sliderPosition() const { return m_position; }
    std::string_view speedWord() const { return speedStep(m_position).word; }
    // What txtSample shows.
    const std::string& preview() const { return m_preview; }
    bool timerRunning() const { return m_timerRunning; }
    int tickInterval() const { return m_tickMs; }

    void chooseContinuous(); // optYes
    void chooseBlocks(); // optBlock
    void chooseOff(); // optNo
    void chooseRepeat(); // optRepeat
    void chooseNonstop(); // optNonstop
    void setRepeatText(std::string_view text); // txtRepeat changed
    void setLock(bool checked); // chkLock
    void moveSlider(int position); // hsbRate
    void tick(); // Timer1

    // cmdOk.
    ScrollOkResult ok();

private:
    void chooseScroll(ScrollType type);
    void resetPreview();
    void applySpeedTick();
    void enable(std::initializer_list<ScrollControl> controls, bool on);
    // The repeat count OK writes, or nothing when the typed one was refused (and said so).
    std::optional<std::string> repeatCount();

    CurrentMessage& m_message;
    UserInterface& m_ui;
    int m_line;

    ScrollType m_type = ScrollType::Off;
    RepeatMode m_repeat = RepeatMode::None;
    std::string m_repeatText;
    bool m_lock = false;
    int m_position = 4;
    bool m_timerRunning = false;
    int m_tickMs = 0;
    std::string m_sample;
    std::string m_window;
    std::string m_preview;
    bool m_phase = false;
    std::array<bool, 8> m_enabled {};
};

} // namespace marquis
