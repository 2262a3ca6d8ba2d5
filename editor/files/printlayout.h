#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace marquis {

// The type faces of a printout.
enum class PrintStyle { Heading, Bold, Normal };

// What the page composer needs to know of the printer: how wide a text is, how high a line is
// and how large the printable area of a page is, all in the printer's own units.
class PageMeasure {
public:
    virtual ~PageMeasure() = default;
    virtual double textWidth(std::string_view text, PrintStyle style) const = 0;
    virtual double lineHeight(PrintStyle style) const = 0;
    virtual double pageWidth() const = 0;
    virtual double pageHeight() const = 0;
};

// A piece of one printed line in one type face. Text is Windows-1252.
struct PrintRun {
    std::string text;
    PrintStyle style = PrintStyle::Normal;
};
using PrintLine = std::vector<PrintRun>;

// A run at its place on a page; y is the top of its line.
struct PlacedRun {
    double x = 0;
    double y = 0;
    std::string text;
    PrintStyle style = PrintStyle::Normal;
};

struct PrintedPage {
    int copy = 1; // counted from 1
    int number = 1; // counted from 1 within its copy
    std::vector<PlacedRun> runs;
};

struct PrintDocument {
    std::vector<PrintedPage> pages;
};

// Lays printed lines out on pages: a new page begins before a line that would start within the
// bottom eight lines of the printable area, every page after a copy's first starts with its
// number, and every copy starts on a page of its own numbered 1. A line wider than the page
// goes on over further lines, so nothing is cut off at the right edge.
class PageComposer {
public:
    explicit PageComposer(const PageMeasure& measure);

    // Starts the next copy on a new page.
    void startCopy();
    // A heading line centred by leading blanks.
    void heading(std::string_view text);
    void line(const PrintLine& line);
    void emptyLine();

    PrintDocument finish();

    // The blanks that centre `length` characters of heading type on the printable width: the
    // width counted in blanks, less five, less the length, halved; never below 0.
    int centringBlanks(std::size_t length) const;

private:
    void newPage();
    void breakIfNeeded();
    void place(const PrintLine& line);
    std::size_t fittingLength(const PrintLine& line) const;
    double width(const PrintLine& line) const;

    const PageMeasure& m_measure;
    PrintDocument m_document;
    int m_copy = 0;
    double m_y = 0;
};

// One line of a file as the printer can draw it: a tab becomes blanks up to the next multiple
// of four columns, any other control character a blank, so the columns stay where they were.
std::string printableText(std::string_view line);

} // namespace marquis
