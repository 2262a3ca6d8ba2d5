#include "ui/dialogs/variables.h"

#include "model/modelfailure.h"
#include "model/numberformat.h"
#include "model/richtext.h"

#include <algorithm>
#include <exception>
#include <functional>
#include <vector>

namespace marquis {
namespace {

// The widest fields the display prints. A field without a point prints up to 20 digits; a
// field with one is written as 16 times its decimals plus its width, which only reads back
// while the width stays below 16.
constexpr std::size_t MaxPlainWidth = 20;
constexpr std::size_t MaxPointWidth = 15;

constexpr int FillStep = 32; // zero-filled fonts lie 32 above the space-filled ones
constexpr int BlinkStep = 16; // blinking fonts lie 16 above the steady ones

long long variableFont(int variable, bool zeroFill, bool blinking)
{
    return variable + (zeroFill ? FillStep : 0) + (blinking ? BlinkStep : 0);
}

// Calls `visit` with the span of every run, in order.
void forEachRun(const LineDocument& document, const std::function<void(CharacterSpan)>& visit)
{
    const std::size_t count = characterCount(document);
    for (std::size_t i = 0; i < count;) {
        const CharacterSpan run = runSpanAt(document, i);
        if (run.empty() || run.to <= i)
            break;
        visit(run);
        i = run.to;
    }
}

// Changes the font of every variable run that `change` picks, a run at a time, so that runs
// the change leaves alone keep their place in the encoding.
void changeVariableRuns(LineDocument& document, const std::function<long long(long long)>& change)
{
    std::vector<CharacterSpan> runs;
    forEachRun(document, [&](CharacterSpan run) {
        const long long font = fontAt(document, run.from);
        if (isVariableFont(font) && change(font) != font)
            runs.push_back(run);
    });
    for (const CharacterSpan run : runs)
        changeFonts(document, run, change);
}

// Makes the runs that lie inside `span` (one block, cut at its ends) one run: a field is one
// run, however many runs its characters came from.
void joinRuns(LineDocument& document, CharacterSpan span)
{
    const std::size_t b = blockAt(document, span.from);
    std::vector<LineRun>& runs = document.blocks.at(b).runs;
    std::size_t position = blockSpan(document, b).from;
    std::size_t first = runs.size();
    for (std::size_t r = 0; r < runs.size();) {
        const std::size_t end = position + runs[r].text.size();
        if (position >= span.from && end <= span.to && !runs[r].text.empty()) {
            if (first == runs.size()) {
                first = r;
            } else {
                runs[first].text += runs[r].text;
                runs[first].otherWords += runs[r].otherWords;
                runs.erase(runs.begin() + static_cast<std::ptrdiff_t>(r));
                position = end;
                continue;
            }
        }
        position = end;
        ++r;
    }
}

// Runs `step` on the document; when it fails the document stays as it was and the user is
// told with `failure`. Returns true when the step went through.
bool transaction(LineDocument& document, UserInterface& ui, std::string_view failure,
    const std::function<void(LineDocument&)>& step)
{
    LineDocument changed = document;
    try {
        step(changed);
    } catch (const std::exception&) {
        ui.message(failure, Buttons::Ok, Icon::None, Answer::Ok);
        return false;
    }
    document = std::move(changed);
    return true;
}

} // namespace

VariablesDialog::VariablesDialog(CurrentMessage& message, UserInterface& ui)
    : m_message(message)
    , m_ui(ui)
    , m_line(message.CurrentLine)
    , m_original(lineText())
    , m_text(m_original)
    , m_document(readLineDocument(m_text))
{
}

std::string VariablesDialog::lineFrameCaption() const
{
    return std::string(variablesdialog::LineFrame) + withLeadingBlank(m_line);
}

int VariablesDialog::variableOfCell(int row, int column)
{
    return column * TableRows + row + 1;
}

std::string VariablesDialog::cellLabel(int variable)
{
    return "V" + std::to_string(variable);
}

std::size_t VariablesDialog::index(int variable)
{
    return static_cast<std::size_t>(variable - 1);
}

std::string& VariablesDialog::lineText()
{
    return m_message.line(m_line).LineText;
}

void VariablesDialog::activate()
{
    if (m_activated)
        return;
    m_activated = true;
    m_on = CheckMark(m_text);
    m_clearEnabled = m_on;
}

bool VariablesDialog::CheckMark(std::string_view rich)
{
    return guarded("CheckMark", [&] {
        m_marked.fill(false);
        bool found = false;
        for (const LineBlock& block : readLineDocument(rich).blocks) {
            for (const LineRun& run : block.runs) {
                if (!isVariableFont(run.font))
                    continue;
                const std::size_t v = index(variableOfFont(run.font));
                m_marked.at(v) = true;
                if (isZeroFilledFont(run.font))
                    m_zeroFilled.at(v) = true;
                found = true;
            }
        }
        return found;
    });
}

void VariablesDialog::commit(bool store)
{
    m_text = writeLineDocument(m_document);
    if (store)
        lineText() = m_text;
}

void VariablesDialog::selectVariable(int variable)
{
    if (variable < 1 || variable > MaxVariables)
        return;
    m_selected = variable;
    m_status = "Variable " + withLeadingBlank(variable);
}

std::size_t VariablesDialog::characterIndex(std::size_t position) const
{
    const std::size_t blocks = m_document.blocks.size();
    for (std::size_t b = 0; b < blocks; ++b) {
        const CharacterSpan span = blockSpan(m_document, b);
        if (position <= span.to + b)
            return span.from + (position - std::min(position, span.from + b));
    }
    return characterCount(m_document);
}

bool VariablesDialog::holdsBlockEnd(EditorSpan highlight) const
{
    for (std::size_t b = 0; b + 1 < m_document.blocks.size(); ++b) {
        const std::size_t end = blockSpan(m_document, b).to + b;
        if (highlight.from <= end && end < highlight.to)
            return true;
    }
    return false;
}

// Why the characters of `field` cannot become a field, or nothing when they can.
std::optional<std::string> VariablesDialog::refusal(CharacterSpan field, bool blockEnd) const
{
    const std::string& placeholder = m_message.PlaceholderChar;
    const std::string onlyPlaceholders =
        "Selected area doesn't contain variable place holder " + placeholder + " only.";
    // A field lies within one block: a highlight over a block end holds the line break.
    if (blockEnd)
        return onlyPlaceholders;
    const std::string characters =
        plainCharacters(m_document).substr(field.from, field.to - field.from);
    std::size_t points = 0;
    for (const char c : characters) {
        if (c == '.')
            ++points;
        else if (placeholder.empty() || c != placeholder.front())
            return onlyPlaceholders;
    }
    if (points == characters.size())
        return "Selected area holds no variable place holder " + placeholder +
            ". A variable needs at least one digit.";
    if (points > 1)
        return std::string(
            "Selected area holds more than one decimal point. A variable has one at most.");
    if (points == 1 && characters.size() > MaxPointWidth)
        return "A variable with a decimal point can be at most " + std::to_string(MaxPointWidth) +
            " characters long, the point included.";
    if (characters.size() > MaxPlainWidth)
        return "A variable can be at most " + std::to_string(MaxPlainWidth) + " characters long.";
    return std::nullopt;
}

Assignment VariablesDialog::assign(int variable, EditorSpan highlight)
{
    CharacterSpan field { characterIndex(highlight.from), characterIndex(highlight.to) };
    if (highlight.from >= highlight.to || field.empty() || !m_on || variable < 1 ||
        variable > MaxVariables)
        return Assignment::NothingHighlighted;
    // A field is assigned whole: a highlight that starts or ends inside a field takes in all of
    // it, so no shortened field of the old variable is left behind.
    if (isVariableFont(fontAt(m_document, field.from)))
        field.from = runSpanAt(m_document, field.from).from;
    if (isVariableFont(fontAt(m_document, field.to - 1)))
        field.to = runSpanAt(m_document, field.to - 1).to;
    if (const std::optional<std::string> reason = refusal(field, holdsBlockEnd(highlight))) {
        m_ui.message(*reason, Buttons::Ok, Icon::None, Answer::Ok);
        return Assignment::Refused;
    }
    const bool blinking = isBlinkingFont(fontAt(m_document, field.from));
    const long long font = variableFont(variable, zeroFilled(variable), blinking);
    changeFonts(m_document, field, [font](long long) { return font; });
    joinRuns(m_document, field);
    commit(true);
    if (CheckMark(m_text))
        m_clearEnabled = true;
    return Assignment::Assigned;
}

void VariablesDialog::setFill(bool zeroFill)
{
    if (!m_selected)
        return;
    const int variable = *m_selected;
    m_zeroFilled.at(index(variable)) = zeroFill;
    const bool changed =
        transaction(m_document, m_ui, variablesdialog::UpdateFailure, [&](LineDocument& line) {
            changeVariableRuns(line, [&](long long font) {
                if (!isVariableFont(font) || variableOfFont(font) != variable)
                    return font;
                return variableFont(variable, zeroFill, isBlinkingFont(font));
            });
        });
    if (changed)
        commit(false);
}

void VariablesDialog::removeVariables()
{
    if (!CheckVariable(m_text))
        return;
    const bool changed =
        transaction(m_document, m_ui, variablesdialog::DeleteFailure, [](LineDocument& line) {
            changeVariableRuns(line, [](long long font) -> long long {
                if (!isVariableFont(font))
                    return font;
                return isBlinkingFont(font) ? BlinkingTextFont : PlainFont;
            });
        });
    if (changed)
        commit(false);
}

void VariablesDialog::clearVariables()
{
    removeVariables();
    m_clearEnabled = CheckMark(m_text);
}

void VariablesDialog::setVariablesOn(bool on)
{
    m_on = on;
    if (on)
        m_clearEnabled = CheckMark(m_text);
}

void VariablesDialog::ok()
{
    if (!m_on)
        removeVariables();
    lineText() = m_text;
}

void VariablesDialog::cancel()
{
    lineText() = m_original;
}

std::string VariablesDialog::textStatus(std::size_t position) const
{
    const long long font = fontAt(m_document, characterIndex(position));
    if (!isVariableFont(font))
        return std::string(variablesdialog::TextStatus);
    const char* kind = ", leading spaces.";
    if (font > 48)
        kind = ", leading zero, blinking";
    else if (font > 32)
        kind = ", leading zeros.";
    else if (font > 16)
        kind = ", leading spaces, blinking.";
    return "Variable " + std::to_string(variableOfFont(font)) + kind;
}

std::string VariablesDialog::toolTip(VariablesControl control) const
{
    switch (control) {
    case VariablesControl::Ok:
        return "Click once to save all changes if any.";
    case VariablesControl::Cancel:
        return "Click once to discard all changes if any.";
    case VariablesControl::Clear:
        return "Click once to remove all variable assignments. Pressing Cancel will disregard "
               "changes, pressing OK will save changes.";
    case VariablesControl::Help:
        return "Click once to invoke help on how to use this window.";
    case VariablesControl::Table:
        return "Click once to check or change current variable status or double click when "
               "variable chars are highlighted to assign.";
    case VariablesControl::On:
        return m_on ? "All controls are enabled. You can edit variable assignments."
                    : "Click once to enable all controls in this form and start editing.";
    case VariablesControl::Off:
        return m_on ? "All controls are enabled. If you want to remove all variable assignments "
                      "click once here then press OK."
                    : "All controls are disabled. If you press OK button all variable "
                      "assignments if any will be lost, Cancel will disregard all changes.";
    case VariablesControl::Space:
        return "Click once when desired variable in table below has focus to make it space "
               "filled.";
    case VariablesControl::Zero:
        return "Click once when desired variable in table below has focus to make it zero "
               "filled.";
    }
    return {};
}

} // namespace marquis
