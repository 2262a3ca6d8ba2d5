#include "model/runscanner.h"

#include "model/numberformat.h"

namespace marquis {

RunScan scanRuns(std::string_view rich)
{
    RunScan scan;
    RichRun run;
    bool inControlWord = false;
    bool started = false;
    const std::size_t n = rich.size();

    auto startText = [&](std::size_t at) {
        if (!started)
            run.textBegin = at;
        started = true;
    };
    auto finishRun = [&](std::size_t end) {
        if (!started)
            return; // control words without text stay for the tail
        run.end = end;
        scan.runs.push_back(std::move(run));
        run = RichRun {};
        run.begin = end;
        started = false;
    };

    for (std::size_t p = 0; p < n; ++p) {
        const char c = rich[p];
        const bool last = p + 1 == n;
        if (c == '\\' && !last && rich[p + 1] == '\\') {
            // A literal backslash. It is text, so it starts the run and ends a control word.
            startText(p);
            run.text += '\\';
            inControlWord = false;
            ++p;
            if (p + 1 == n)
                finishRun(n);
            continue;
        }
        if ((last && !inControlWord) || (c == '\\' && started)) {
            // Only a character that may stand in display text joins the run at the very end;
            // a lone backslash or a line break there would break the PRINT string.
            if (last && c != '\\' && isDisplayCharacter(c)) {
                startText(p);
                run.text += c;
            }
            if (last) {
                finishRun(n);
            } else {
                finishRun(p);
                run.controlWords = "\\";
                inControlWord = true;
            }
            continue;
        }
        if (c == '\\') {
            inControlWord = true;
            run.controlWords += c;
        } else if (c == ' ') {
            if (inControlWord) {
                run.controlWords += c;
                inControlWord = false;
            } else {
                startText(p);
                run.text += c;
            }
        } else if (c == '\n') {
            // A line break ends a control word as a blank does (the visible-text count ends it
            // there too), so the text of the next line is not taken into the control word.
            if (inControlWord) {
                run.controlWords += ' ';
                inControlWord = false;
            }
        } else if (!isDisplayCharacter(c)) {
            continue;
        } else if (inControlWord) {
            run.controlWords += c;
        } else {
            startText(p);
            run.text += c;
        }
    }
    scan.tailBegin = run.begin;
    return scan;
}

std::optional<long long> runFont(std::string_view controlWords)
{
    // Only "\f" followed by its number is a font word ("\fs20", a font size, is not).
    std::size_t f = controlWords.find("\\f");
    while (f != std::string_view::npos && f + 2 < controlWords.size() &&
        !(controlWords[f + 2] == '-' || (controlWords[f + 2] >= '0' && controlWords[f + 2] <= '9')))
        f = controlWords.find("\\f", f + 2);
    if (f == std::string_view::npos)
        return 0;
    const std::size_t blank = controlWords.find(' ', f + 2);
    if (blank == std::string_view::npos)
        return std::nullopt;
    return numberValue(controlWords.substr(f + 2, blank - f - 2));
}

} // namespace marquis
