#include "model/runscanner.h"

namespace marquis {

RunScan scanRuns(std::string_view rich)
{
    RunScan scan;
    RichRun run;
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

    forEachRichToken(rich, [&](const RichToken& token) {
        switch (token.kind) {
        case RichTokenKind::Backslash:
            startText(token.begin);
            run.text += '\\';
            break;
        case RichTokenKind::Character:
            if (isDisplayCharacter(token.character)) {
                startText(token.begin);
                run.text += token.character;
            }
            break;
        case RichTokenKind::ControlWord:
            if (started) {
                // A lone backslash at the very end stays with the run it follows; it would
                // break the PRINT string and is not written.
                if (token.end == n && token.end - token.begin == 1) {
                    finishRun(n);
                    break;
                }
                finishRun(token.begin);
            }
            run.controlWords += rich.substr(token.begin, token.end - token.begin);
            // A line feed ends a control word as a blank does, so the text of the next line is
            // not taken into the word.
            if (token.ending == WordEnd::LineFeed)
                run.controlWords += ' ';
            break;
        case RichTokenKind::LineBreak:
        case RichTokenKind::Header:
            break;
        }
    });
    finishRun(n);
    scan.tailBegin = run.begin;
    return scan;
}

std::optional<long long> runFont(std::string_view controlWords)
{
    // Only "\f" followed by its number is a font word ("\fs20", a font size, is not).
    std::optional<long long> font;
    bool blank = false;
    forEachRichToken(controlWords, [&](const RichToken& token) {
        if (!font && token.namesFont())
            font = token.number;
        if (font && token.blankEnded())
            blank = true;
    });
    if (!font)
        return 0;
    if (!blank)
        return std::nullopt;
    return font;
}

} // namespace marquis
