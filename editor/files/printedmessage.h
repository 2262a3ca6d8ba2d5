#pragma once

#include "files/printlayout.h"

#include <string_view>
#include <vector>

namespace marquis {

enum class PrintMode {
    TextOnly, // the message texts: each message's number, task, line labels and display texts
    Complete, // the whole script text
};

// The printed lines of one message's SUB text. The complete form shows every line indented,
// the name before "(" of the SUB line in bold. The text-only form shows "Message=" with the
// number and the task, the send text, the "LINE" labels and, under each, the display text of
// the line or of each of its blocks as the display shows it: its runs joined, quotes and
// backslashes decoded, variables as `placeholder` characters. A SUB line without "(" is printed
// as it is.
std::vector<PrintLine> printedMessage(
    std::string_view subText, int number, PrintMode mode, std::string_view placeholder);

// The lines of a text, split at CR LF, at a lone LF and at a lone CR.
std::vector<std::string_view> textLines(std::string_view text);

} // namespace marquis
