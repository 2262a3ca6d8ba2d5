#include "scriptcode/tokenreader.h"

#include "scriptcode/diagnostics.h"

#include <algorithm>
#include <limits>

namespace marquis::unit {

TokenReader::TokenReader(const std::vector<Token>& tokens, const Defines& defines)
    : m_tokens(tokens)
    , m_defines(defines)
{
}

const Token* TokenReader::peek() const
{
    return atEnd() ? nullptr : &m_tokens[m_next];
}

bool TokenReader::nextIs(std::string_view symbolOrName) const
{
    const Token* token = peek();
    if (token == nullptr)
        return false;
    if (token->kind == Token::Kind::Symbol)
        return token->text == symbolOrName;
    return token->kind == Token::Kind::Name && sameName(token->text, symbolOrName);
}

bool TokenReader::accept(std::string_view symbolOrName)
{
    if (!nextIs(symbolOrName))
        return false;
    ++m_next;
    return true;
}

std::string TokenReader::describeNext() const
{
    const Token* token = peek();
    if (token == nullptr)
        return "the end of the line";
    if (token->kind == Token::Kind::String)
        return "a string";
    return "'" + excerpt(token->text) + "'";
}

void TokenReader::expect(std::string_view symbolOrName, std::string_view what)
{
    if (!accept(symbolOrName))
        throw SyntaxError { "expected '" + std::string(symbolOrName) + "' " + std::string(what) +
            ", found " + describeNext() };
}

std::string TokenReader::name(std::string_view what)
{
    const Token* token = peek();
    if (token == nullptr || token->kind != Token::Kind::Name)
        throw SyntaxError { "expected " + std::string(what) + ", found " + describeNext() };
    ++m_next;
    return token->text;
}

std::string TokenReader::string(std::string_view what)
{
    const Token* token = peek();
    if (token == nullptr || token->kind != Token::Kind::String)
        throw SyntaxError { "expected " + std::string(what) + ", found " + describeNext() };
    ++m_next;
    return token->text;
}

int TokenReader::value(std::string_view what)
{
    bool negative = false;
    if (accept("-"))
        negative = true;
    else
        accept("+");
    const Token* token = peek();
    std::int64_t value = 0;
    if (token != nullptr && token->kind == Token::Kind::Number) {
        value = token->value;
    } else if (token != nullptr && token->kind == Token::Kind::Name) {
        const Defines::Entry* entry = m_defines.find(token->text);
        if (entry == nullptr)
            throw SyntaxError { "undefined name " + excerpt(token->text) };
        if (!entry->value)
            throw SyntaxError { excerpt(token->text) + " is defined without a value" };
        value = *entry->value;
    } else {
        throw SyntaxError { "expected " + std::string(what) + ", found " + describeNext() };
    }
    ++m_next;
    if (negative)
        value = -value;
    // Out-of-range values stay out of range for the checks that follow.
    return static_cast<int>(std::clamp<std::int64_t>(
        value, std::numeric_limits<int>::min(), std::numeric_limits<int>::max()));
}

std::vector<int> TokenReader::arguments(std::string_view procedure)
{
    const std::string where = "after " + std::string(procedure);
    expect("(", where);
    std::vector<int> values;
    if (accept(")"))
        return values;
    do
        values.push_back(value("a number or a name as argument of " + std::string(procedure)));
    while (accept(","));
    expect(")", "to close the arguments of " + std::string(procedure));
    return values;
}

void TokenReader::expectEnd()
{
    if (!atEnd())
        throw SyntaxError { "unexpected " + describeNext() + " at the end of the statement" };
}

} // namespace marquis::unit
