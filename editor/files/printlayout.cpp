#include "files/printlayout.h"

#include <algorithm>

namespace marquis {
namespace {

// Lines kept free at the foot of every page, in lines of normal type.
constexpr int FootLines = 8;
// The blanks a continued line is indented by beyond its own indent.
constexpr std::size_t ContinuationIndent = 4;
constexpr int TabWidth = 4;

std::size_t lengthOf(const PrintLine& line)
{
    std::size_t length = 0;
    for (const PrintRun& run : line)
        length += run.text.size();
    return length;
}

std::string flatText(const PrintLine& line)
{
    std::string text;
    for (const PrintRun& run : line)
        text += run.text;
    return text;
}

// The first `count` characters of a line, in their own type faces.
PrintLine take(const PrintLine& line, std::size_t count)
{
    PrintLine part;
    for (const PrintRun& run : line) {
        if (count == 0)
            break;
        const std::size_t taken = std::min(count, run.text.size());
        part.push_back({ run.text.substr(0, taken), run.style });
        count -= taken;
    }
    return part;
}

// The line without its first `count` characters.
PrintLine drop(const PrintLine& line, std::size_t count)
{
    PrintLine rest;
    for (const PrintRun& run : line) {
        const std::size_t dropped = std::min(count, run.text.size());
        count -= dropped;
        if (dropped < run.text.size())
            rest.push_back({ run.text.substr(dropped), run.style });
    }
    return rest;
}

std::size_t leadingBlanks(const PrintLine& line)
{
    const std::string text = flatText(line);
    const std::size_t first = text.find_first_not_of(' ');
    return first == std::string::npos ? text.size() : first;
}

} // namespace

std::string printableText(std::string_view line)
{
    std::string text;
    text.reserve(line.size());
    for (const char c : line) {
        if (c == '\t')
            text.append(TabWidth - text.size() % TabWidth, ' ');
        else
            text += static_cast<unsigned char>(c) < 32 ? ' ' : c;
    }
    return text;
}

PageComposer::PageComposer(const PageMeasure& measure)
    : m_measure(measure)
{
}

int PageComposer::centringBlanks(std::size_t length) const
{
    const double blank = m_measure.textWidth(" ", PrintStyle::Heading);
    if (blank <= 0)
        return 0;
    const double blanks = m_measure.pageWidth() / blank - 5 - static_cast<double>(length);
    return std::max(0, static_cast<int>(blanks / 2));
}

void PageComposer::startCopy()
{
    ++m_copy;
    newPage();
}

void PageComposer::newPage()
{
    if (m_copy == 0)
        m_copy = 1;
    const int number = m_document.pages.empty() || m_document.pages.back().copy != m_copy
        ? 1
        : m_document.pages.back().number + 1;
    m_document.pages.push_back({ m_copy, number, {} });
    m_y = 0;
    if (number == 1)
        return;
    const double height = m_measure.lineHeight(PrintStyle::Normal);
    m_y += height;
    m_document.pages.back().runs.push_back(
        { m_measure.pageWidth() / 2, m_y, std::to_string(number), PrintStyle::Normal });
    m_y += 3 * height;
}

void PageComposer::breakIfNeeded()
{
    if (m_document.pages.empty() ||
        m_y > m_measure.pageHeight() - FootLines * m_measure.lineHeight(PrintStyle::Normal))
        newPage();
}

void PageComposer::heading(std::string_view text)
{
    place({ { std::string(static_cast<std::size_t>(centringBlanks(text.size())), ' ') +
            std::string(text),
        PrintStyle::Heading } });
}

void PageComposer::line(const PrintLine& line)
{
    place(line);
}

void PageComposer::emptyLine()
{
    place({});
}

double PageComposer::width(const PrintLine& line) const
{
    double total = 0;
    for (const PrintRun& run : line)
        total += m_measure.textWidth(run.text, run.style);
    return total;
}

// The most leading characters of the line that fit on the page; at least one, so that every
// line makes progress however narrow the page.
std::size_t PageComposer::fittingLength(const PrintLine& line) const
{
    std::size_t fits = 1;
    std::size_t tooLong = lengthOf(line);
    while (tooLong - fits > 1) {
        const std::size_t middle = fits + (tooLong - fits) / 2;
        if (width(take(line, middle)) <= m_measure.pageWidth())
            fits = middle;
        else
            tooLong = middle;
    }
    return fits;
}

void PageComposer::place(const PrintLine& line)
{
    std::size_t continuation = leadingBlanks(line) + ContinuationIndent;
    PrintLine rest = line;
    while (true) {
        breakIfNeeded();
        double height = m_measure.lineHeight(PrintStyle::Normal);
        for (const PrintRun& run : rest)
            height = std::max(height, m_measure.lineHeight(run.style));
        PrintLine shown = rest;
        PrintLine next;
        const std::size_t length = lengthOf(rest);
        if (length > 0 && width(rest) > m_measure.pageWidth()) {
            const std::size_t fits = std::min(fittingLength(rest), length);
            const std::size_t indent = leadingBlanks(rest);
            if (fits <= indent) {
                // Not even the indent leaves room: the rest goes on without one.
                rest = drop(rest, indent);
                continuation = 0;
                continue;
            }
            // Broken at the last blank that fits, when there is one after the indent.
            const std::size_t blank = flatText(rest).rfind(' ', fits);
            const std::size_t cut = blank != std::string::npos && blank > indent ? blank : fits;
            shown = take(rest, cut);
            next = drop(rest, cut);
            next = drop(next, leadingBlanks(next));
            if (!next.empty() && continuation > 0)
                next.insert(next.begin(), { std::string(continuation, ' '), next.front().style });
        }
        double x = 0;
        for (PrintRun& run : shown) {
            if (run.text.empty())
                continue;
            const double runWidth = m_measure.textWidth(run.text, run.style);
            m_document.pages.back().runs.push_back({ x, m_y, std::move(run.text), run.style });
            x += runWidth;
        }
        m_y += height;
        if (next.empty())
            return;
        rest = std::move(next);
    }
}

PrintDocument PageComposer::finish()
{
    return std::move(m_document);
}

} // namespace marquis
