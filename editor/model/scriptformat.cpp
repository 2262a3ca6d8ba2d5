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
    std::vector<std::string_view> lines;
    while (!text.empty()) {
        const std::size_t end = text.find(CrLf);
        const std::size_t length = end == std::string_view::npos ? text.size() : end + 2;
        lines.push_back(text.substr(0, length));
        text.remove_prefix(length);
    }
    return lines;
}

std::string_view withoutIndent(std::string_view statement)
{
    while (!statement.empty() && (statement.front() == ' ' || statement.front() == '\t'))
        statement.remove_prefix(1);
    return statement;
}

}  // namespace marquis::script
