#include "model/scriptformat.h"

namespace marquis::script {

std::string commented(std::string_view statement, std::string_view comment)
{
    std::string text;
    appendCommented(text, { statement }, comment);
    return text;
}

void appendLine(std::string& out, std::initializer_list<std::string_view> pieces)
{
    for (const std::string_view piece : pieces)
        out += piece;
    out += CrLf;
}

void appendCommented(
    std::string& out, std::initializer_list<std::string_view> pieces, std::string_view comment)
{
    std::size_t length = 0;
    for (const std::string_view piece : pieces) {
        out += piece;
        length += piece.size();
    }
    const std::size_t width = CommentColumn - 1;
    out.append(length < width ? width - length : 1, ' ');
    out += comment;
    out += CrLf;
}

void appendQuoted(std::string& out, std::string_view text)
{
    for (const char c : text) {
        if (c == '\\' || c == '"')
            out += '\\';
        out += c;
    }
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
    appendQuoted(result, text);
    return result;
}

std::vector<std::string_view> statementLines(std::string_view text)
{
    std::vector<std::string_view> lines;
    lines.reserve(text.size() / 24 + 1);
    std::size_t begin = 0;
    while (begin < text.size()) {
        std::size_t lf = text.find('\n', begin);
        while (lf != std::string_view::npos && (lf == begin || text[lf - 1] != '\r'))
            lf = text.find('\n', lf + 1);
        const std::size_t end = lf == std::string_view::npos ? text.size() : lf + 1;
        lines.push_back(text.substr(begin, end - begin));
        begin = end;
    }
    return lines;
}

std::string_view withoutIndent(std::string_view statement)
{
    while (!statement.empty() && (statement.front() == ' ' || statement.front() == '\t'))
        statement.remove_prefix(1);
    return statement;
}

} // namespace marquis::script
