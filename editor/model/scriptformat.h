#pragma once

#include <initializer_list>
#include <string>
#include <string_view>
#include <vector>

namespace marquis {

// Fixed pieces of the SUB block text that the writer, the reader and the check share.
namespace script {

inline constexpr std::string_view CrLf = "\r\n";
inline constexpr std::string_view Indent = "    ";
inline constexpr std::size_t CommentColumn = 46; // trailing comments start here (1-based)

inline constexpr std::string_view CautionLine =
    "// Caution! Manually editing will prevent Quick Edit from loading this message.";
inline constexpr std::string_view CrcComment = "    // CRC value =";

inline constexpr std::string_view StartOtherComment = "// Start message on different task ";
inline constexpr std::string_view StartSameComment = "// Start message on same task ";
inline constexpr std::string_view HostComment =
    "// Send current meaage to 5300 (Version 2 unit only) slave";
inline constexpr std::string_view SerialComment =
    "// Send specified text in PRINT command below through serial port out";
inline constexpr std::string_view LockOnComment =
    "// Lock the current message-can't be interrupted until completely executed";
inline constexpr std::string_view LockOffComment = "// Unlock the current message";
inline constexpr std::string_view ClsComment = "// Clear entire screen upon starting this message";
inline constexpr std::string_view RelayOnComment = "// Turn relay on upon starting this message";
inline constexpr std::string_view RelayOffComment = "// Turn relay off upon starting this message";
inline constexpr std::string_view FontComment = "// Invoke specified font ";
inline constexpr std::string_view ScrollComment = "// Turn the scroll on";
inline constexpr std::string_view EraseComment = "// Erase to the end of the line";
inline constexpr std::string_view WaitComment = "// Pause program execution ";
inline constexpr std::string_view CenterLineComment = "// Center line";
inline constexpr std::string_view CenterBlockComment = "// Center block ";
inline constexpr std::string_view NoCenterBlockComment = "// Don't center block ";

inline constexpr std::string_view EraseLine = "    CALL ERASE_TO_EOL(CURRENT,CURRENT)";
inline constexpr std::string_view EraseBlock = "    CALL ERASE_TO_EOL(-1,-1)";
inline constexpr std::string_view ParagraphEnd = "\\par\r\n";

// The blink argument the writer uses for a line whose blink argument is not set.
inline constexpr std::string_view DefaultBlink = "25,ON";

// A statement with its trailing comment starting in the comment column, and CR LF.
std::string commented(std::string_view statement, std::string_view comment);

// A statement or comment line with CR LF.
std::string line(std::string_view text);

// Appends a statement made of the pieces, and CR LF; with a comment, the comment starts in the
// comment column. Appending in place keeps the writer free of temporary strings.
void appendLine(std::string& out, std::initializer_list<std::string_view> pieces);
void appendCommented(
    std::string& out, std::initializer_list<std::string_view> pieces, std::string_view comment);

// Appends display or send text for a PRINT string (see quotedText).
void appendQuoted(std::string& out, std::string_view text);

// A text to be placed inside a statement's parentheses, without the control characters (line
// breaks among them) that would split the statement.
std::string argumentText(std::string_view text);

// Display or send text inside a PRINT string: a backslash and a double quote get a backslash
// in front.
std::string quotedText(std::string_view text);

// The statement lines of a SUB text, each with its CR LF (the last one may lack it).
std::vector<std::string_view> statementLines(std::string_view text);

// The statement without its leading blanks.
std::string_view withoutIndent(std::string_view statement);

} // namespace script
} // namespace marquis
