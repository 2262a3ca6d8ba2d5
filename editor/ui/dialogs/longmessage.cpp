#include "ui/dialogs/longmessage.h"

#include "model/linereshape.h"
#include "model/richtext.h"

#include <array>
#include <utility>

namespace marquis {
namespace {

namespace texts = longmessagedialog;

// The continuous and block rates called NORMAL.
constexpr std::string_view ContinuousNormalRate = "25,";
constexpr std::string_view BlockNormalWait = "10";

bool plays(const EditLine& line)
{
    return !line.LineBlock.empty();
}

// A message whose lines play blocks waits between them: with no wait of its own it takes the
// NORMAL one, or the unit would show every block for no time at all.
void ensureBlockWait(CurrentMessage& message)
{
    if (!message.BlockWait.empty())
        return;
    for (int k = 1; k <= message.UnitLines; ++k) {
        if (plays(message.line(k))) {
            message.BlockWait = std::string(BlockNormalWait);
            return;
        }
    }
}

// The message as a vertically scrolled one: every line merged into line 1, which plays the
// blocks with `lineBlock`.
CurrentMessage mergedVertically(CurrentMessage message, std::string lineBlock)
{
    message.line(1).LineBlock = std::move(lineBlock);
    message = mergeLinesForVerticalScroll(message);
    for (int k = 2; k <= message.UnitLines; ++k) {
        message.line(k).LineScroll.clear();
        message.line(k).LineBlock.clear();
    }
    message.VerticalScrollOn = true;
    message.BlockScrollOn = false;
    message.CurrentLine = 1;
    if (message.BlockWait.empty())
        message.BlockWait = std::string(BlockNormalWait);
    return message;
}

void clearScrollFlags(CurrentMessage& message)
{
    message.BlockScrollOn = false;
    message.VerticalScrollOn = false;
}

std::string droppedCharactersQuestion(std::size_t dropped)
{
    return "A continuous line holds at most 155 characters. The last " + std::to_string(dropped) +
        (dropped == 1 ? " character" : " characters") + " of the line will be dropped.";
}

std::string droppedBlocksQuestion(std::size_t dropped, int lines)
{
    return "The display has " + std::to_string(lines) + " lines. The last " +
        std::to_string(dropped) + (dropped == 1 ? " block" : " blocks") +
        " of the message will be dropped.";
}

} // namespace

LongMessageCase longMessageCase(const CurrentMessage& message)
{
    const EditLine& line = message.line(message.CurrentLine);
    if (!line.LineScroll.empty())
        return LongMessageCase::ContinuousOff;
    if (line.LineBlock.empty())
        return LongMessageCase::TwentyFirstCharacter;
    if (message.BlockScrollOn)
        return LongMessageCase::HorizontalBlocksOff;
    // A block line that is neither: its blocks are the message's vertical scroll.
    return LongMessageCase::VerticalOff;
}

std::string repeatCount(std::string_view attribute)
{
    const std::size_t comma = attribute.find(',');
    const std::string_view count =
        comma == std::string_view::npos ? std::string_view {} : attribute.substr(comma + 1);
    return count.empty() ? "0" : std::string(count);
}

LongMessageChooser::LongMessageChooser(
    CurrentMessage& message, UserInterface& ui, ScrollDialogs dialogs)
    : m_message(message)
    , m_ui(ui)
    , m_dialogs(std::move(dialogs))
    , m_case(longMessageCase(message))
{
}

void LongMessageChooser::activate()
{
    if (m_activated)
        return;
    m_activated = true;
    switch (m_case) {
    case LongMessageCase::TwentyFirstCharacter:
        m_prompt = texts::TypedPrompt;
        break;
    case LongMessageCase::ContinuousOff:
        m_prompt = texts::ContinuousOffPrompt;
        break;
    case LongMessageCase::HorizontalBlocksOff:
        m_prompt = texts::BlocksOffPrompt;
        break;
    case LongMessageCase::VerticalOff:
        m_prompt = texts::VerticalOffPrompt;
        break;
    }
    m_chosen = 0;
}

int LongMessageChooser::optionCount() const
{
    return m_case == LongMessageCase::TwentyFirstCharacter ? 4 : 3;
}

std::string_view LongMessageChooser::optionText(int index) const
{
    using Options = std::array<std::string_view, 4>;
    static constexpr Options typed { texts::NoLongMessage, texts::Continuous,
        texts::HorizontalBlocks, texts::Vertical };
    static constexpr Options continuousOff { texts::NoLongMessage, texts::HorizontalBlocks,
        texts::VerticalMerged, {} };
    static constexpr Options blocksOff { texts::NoLongMessage, texts::ContinuousUpTo155,
        texts::VerticalMerged, {} };
    static constexpr Options verticalOff { texts::NoLongMessage, texts::ContinuousUpTo155,
        texts::HorizontalBlocks, {} };
    if (index < 0 || index >= optionCount())
        return {};
    const auto at = static_cast<std::size_t>(index);
    switch (m_case) {
    case LongMessageCase::TwentyFirstCharacter:
        return typed[at];
    case LongMessageCase::ContinuousOff:
        return continuousOff[at];
    case LongMessageCase::HorizontalBlocksOff:
        return blocksOff[at];
    case LongMessageCase::VerticalOff:
        return verticalOff[at];
    }
    return {};
}

bool LongMessageChooser::available(int index) const
{
    if (m_case != LongMessageCase::TwentyFirstCharacter)
        return true;
    if (index == 1 || index == 2)
        return static_cast<bool>(m_dialogs.horizontal);
    if (index == 3)
        return static_cast<bool>(m_dialogs.vertical);
    return true;
}

void LongMessageChooser::choose(int index)
{
    if (index >= 0 && index < optionCount())
        m_chosen = index;
}

bool LongMessageChooser::ok()
{
    if (!available(m_chosen)) {
        m_ui.message(texts::NotAvailable, Buttons::Ok, Icon::Exclamation, Answer::Ok);
        return false;
    }
    switch (m_case) {
    case LongMessageCase::TwentyFirstCharacter:
        return typedCharacter();
    case LongMessageCase::ContinuousOff:
        return continuousOff();
    case LongMessageCase::HorizontalBlocksOff:
        return blocksOff();
    case LongMessageCase::VerticalOff:
        return verticalOff();
    }
    return true;
}

// Options 1 to 3 give the line its new form and let the scroll dialog set its details; the
// typed character itself is the Quick Edit window's.
bool LongMessageChooser::typedCharacter()
{
    CurrentMessage result = m_message;
    EditLine& line = result.line(result.CurrentLine);
    switch (m_chosen) {
    case 1:
        line.LineScroll = std::string(ContinuousNormalRate) + "0";
        line.LineBlock.clear();
        clearScrollFlags(result);
        return handOver(result, m_dialogs.horizontal);
    case 2:
        line.LineBlock = "0,0";
        result.BlockScrollOn = true;
        result.VerticalScrollOn = false;
        ensureBlockWait(result);
        return handOver(result, m_dialogs.horizontal);
    case 3:
        result.CurrentLine = 1;
        result.line(1).LineBlock = "0,0";
        result.VerticalScrollOn = true;
        result.BlockScrollOn = false;
        ensureBlockWait(result);
        return handOver(result, m_dialogs.vertical);
    default:
        return true;
    }
}

bool LongMessageChooser::continuousOff()
{
    CurrentMessage result = m_message;
    EditLine& line = result.line(result.CurrentLine);
    const std::string count = repeatCount(line.LineScroll);
    line.LineScroll.clear();
    switch (m_chosen) {
    case 0:
        line.LineText = keepLeading(line.LineText, DisplayWidth).rich;
        break;
    case 1:
        line.LineText = splitIntoBlocks(line.LineText);
        line.LineBlock = "0," + count;
        result.BlockWait = std::string(BlockNormalWait);
        result.BlockScrollOn = true;
        result.VerticalScrollOn = false;
        break;
    default:
        line.LineText = splitIntoBlocks(line.LineText);
        result.BlockWait = std::string(BlockNormalWait);
        result = mergedVertically(std::move(result), "0," + count);
        break;
    }
    commit(std::move(result));
    return true;
}

bool LongMessageChooser::blocksOff()
{
    CurrentMessage result = m_message;
    EditLine& line = result.line(result.CurrentLine);
    switch (m_chosen) {
    case 0:
        line.LineText = splitBlocks(line.LineText).front();
        line.LineBlock.clear();
        result.BlockWait.clear();
        clearScrollFlags(result);
        break;
    case 1:
        if (!joinedForContinuous(line))
            return false;
        line.LineScroll = std::string(ContinuousNormalRate) + repeatCount(line.LineBlock);
        line.LineBlock.clear();
        result.BlockWait.clear();
        clearScrollFlags(result);
        break;
    default: {
        std::string lineBlock = line.LineBlock;
        line.LineBlock.clear();
        result = mergedVertically(std::move(result), std::move(lineBlock));
        break;
    }
    }
    commit(std::move(result));
    return true;
}

bool LongMessageChooser::verticalOff()
{
    CurrentMessage result = m_message;
    switch (m_chosen) {
    case 0: {
        SpreadResult spread = spreadBlocksOverLines(result);
        if (spread.droppedBlocks > 0 &&
            m_ui.message(droppedBlocksQuestion(spread.droppedBlocks, result.UnitLines),
                Buttons::OkCancel, Icon::Exclamation, Answer::Cancel) != Answer::Ok)
            return false;
        result = std::move(spread.message);
        for (int k = 1; k <= result.UnitLines; ++k)
            result.line(k).LineBlock.clear();
        result.BlockWait.clear();
        result.VerticalScrollOn = false;
        result.CurrentLine = 1;
        break;
    }
    case 1: {
        EditLine& line = result.line(result.CurrentLine);
        if (!joinedForContinuous(line))
            return false;
        line.LineScroll = std::string(ContinuousNormalRate) + repeatCount(line.LineBlock);
        line.LineBlock.clear();
        result.BlockWait.clear();
        clearScrollFlags(result);
        break;
    }
    default:
        result.BlockScrollOn = true;
        result.VerticalScrollOn = false;
        ensureBlockWait(result);
        break;
    }
    commit(std::move(result));
    return true;
}

bool LongMessageChooser::joinedForContinuous(EditLine& line)
{
    const KeptText kept = keepLeading(joinBlocks(line.LineText), ContinuousLimit);
    if (kept.dropped > 0 &&
        m_ui.message(droppedCharactersQuestion(kept.dropped), Buttons::OkCancel, Icon::Exclamation,
            Answer::Cancel) != Answer::Ok)
        return false;
    line.LineText = kept.rich;
    return true;
}

bool LongMessageChooser::handOver(
    const CurrentMessage& prepared, const std::function<bool()>& dialog)
{
    const CurrentMessage before = m_message;
    m_message = prepared;
    bool confirmed = false;
    try {
        confirmed = dialog();
    } catch (...) {
        m_message = before;
        throw;
    }
    if (!confirmed) {
        m_message = before;
        return true;
    }
    ensureBlockWait(m_message);
    m_changed = true;
    return true;
}

void LongMessageChooser::commit(CurrentMessage result)
{
    ensureBlockWait(result);
    m_message = std::move(result);
    m_changed = true;
}

} // namespace marquis
