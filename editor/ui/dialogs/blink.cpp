#include "ui/dialogs/blink.h"

#include "model/numberformat.h"
#include "model/richtext.h"

#include <algorithm>

namespace marquis {
namespace {

// A stored rate runs the preview at ten times its value in milliseconds; a rate of 0 or less
// would spin the timer, and a huge one would never tick.
constexpr long long ShortestTickMs = 10;
constexpr long long LongestTickMs = 100000;

std::size_t index(BlinkControl control)
{
    return static_cast<std::size_t>(control);
}

CharacterSpan clamped(CharacterSpan span, std::size_t count)
{
    span.to = std::min(span.to, count);
    span.from = std::min(span.from, span.to);
    return span;
}

} // namespace

long long blinkingFont(long long font)
{
    if (font == PlainFont)
        return BlinkingTextFont;
    if (isVariableFont(font) && !isBlinkingFont(font))
        return font + 16;
    return font;
}

long long steadyFont(long long font)
{
    if (font == BlinkingTextFont)
        return PlainFont;
    if (isVariableFont(font) && isBlinkingFont(font))
        return font - 16;
    return font;
}

BlinkDialog::BlinkDialog(CurrentMessage& message)
    : m_message(message)
    , m_line(message.CurrentLine)
{
    const EditLine& line = message.line(m_line);
    m_blockLine = !line.LineBlock.empty();
    const std::string plain = GetText(line.LineText);
    m_document = readLineDocument(plain.empty() ? blinkdialog::EmptyLine : line.LineText);
    if (m_document.blocks.size() > 1)
        m_view = BlinkEditorView::Blocks;
    else if (plain.size() > static_cast<std::size_t>(DisplayWidth))
        m_view = BlinkEditorView::LongRow;
    m_enabled.fill(true);
    applySpeed();
}

std::string BlinkDialog::caption() const
{
    return std::string(blinkdialog::CaptionPrefix) + withLeadingBlank(m_line);
}

std::string_view BlinkDialog::lineFrameCaption() const
{
    return m_blockLine ? blinkdialog::BlockFrame : blinkdialog::LineFrame;
}

bool BlinkDialog::blinking(std::size_t index) const
{
    return index < characterCount(m_document) && isBlinkingFont(fontAt(m_document, index));
}

void BlinkDialog::activate()
{
    if (m_activated)
        return;
    m_activated = true;
    const std::string& attribute = m_message.line(m_line).LineBlink;
    if (attribute.empty()) {
        chooseOff();
        return;
    }
    chooseOn();
    const long long rate = numberValue(trimmed(attribute.substr(0, attribute.find(','))));
    m_tickMs = static_cast<int>(std::clamp(rate * 10, ShortestTickMs, LongestTickMs));
    moveSlider(positionOfRate(leadingRate(attribute)));
}

void BlinkDialog::chooseOn()
{
    m_on = true;
    enableEditing(true);
    m_timerRunning = true;
    applySpeed();
}

void BlinkDialog::chooseOff()
{
    m_on = false;
    m_timerRunning = false;
    enableEditing(false);
}

void BlinkDialog::moveSlider(int position)
{
    position = std::clamp(position, SlowestPosition, FastestPosition);
    if (position == m_position)
        return;
    m_position = position;
    applySpeed();
}

void BlinkDialog::applySpeed()
{
    const SpeedStep& speed = speedStep(m_position);
    m_speedWord = speed.word;
    m_tickMs = speed.tickMs;
}

void BlinkDialog::tick()
{
    m_blinkLabel = m_phase ? std::string(m_speedWord) : std::string();
    m_phase = !m_phase;
    const bool highlighted = !m_highlight.empty();
    if (highlighted) {
        const BlinkState state = highlightState();
        if (state != BlinkState::Off)
            m_enabled[index(BlinkControl::cmdSecOff)] = true;
        if (state != BlinkState::On)
            m_enabled[index(BlinkControl::cmdSecOn)] = true;
    } else {
        m_enabled[index(BlinkControl::cmdSecOn)] = false;
        m_enabled[index(BlinkControl::cmdSecOff)] = false;
    }
    m_enabled[index(BlinkControl::cmdAllOn)] = !highlighted;
    m_enabled[index(BlinkControl::cmdAllOff)] = !highlighted;
}

bool BlinkDialog::enabled(BlinkControl control) const
{
    return m_enabled[index(control)];
}

void BlinkDialog::enableEditing(bool enabled)
{
    for (const BlinkControl control : { BlinkControl::txtEdit, BlinkControl::cmdSecOn,
             BlinkControl::cmdSecOff, BlinkControl::cmdAllOn, BlinkControl::cmdAllOff,
             BlinkControl::hsbBlink, BlinkControl::lblRate, BlinkControl::lblBlink })
        m_enabled[index(control)] = enabled;
}

void BlinkDialog::select(CharacterSpan selection, std::size_t caretBlock)
{
    m_selection = clamped(selection, characterCount(m_document));
    m_caretBlock = std::min(caretBlock, m_document.blocks.size() - 1);
    if (!m_selection.empty())
        m_highlight = m_selection;
}

CharacterSpan BlinkDialog::wordAt(std::size_t index) const
{
    const std::string plain = plainCharacters(m_document);
    if (index >= plain.size() || plain[index] == ' ')
        return {};
    const long long font = fontAt(m_document, index);
    const std::size_t block = blockAt(m_document, index);
    auto sameWord = [&](std::size_t i) {
        return plain[i] != ' ' && fontAt(m_document, i) == font && blockAt(m_document, i) == block;
    };
    CharacterSpan word { index, index + 1 };
    while (word.from > 0 && sameWord(word.from - 1))
        --word.from;
    while (word.to < plain.size() && sameWord(word.to))
        ++word.to;
    return word;
}

void BlinkDialog::selectWordAt(std::size_t index)
{
    const CharacterSpan word = wordAt(index);
    if (!word.empty())
        select(word, blockAt(m_document, word.from));
}

BlinkState BlinkDialog::highlightState() const
{
    bool on = false;
    bool off = false;
    for (std::size_t i = m_highlight.from; i < m_highlight.to; ++i)
        (blinking(i) ? on : off) = true;
    return on && off ? BlinkState::Mixed : on ? BlinkState::On : BlinkState::Off;
}

void BlinkDialog::setBlink(CharacterSpan span, bool on)
{
    span = clamped(span, characterCount(m_document));
    if (span.empty())
        return;
    if (isVariableFont(fontAt(m_document, span.from)))
        span.from = runSpanAt(m_document, span.from).from;
    if (isVariableFont(fontAt(m_document, span.to - 1)))
        span.to = runSpanAt(m_document, span.to - 1).to;
    changeFonts(m_document, span, on ? blinkingFont : steadyFont);
}

void BlinkDialog::clearHighlight()
{
    m_highlight = {};
    m_selection = {};
}

void BlinkDialog::sectionOn()
{
    if (!m_highlight.empty())
        setBlink(m_highlight, true);
}

void BlinkDialog::sectionOff()
{
    if (m_highlight.empty())
        return;
    setBlink(m_highlight, false);
    clearHighlight();
}

CharacterSpan BlinkDialog::allTarget() const
{
    if (!m_blockLine)
        return { 0, characterCount(m_document) };
    CharacterSpan block = blockSpan(m_document, m_caretBlock);
    const std::string plain = plainCharacters(m_document);
    while (block.from < block.to && plain[block.from] == ' ')
        ++block.from;
    return block;
}

void BlinkDialog::allOn()
{
    setBlink(allTarget(), true);
    clearHighlight();
}

void BlinkDialog::allOff()
{
    setBlink(allTarget(), false);
    clearHighlight();
}

void BlinkDialog::clear()
{
    setBlink({ 0, characterCount(m_document) }, false);
    clearHighlight();
}

void BlinkDialog::ok()
{
    m_timerRunning = false;
    // Text still highlighted blinks; "Off" makes the whole line steady.
    if (!m_highlight.empty() && m_on)
        setBlink(m_highlight, true);
    if (!m_on)
        setBlink({ 0, characterCount(m_document) }, false);
    clearHighlight();

    EditLine& line = m_message.line(m_line);
    // A line without text keeps what it holds: there is nothing in it to blink.
    if (characterCount(m_document) > 0)
        line.LineText = writeLineDocument(m_document);

    const std::string blinks = CheckBlink(line.LineText);
    if (blinks.empty() || !m_on) {
        line.LineBlink.clear();
        return;
    }
    // All blinking lines of a message share one rate.
    const std::string rate = std::to_string(speedStep(m_position).rate);
    const int lines = std::min<int>(m_message.UnitLines, MaxUnitLines);
    for (int i = 1; i <= lines; ++i) {
        std::string& attribute = m_message.line(i).LineBlink;
        const std::size_t comma = attribute.find(',');
        if (i == m_line)
            attribute = rate + "," + blinks;
        else if (comma != std::string::npos)
            attribute = rate + attribute.substr(comma);
    }
}

} // namespace marquis
