#include "ui/dialogs/horizontalscroll.h"

#include "model/linereshape.h"
#include "model/numberformat.h"
#include "model/richtext.h"

#include <algorithm>

namespace marquis {
namespace {

// A stored rate sets the first preview tick; a rate of 0 or less would spin the timer, and a
// huge one would never tick.
constexpr long long ShortestTickMs = 10;
constexpr long long LongestTickMs = 100000;

std::size_t index(ScrollControl control)
{
    return static_cast<std::size_t>(control);
}

// The repeat count after the first comma of an attribute.
std::string_view countOf(std::string_view attribute)
{
    const std::size_t comma = attribute.find(',');
    return comma == std::string_view::npos ? std::string_view {}
                                           : trimmed(attribute.substr(comma + 1));
}

int clampedTick(long long ms)
{
    return static_cast<int>(std::clamp(ms, ShortestTickMs, LongestTickMs));
}

bool holdsBlocks(std::string_view rich)
{
    return splitBlocks(rich).size() > 1;
}

bool playsBlocks(const CurrentMessage& message, int line)
{
    return !message.line(line).LineBlock.empty() &&
        (message.BlockScrollOn || message.VerticalScrollOn);
}

} // namespace

std::string horizontalscroll::dropQuestion(std::size_t dropped)
{
    return "A continuously scrolled line holds at most " + std::to_string(ContinuousLimit) +
        " characters. The last" + withLeadingBlank(static_cast<long long>(dropped)) +
        " characters of the line will be left out.";
}

std::optional<std::string_view> repeatCountFault(std::string_view text)
{
    if (isRepeatCount(text))
        return std::nullopt;
    // Digits without a leading zero that still are no count are too many.
    const bool digits = !text.empty() &&
        std::all_of(text.begin(), text.end(), [](char c) { return c >= '0' && c <= '9'; });
    return digits && text.front() != '0' ? horizontalscroll::CountTooLarge
                                         : horizontalscroll::CountRequired;
}

void settleBlockWait(CurrentMessage& message)
{
    if (!message.BlockWait.empty())
        return;
    for (int i = 1; i <= message.UnitLines && i <= MaxUnitLines; ++i) {
        if (playsBlocks(message, i)) {
            message.BlockWait = std::to_string(speedStep(NormalPosition).blockRate);
            return;
        }
    }
}

HorizontalScrollDialog::HorizontalScrollDialog(CurrentMessage& message, UserInterface& ui)
    : m_message(message)
    , m_ui(ui)
    , m_line(std::clamp<int>(message.CurrentLine, 1, MaxUnitLines))
{
    m_enabled.fill(true);
    const EditLine& line = message.line(m_line);
    std::string_view count;
    if (!line.LineScroll.empty()) {
        chooseContinuous();
        const long long rate = leadingRate(line.LineScroll);
        m_tickMs = clampedTick(rate * 10);
        m_position = positionOfRate(rate);
        count = countOf(line.LineScroll);
    } else if (!line.LineBlock.empty() && message.BlockScrollOn) {
        chooseBlocks();
        const long long rate = leadingRate(message.BlockWait);
        m_tickMs = clampedTick(rate * 100);
        m_position = positionOfBlockRate(rate);
        count = countOf(line.LineBlock);
    } else {
        chooseOff();
        m_position = NormalPosition;
    }
    if (m_type != ScrollType::Off) {
        if (count.empty() || count == "0") {
            m_repeatText.clear();
            chooseNonstop();
        } else {
            chooseRepeat();
            m_repeatText = std::string(count);
        }
    }
    m_lock = !message.LockOn.empty();
    m_ui.busy(false);
}

std::string HorizontalScrollDialog::caption() const
{
    return std::string(horizontalscroll::CaptionPrefix) + withLeadingBlank(m_line);
}

bool HorizontalScrollDialog::enabled(ScrollControl control) const
{
    return m_enabled[index(control)];
}

void HorizontalScrollDialog::enable(std::initializer_list<ScrollControl> controls, bool on)
{
    for (const ScrollControl control : controls)
        m_enabled[index(control)] = on;
}

void HorizontalScrollDialog::resetPreview()
{
    m_sample = std::string(horizontalscroll::SampleText);
    m_window = std::string(static_cast<std::size_t>(DisplayWidth), ' ');
    m_preview = m_window;
}

void HorizontalScrollDialog::chooseScroll(ScrollType type)
{
    m_type = type;
    resetPreview();
    m_timerRunning = true;
    applySpeedTick();
    // A scroll needs a count: until the next message unless the user types one.
    if (m_repeat == RepeatMode::None)
        chooseNonstop();
    enable({ ScrollControl::optRepeat }, true);
    if (m_repeat == RepeatMode::Times)
        enable({ ScrollControl::chkLock, ScrollControl::txtRepeat }, true);
    enable({ ScrollControl::optNonstop, ScrollControl::lblRepeat, ScrollControl::txtSample,
               ScrollControl::lblSpeed, ScrollControl::hsbRate },
        true);
}

void HorizontalScrollDialog::chooseContinuous()
{
    chooseScroll(ScrollType::Continuous);
}

void HorizontalScrollDialog::chooseBlocks()
{
    chooseScroll(ScrollType::BlockByBlock);
    m_phase = true;
}

void HorizontalScrollDialog::chooseOff()
{
    m_type = ScrollType::Off;
    m_timerRunning = false;
    m_preview.clear();
    enable({ ScrollControl::optRepeat, ScrollControl::optNonstop, ScrollControl::txtRepeat,
               ScrollControl::chkLock, ScrollControl::lblRepeat, ScrollControl::txtSample,
               ScrollControl::lblSpeed, ScrollControl::hsbRate },
        false);
}

void HorizontalScrollDialog::chooseRepeat()
{
    m_repeat = RepeatMode::Times;
    enable({ ScrollControl::txtRepeat, ScrollControl::chkLock }, true);
}

void HorizontalScrollDialog::chooseNonstop()
{
    m_repeat = RepeatMode::Nonstop;
    m_lock = false;
    enable({ ScrollControl::txtRepeat, ScrollControl::chkLock }, false);
}

void HorizontalScrollDialog::setRepeatText(std::string_view text)
{
    m_repeatText = std::string(text);
}

void HorizontalScrollDialog::setLock(bool checked)
{
    m_lock = checked;
}

void HorizontalScrollDialog::moveSlider(int position)
{
    m_position = std::clamp(position, SlowestPosition, FastestPosition);
    applySpeedTick();
}

void HorizontalScrollDialog::applySpeedTick()
{
    const SpeedStep& speed = speedStep(m_position);
    if (m_type == ScrollType::Continuous)
        m_tickMs = speed.tickMs;
    else if (m_type == ScrollType::BlockByBlock)
        m_tickMs = speed.blockTickMs;
}

void HorizontalScrollDialog::tick()
{
    if (m_type == ScrollType::Continuous && !m_sample.empty()) {
        m_window = m_window.substr(1) + m_sample.front();
        std::rotate(m_sample.begin(), m_sample.begin() + 1, m_sample.end());
        m_preview = m_window;
    } else if (m_type == ScrollType::BlockByBlock) {
        m_preview = std::string(
            m_phase ? horizontalscroll::BlockPreviewFirst : horizontalscroll::BlockPreviewSecond);
    }
    m_phase = !m_phase;
}

std::optional<std::string> HorizontalScrollDialog::repeatCount()
{
    if (m_repeat == RepeatMode::Nonstop)
        return "0";
    if (const auto fault = repeatCountFault(m_repeatText)) {
        m_ui.message(*fault, Buttons::Ok, Icon::None, Answer::Ok);
        return std::nullopt;
    }
    return m_repeatText;
}

ScrollOkResult HorizontalScrollDialog::ok()
{
    CurrentMessage result = m_message;
    EditLine& line = result.line(m_line);
    const SpeedStep& speed = speedStep(m_position);
    ScrollOkResult outcome = ScrollOkResult::Done;

    if (m_type == ScrollType::Off) {
        if (holdsBlocks(line.LineText) || plainLength(line.LineText) > DisplayWidth) {
            outcome = ScrollOkResult::ChooseLongForm;
        } else {
            result.BlockWait.clear();
            line.LineBlock.clear();
            line.LineScroll.clear();
            result.BlockScrollOn = false;
        }
    } else {
        const std::optional<std::string> count = repeatCount();
        if (!count)
            return ScrollOkResult::Refused;
        if (m_type == ScrollType::Continuous) {
            const std::string joined =
                holdsBlocks(line.LineText) ? joinBlocks(line.LineText) : line.LineText;
            const KeptText kept = keepLeading(joined, ContinuousLimit);
            if (kept.dropped > 0 &&
                m_ui.message(horizontalscroll::dropQuestion(kept.dropped), Buttons::OkCancel,
                    Icon::Question, Answer::Cancel) != Answer::Ok)
                return ScrollOkResult::Refused;
            line.LineText = kept.rich;
            line.LineScroll = std::to_string(speed.rate) + "," + *count;
            line.LineBlock.clear();
            result.BlockWait.clear();
            result.BlockScrollOn = false;
        } else {
            // A line already cut into blocks keeps the blocks the user made.
            if (!holdsBlocks(line.LineText) && plainLength(line.LineText) > DisplayWidth)
                line.LineText = splitIntoBlocks(line.LineText);
            line.LineScroll.clear();
            result.BlockScrollOn = true;
            result.VerticalScrollOn = false;
            result.BlockWait = std::to_string(speed.blockRate);
            line.LineBlock = "0," + *count;
        }
    }

    // The lock holds only a line that scrolls a number of times; Off clears it.
    const bool lock = m_lock && m_repeat == RepeatMode::Times && m_type != ScrollType::Off;
    result.LockOn = lock ? "ON" : "";
    result.LockOff = lock ? "OFF" : "";
    settleBlockWait(result);

    m_timerRunning = false;
    m_message = result;
    return outcome;
}

} // namespace marquis
