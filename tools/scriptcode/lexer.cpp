#include "scriptcode/lexer.h"

#include "scriptcode/diagnostics.h"

#include <algorithm>

namespace marquis::unit {
namespace {

constexpr std::int64_t Saturated = 0x80000000LL;

bool isNameStart(char c)
{
    return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || c == '_';
}

bool isDigit(char c)
{
    return c >= '0' && c <= '9';
}

int hexDigit(char c)
{
    if (isDigit(c))
        return c - '0';
    if (c >= 'A' && c <= 'F')
        return c - 'A' + 10;
    if (c >= 'a' && c <= 'f')
        return c - 'a' + 10;
    return -1;
}

char upper(char c)
{
    return c >= 'a' && c <= 'z' ? static_cast<char>(c - 32) : c;
}

// Reads a string starting after its opening quote; `i` ends after the closing quote.
std::string readString(
    std::string_view line, std::size_t& i, const LexerRules& rules, std::string& error)
{
    std::string text;
    while (i < line.size()) {
        const char c = line[i++];
        if (c == '"')
            return text;
        if (static_cast<unsigned char>(c) < 32) {
            error = "control character (code " + std::to_string(static_cast<unsigned char>(c)) +
                ") in a string";
            return text;
        }
        if (c != '\\') {
            text += c;
            continue;
        }
        if (i >= line.size())
            break;
        const char escaped = line[i++];
        if (escaped == '"' || escaped == '\\') {
            text += escaped;
        } else if (rules.hexEscapes && (escaped == 'x' || escaped == 'X') && i + 1 < line.size() &&
            hexDigit(line[i]) >= 0 && hexDigit(line[i + 1]) >= 0) {
            text += static_cast<char>(hexDigit(line[i]) * 16 + hexDigit(line[i + 1]));
            i += 2;
        } else {
            error = std::string("unknown escape \\") + excerpt(std::string_view(&escaped, 1)) +
                " in a string (write \\\\ for a backslash)";
            return text;
        }
    }
    error = "string without its closing quote";
    return text;
}

} // namespace

bool sameName(std::string_view a, std::string_view b)
{
    if (a.size() != b.size())
        return false;
    for (std::size_t i = 0; i < a.size(); ++i)
        if (upper(a[i]) != upper(b[i]))
            return false;
    return true;
}

LexResult tokenize(std::string_view line, const LexerRules& rules)
{
    LexResult result;
    std::size_t i = 0;
    while (i < line.size()) {
        const char c = line[i];
        if (c == ' ' || c == '\t') {
            ++i;
        } else if (line.substr(i).starts_with(rules.comment)) {
            break;
        } else if (isNameStart(c)) {
            const std::size_t begin = i;
            while (i < line.size() && (isNameStart(line[i]) || isDigit(line[i])))
                ++i;
            result.tokens.push_back(
                { Token::Kind::Name, std::string(line.substr(begin, i - begin)) });
        } else if (isDigit(c)) {
            const std::size_t begin = i;
            std::int64_t value = 0;
            while (i < line.size() && isDigit(line[i])) {
                value = std::min(value * 10 + (line[i] - '0'), Saturated);
                ++i;
            }
            if (i < line.size() && isNameStart(line[i])) {
                result.error = "malformed number " + excerpt(line.substr(begin, i + 1 - begin));
                return result;
            }
            result.tokens.push_back(
                { Token::Kind::Number, std::string(line.substr(begin, i - begin)), value });
        } else if (c == '"') {
            ++i;
            std::string text = readString(line, i, rules, result.error);
            if (!result.error.empty())
                return result;
            result.tokens.push_back({ Token::Kind::String, std::move(text) });
        } else if (std::string_view("(),;:=-+#<>.").find(c) != std::string_view::npos) {
            result.tokens.push_back({ Token::Kind::Symbol, std::string(1, c) });
            ++i;
        } else {
            const auto code = static_cast<unsigned char>(c);
            result.error = code >= 32 && code < 127
                ? std::string("unexpected character '") + c + "'"
                : "unexpected character (code " + std::to_string(code) + ")";
            return result;
        }
    }
    return result;
}

} // namespace marquis::unit
