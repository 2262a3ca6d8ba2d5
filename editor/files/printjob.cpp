#include "files/printjob.h"

#include "files/editorcontent.h"
#include "files/printsource.h"
#include "model/numberformat.h"
#include "model/windows1252.h"

#include <algorithm>

namespace marquis {
namespace {

constexpr std::string_view Indent = "    ";

// A path (UTF-8) as printed text (Windows-1252); characters the printed text cannot hold
// become "?".
std::string printedPath(const std::string& path)
{
    if (std::optional<std::string> text = utf8ToWindows1252(path))
        return *text;
    std::string text;
    for (const char c : path)
        text += static_cast<unsigned char>(c) < 128 ? c : '?';
    return text;
}

// The progress of copy `copy` (from 0) at message m: it grows with the message number across
// all copies and shows as 100 once it passes 98.
int progressOf(int copy, int m, int copies)
{
    const long long done = static_cast<long long>(copy) * MessageCount + m + 1;
    const long long percent = done * 100 / (static_cast<long long>(copies) * MessageCount);
    return percent > 98 ? 100 : static_cast<int>(percent);
}

} // namespace

PrintJob::PrintJob(EditorSession& session)
    : m_session(session)
{
}

bool PrintJob::available()
{
    return !m_session.store().ScriptFilePath.empty() || hasEditorContent(m_session);
}

std::string PrintJob::progressText(const std::string& label, int percent)
{
    return "Printing file " + label + ". " + withLeadingBlank(percent) + " % complete.";
}

void PrintJob::heading(PageComposer& composer, const std::string& fileName)
{
    composer.heading(
        "Tessaly Industries " + m_session.preferences().UnitType + " Message Script Printout");
    composer.heading("Filename: " + printedPath(fileName));
    composer.emptyLine();
}

bool PrintJob::deliver(const PrintDocument& document, const Send& send)
{
    if (send(document))
        return true;
    m_session.ui().message(PrinterFailedText, Buttons::Ok, Icon::Exclamation, Answer::Ok);
    return false;
}

bool PrintJob::printAll(const PageMeasure& measure, PrintMode mode, int copies, const Send& send)
{
    FileStore& store = m_session.store();
    UserInterface& ui = m_session.ui();
    const std::string label = store.ScriptFilePath.empty() ? "New" : store.ScriptFilePath;
    const Preferences& preferences = m_session.preferences();
    const std::string placeholder = m_session.message().PlaceholderChar;
    copies = std::max(1, copies);

    PrintSource source(store, m_session.currentScript());
    const BusyNotice notice(ui, progressText(label, 1));
    if (!source.open())
        return false;
    PageComposer composer(measure);
    int shown = 1;
    for (int copy = 0; copy < copies; ++copy) {
        composer.startCopy();
        heading(composer, label);
        if (mode == PrintMode::Complete) {
            for (const std::string& line : { "#define Display_type (" + preferences.UnitType + ")",
                     std::string("#include \"ESCAPES.H\""),
                     "#pragma version " + preferences.ScriptVersion })
                composer.line({ { std::string(Indent) + line } });
            composer.emptyLine();
        }
        for (int m = 0; m < MessageCount; ++m) {
            const std::string text = source.text(m);
            if (!text.empty()) {
                for (const PrintLine& line : printedMessage(text, m, mode, placeholder))
                    composer.line(line);
                composer.emptyLine();
            }
            if (const int percent = progressOf(copy, m, copies); percent > shown) {
                ui.status(progressText(label, percent));
                shown = percent;
            }
        }
    }
    return deliver(composer.finish(), send);
}

bool PrintJob::printCurrent(const PageMeasure& measure, int copies, const Send& send)
{
    const CurrentMessage& message = m_session.message();
    const std::string text = m_session.currentScript();
    const BusyNotice notice(
        m_session.ui(), "Printing message " + withLeadingBlank(message.MessageNumber));
    PageComposer composer(measure);
    for (int copy = 0; copy < std::max(1, copies); ++copy) {
        composer.startCopy();
        heading(composer, m_session.store().ScriptFilePath);
        for (const PrintLine& line : printedMessage(
                 text, message.MessageNumber, PrintMode::Complete, message.PlaceholderChar))
            composer.line(line);
    }
    return deliver(composer.finish(), send);
}

} // namespace marquis
