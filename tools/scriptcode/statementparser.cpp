#include "scriptcode/statementparser.h"

#include "scriptcode/diagnostics.h"
#include "scriptcode/tokenreader.h"

#include <array>

namespace marquis::unit {
namespace {

struct Procedure {
    const char* name;
    Op op;
    int arguments; // the usual count; BLINK also takes one
};

constexpr std::array<Procedure, 12> Procedures { {
    { "CURSOR", Op::Cursor, 2 },
    { "BLINK", Op::Blink, 2 },
    { "ERASE_TO_EOL", Op::Erase, 2 },
    { "RELAY", Op::Relay, 1 },
    { "FONT_SET", Op::Font, 1 },
    { "SCROLL", Op::Scroll, 2 },
    { "DROP_MARKER", Op::Mark, 1 },
    { "GOTO_MARKER", Op::Repeat, 2 },
    { "WAIT", Op::Wait, 1 },
    { "START_SCRIPT", Op::Start, 1 },
    { "OUTPUT_DEVICE", Op::Output, 1 },
    { "LOCK_BUFFER", Op::Lock, 1 },
} };

std::string plural(int count)
{
    return std::to_string(count) + (count == 1 ? " argument" : " arguments");
}

int registerOf(const std::string& name)
{
    if (name.size() != 1 ||
        !((name[0] >= 'A' && name[0] <= 'Z') || (name[0] >= 'a' && name[0] <= 'z')))
        throw SyntaxError { "expected a one-letter variable name (A to Z), found '" +
            excerpt(name) + "'" };
    return (name[0] & ~0x20) - 'A';
}

Instruction call(TokenReader& reader)
{
    const std::string name = reader.name("a procedure name after CALL");
    const Procedure* procedure = nullptr;
    for (const Procedure& p : Procedures)
        if (sameName(p.name, name))
            procedure = &p;
    if (procedure == nullptr)
        throw SyntaxError { "unknown procedure CALL " + excerpt(name) };
    const std::vector<int> args = reader.arguments(procedure->name);
    reader.expectEnd();
    const int count = static_cast<int>(args.size());

    Instruction in;
    in.op = procedure->op;
    if (procedure->op == Op::Blink) {
        // BLINK(-1) ends blinking; BLINK(rate, ON) starts it, BLINK(rate, OFF) ends it.
        if (count == 1) {
            if (args[0] != -1)
                throw SyntaxError { "BLINK with one argument takes -1 (blinking off), not " +
                    std::to_string(args[0]) };
            in.op = Op::NoBlink;
            return in;
        }
        if (count == 2 && args[1] != 0 && args[1] != 1)
            throw SyntaxError { "BLINK: state " + std::to_string(args[1]) +
                " is neither ON (1) nor OFF (0)" };
        if (count == 2 && args[1] == 0) {
            in.op = Op::NoBlink;
            return in;
        }
    }
    if (count != procedure->arguments)
        throw SyntaxError { std::string(procedure->name) + " takes " +
            plural(procedure->arguments) + ", not " + std::to_string(count) };
    for (int i = 0; i < count && i < 3; ++i)
        in.args[static_cast<std::size_t>(i)] = args[static_cast<std::size_t>(i)];
    return in;
}

Instruction print(TokenReader& reader)
{
    Instruction in;
    if (reader.atEnd()) {
        in.op = Op::NewLine;
        return in;
    }
    const Token* next = reader.peek();
    if (next->kind == Token::Kind::String) {
        in.op = Op::Text;
        in.text = reader.string("text");
        reader.expect(";", "after the PRINT text");
    } else if (reader.accept("VAR")) {
        const std::vector<int> args = reader.arguments("PRINT VAR");
        if (args.size() != 2)
            throw SyntaxError { "PRINT VAR takes 2 arguments (variable, width), not " +
                std::to_string(args.size()) };
        in.op = Op::Var;
        in.args = { args[0], args[1], 0 };
        reader.expect(";", "after PRINT VAR(v,w)");
    } else if (reader.accept("USING")) {
        const std::vector<int> args = reader.arguments("PRINT USING");
        if (args.size() != 2)
            throw SyntaxError { "PRINT USING takes 2 arguments (format, fill), not " +
                std::to_string(args.size()) };
        reader.expect(";", "after PRINT USING(u,f)");
        const int reg = registerOf(reader.name("the variable PRINT USING prints"));
        reader.expect(";", "after the variable of PRINT USING");
        in.op = Op::Using;
        in.args = { reg, args[0], args[1] };
    } else {
        throw SyntaxError { "PRINT takes a string, VAR(v,w) or USING(u,f);A; - not '" +
            excerpt(next->text) + "'" };
    }
    reader.expectEnd();
    return in;
}

Instruction let(TokenReader& reader)
{
    const int reg = registerOf(reader.name("a variable name after LET"));
    reader.expect("=", "after the LET variable");
    reader.expect("VAR", "after LET A=");
    const std::vector<int> args = reader.arguments("VAR");
    if (args.size() != 1)
        throw SyntaxError { "LET A=VAR(v) takes 1 argument, not " + std::to_string(args.size()) };
    reader.expectEnd();
    Instruction in;
    in.op = Op::Load;
    in.args = { reg, args[0], 0 };
    return in;
}

} // namespace

Instruction parseStatement(const std::vector<Token>& tokens, const Defines& defines)
{
    TokenReader reader(tokens, defines);
    const Token* first = reader.peek();
    if (first == nullptr || first->kind != Token::Kind::Name)
        throw SyntaxError { "expected a statement" };
    const std::string keyword = first->text;
    reader.name("a statement");
    if (sameName(keyword, "CALL"))
        return call(reader);
    if (sameName(keyword, "PRINT"))
        return print(reader);
    if (sameName(keyword, "LET"))
        return let(reader);
    Instruction in;
    if (sameName(keyword, "CLS"))
        in.op = Op::Cls;
    else if (sameName(keyword, "EOT"))
        in.op = Op::Eot;
    else if (reader.nextIs("("))
        throw SyntaxError { "unknown statement '" + excerpt(keyword) +
            "' (a procedure needs CALL)" };
    else
        throw SyntaxError { "unknown statement '" + excerpt(keyword) + "'" };
    reader.expectEnd();
    return in;
}

} // namespace marquis::unit
