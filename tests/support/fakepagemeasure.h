#pragma once

#include "files/printlayout.h"

#include <algorithm>
#include <map>
#include <string>
#include <vector>

namespace marquis::testing {

// A printer of whole character cells: text one unit wide per character and lines one unit
// high, headings two by two, on a page of the given size.
class FakePageMeasure : public PageMeasure {
public:
    FakePageMeasure(double width, double height)
        : m_width(width)
        , m_height(height)
    {
    }
    double textWidth(std::string_view text, PrintStyle style) const override
    {
        return static_cast<double>(text.size()) * (style == PrintStyle::Heading ? 2 : 1);
    }
    double lineHeight(PrintStyle style) const override
    {
        return style == PrintStyle::Heading ? 2 : 1;
    }
    double pageWidth() const override { return m_width; }
    double pageHeight() const override { return m_height; }

private:
    double m_width;
    double m_height;
};

// The text of a page line by line, top to bottom: the runs of one line joined left to right.
inline std::vector<std::string> pageLines(const PrintedPage& page)
{
    std::map<double, std::vector<const PlacedRun*>> lines;
    for (const PlacedRun& run : page.runs)
        lines[run.y].push_back(&run);
    std::vector<std::string> texts;
    for (auto& [y, runs] : lines) {
        std::sort(runs.begin(), runs.end(),
            [](const PlacedRun* a, const PlacedRun* b) { return a->x < b->x; });
        std::string text;
        for (const PlacedRun* run : runs)
            text += run->text;
        texts.push_back(text);
    }
    return texts;
}

// Every line of a document, page after page.
inline std::vector<std::string> documentLines(const PrintDocument& document)
{
    std::vector<std::string> lines;
    for (const PrintedPage& page : document.pages)
        for (std::string& line : pageLines(page))
            lines.push_back(std::move(line));
    return lines;
}

} // namespace marquis::testing
