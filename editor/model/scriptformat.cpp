#include "model/scriptformat.h"

namespace marquis::script {

std::string commented(std::string_view statement, std::string_view comment)
{
    std::string text(statement);
    const std::size_t width = CommentColumn - 1;
    text.append(text.size() < width ? width - text.size() : 1, ' ');
    text += comment;
    text += CrLf;
    return text;
}

std::string line(std::string_view text)
{
    std::string result(text);
    result += CrLf;
    return result;
}

std::string argumentText(std::string_view text)
{
    std::string result;
    result.reserve(text.size());
    for (const char c : text)
        if (static_cast<unsigned char>(c) >= 32)
            result += c;
    return result;
}

std::string quotedText(std::string_view text)
{
    std::string result;
    result.reserve(text.size() + 2);
    for (const char c : text) {
        if (c == '\\' || c == '"')
            result += '\\';
        result += c;
    }
    return result;
}

std::vector<std::string_view> statementLines(std::string_view text)
{
    // Statement lines are short, so a plain scan beats a library search per line.
    std::vector<std::string_view> lines;
    lines.reserve(text.size() / 24 + 1);
    std::size_t begin = 0;
    for (std::size_t p = 0; p + 1 < text.size(); ++p) {
        if (text[p] == '\r' && text[p + 1] == '\n') {
            lines.push_back(text.substr(begin, p + 2 - begin));
            begin = p + 2;
            ++p;
        }
    }
    if (begin < text.size())
        lines.push_back(text.substr(begin));
    return lines;
}

std::string_view withoutIndent(std::string_view statement)
{
    while (!statement.empty() && (statement.front() == ' ' || statement.front() == '\t'))
        statement.remove_prefix(1);
    return statement;
}

}  // namespace marquis::script
