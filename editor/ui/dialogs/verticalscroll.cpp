#include "ui/dialogs/verticalscroll.h"

#include "model/linereshape.h"
#include "model/numberformat.h"

#include <algorithm>

namespace marquis {
namespace {

constexpr std::string_view SamplePieceEnd = "\\par ";
constexpr std::string_view BlockEnd = "\\par\r\n";
constexpr std::string_view NormalBlockRate = "10";

std::size_t index(VerticalControl control)
{
    return static_cast<std::size_t>(control);
}

int unitLines(const CurrentMessage& message)
{
    return std::clamp<int>(message.UnitLines, 1, MaxUnitLines);
}

} // namespace

bool scrollsVertically(const CurrentMessage& message)
{
    return message.VerticalScrollOn && !message.line(message.CurrentLine).LineBlock.empty();
}

bool scrollsHorizontally(const CurrentMessage& message, int line)
{
    const EditLine& l = message.line(line);
    return !l.LineScroll.empty() || (message.BlockScrollOn && !l.LineBlock.empty());
}

void giveBlocksARate(CurrentMessage& message)
{
    if (!message.BlockWait.empty())
        return;
    for (int i = 1; i <= unitLines(message); ++i)
        if (!message.line(i).LineBlock.empty()) {
            message.BlockWait = NormalBlockRate;
            return;
        }
}

VerticalScrollDialog::VerticalScrollDialog(CurrentMessage& message, UserInterface& ui)
    : m_message(message)
    , m_ui(ui)
    , m_wasVertical(scrollsVertically(message))
    , m_sample(verticalscroll::Sample)
{
    chooseNonstop();
    chooseOff();
    if (!m_wasVertical) {
        m_position = NormalPosition;
        m_speedLabel = verticalscroll::SpeedNormal;
        return;
    }
    m_position = positionOfBlockRate(leadingRate(message.BlockWait));
    m_speedLabel = speedStep(m_position).word;
    const std::string& block = message.line(message.CurrentLine).LineBlock;
    const std::size_t comma = block.find(',');
    const std::string_view count =
        comma == std::string::npos ? std::string_view() : trimmed(std::string_view(block).substr(comma + 1));
    if (!count.empty() && count != "0") {
        m_repeatText = count;
        chooseRepeat();
    } else {
        m_repeatText.clear();
        chooseNonstop();
    }
    m_lock = !message.LockOn.empty();
    chooseOn();
}

void VerticalScrollDialog::chooseOn()
{
    m_on = true;
    m_sample = verticalscroll::Sample;
    m_rows = {};
    m_timerRunning = true;
    enable(VerticalControl::optRepeat, true);
    enable(VerticalControl::txtRepeat, m_repeat);
    enable(VerticalControl::chkLock, m_repeat);
    for (const VerticalControl control : { VerticalControl::optNonstop, VerticalControl::lblRepeat,
             VerticalControl::lblSample, VerticalControl::hsbRate, VerticalControl::lblSpeed })
        enable(control, true);
    const SpeedStep& speed = speedStep(m_position);
    m_speedLabel = speed.word;
    m_tickMs = speed.blockTickMs;
}

void VerticalScrollDialog::chooseOff()
{
    m_on = false;
    m_rows = {};
    m_timerRunning = false;
    m_enabled.fill(false);
}

void VerticalScrollDialog::chooseRepeat()
{
    m_repeat = true;
    enable(VerticalControl::txtRepeat, m_on);
    enable(VerticalControl::chkLock, m_on);
}

void VerticalScrollDialog::chooseNonstop()
{
    m_repeat = false;
    m_lock = false;
    enable(VerticalControl::txtRepeat, false);
    enable(VerticalControl::chkLock, false);
}

void VerticalScrollDialog::moveSlider(int position)
{
    m_position = std::clamp(position, SlowestPosition, FastestPosition);
    const SpeedStep& speed = speedStep(m_position);
    m_speedLabel = speed.word;
    m_tickMs = speed.blockTickMs;
}

void VerticalScrollDialog::tick()
{
    if (!m_rows[0].empty())
        m_sample += std::string(SamplePieceEnd) + m_rows[0];
    m_rows[0] = m_rows[1];
    const std::size_t end = m_sample.find("\\par");
    if (end != std::string::npos) {
        m_rows[1] = m_sample.substr(0, end);
        m_sample.erase(0, std::min(m_sample.size(), end + SamplePieceEnd.size()));
    }
}

bool VerticalScrollDialog::enabled(VerticalControl control) const
{
    return m_enabled[index(control)];
}

void VerticalScrollDialog::enable(VerticalControl control, bool on)
{
    m_enabled[index(control)] = on;
}

VerticalOk VerticalScrollDialog::ok()
{
    if (!m_on) {
        // Off leaves a message that was not scrolled vertically alone: the block rate and the
        // lock belong to another line's blocks then.
        if (!m_wasVertical)
            return VerticalOk::Done;
        const int current = m_message.CurrentLine;
        if (m_message.line(current).LineText.find(BlockEnd) != std::string::npos)
            return VerticalOk::OpenChooser;
        CurrentMessage result = m_message;
        result.BlockWait.clear();
        result.line(current).LineBlock.clear();
        result.VerticalScrollOn = false;
        result.LockOn.clear();
        result.LockOff.clear();
        giveBlocksARate(result);
        m_message = std::move(result);
        return VerticalOk::Done;
    }

    if (m_repeat && !isRepeatCount(m_repeatText)) {
        m_ui.message(verticalscroll::BadCount, Buttons::Ok, Icon::None, Answer::Ok);
        return VerticalOk::Refused;
    }
    const int lines = unitLines(m_message);
    for (int i = 1; i <= lines; ++i)
        if (scrollsHorizontally(m_message, i)) {
            m_ui.message(verticalscroll::HorizontalLine, Buttons::Ok, Icon::None, Answer::Ok);
            return VerticalOk::Refused;
        }

    CurrentMessage result = mergeLinesForVerticalScroll(m_message);
    result.CurrentLine = 1;
    result.BlockWait = std::to_string(speedStep(m_position).blockRate);
    for (int i = 1; i <= lines; ++i) {
        result.line(i).LineScroll.clear();
        result.line(i).LineBlock.clear();
    }
    result.line(1).LineBlock = "0," + (m_repeat ? m_repeatText : std::string("0"));
    const bool lock = m_repeat && m_lock;
    result.LockOn = lock ? "ON" : "";
    result.LockOff = lock ? "OFF" : "";
    result.BlockScrollOn = false;
    result.VerticalScrollOn = true;
    m_message = std::move(result);
    m_timerRunning = false;
    return VerticalOk::Done;
}

} // namespace marquis
