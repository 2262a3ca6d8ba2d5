#include "scriptcode/esctext.h"
#include "scriptcode/lexer.h"
#include "scriptcode/messagecheck.h"
#include "scriptcode/textfile.h"
#include "scriptcode/tokenreader.h"

#include <map>
#include <memory>

namespace marquis::unit {
namespace {

class EscReader {
public:
    EscReader(std::string_view fileName, Diagnostics& diagnostics)
        : m_file(fileName)
        , m_diagnostics(diagnostics)
    {
    }

    void readLine(const std::vector<Token>& tokens, int line);
    Program finish(int lastLine);

private:
    void error(int line, std::string text) { m_diagnostics.add(m_file, line, std::move(text)); }
    void header(TokenReader& reader);
    void message(TokenReader& reader, int line);
    void instruction(TokenReader& reader, int line);

    std::string m_file;
    Diagnostics& m_diagnostics;
    Defines m_noNames;
    Program m_program;
    int m_headerLines = 0; // ESC, DISPLAY and VERSION read so far
    std::unique_ptr<CompiledMessage> m_open;
    std::unique_ptr<MessageCheck> m_check;
    std::map<int, int> m_numbers; // message number -> line
};

void EscReader::readLine(const std::vector<Token>& tokens, int line)
{
    TokenReader reader(tokens, m_noNames);
    if (m_headerLines < 3)
        header(reader);
    else if (reader.accept("MESSAGE"))
        message(reader, line);
    else if (!m_open)
        error(line, "instruction outside a MESSAGE ... END block");
    else
        instruction(reader, line);
}

void EscReader::header(TokenReader& reader)
{
    static constexpr const char* Keys[] = { "ESC", "DISPLAY", "VERSION" };
    // Counted first, so that one wrong header line is reported once, not for every line.
    const char* key = Keys[m_headerLines++];
    reader.expect(key, "(the header is ESC, DISPLAY and VERSION, in this order)");
    const int value = reader.value("a number");
    reader.expectEnd();
    if (m_headerLines == 1 && value != 1)
        throw SyntaxError { "unknown .esc format " + std::to_string(value) };
    if (m_headerLines == 2) {
        if (value != 5320 && value != 5360)
            throw SyntaxError { "display type " + std::to_string(value) +
                " is neither 5320 nor 5360" };
        m_program.displayType = value;
    }
    if (m_headerLines == 3) {
        if (value != 1 && value != 2)
            throw SyntaxError { "script version " + std::to_string(value) + " is neither 1 nor 2" };
        m_program.version = value;
    }
}

void EscReader::message(TokenReader& reader, int line)
{
    if (m_open) {
        error(m_open->line, "MESSAGE " + std::to_string(m_open->number) + " has no END");
        m_open.reset();
    }
    const int number = reader.value("the message number");
    reader.expect("TASK", "after the message number");
    const int task = reader.value("the task");
    reader.expectEnd();
    m_open = std::make_unique<CompiledMessage>();
    m_open->number = number;
    m_open->task = task;
    m_open->line = line;
    m_check = std::make_unique<MessageCheck>(displayRows(m_program.displayType), m_program.version,
        [this](int at, const std::string& text) { error(at, text); });
    if (number < 0 || number > 1023)
        error(line, "message number " + std::to_string(number) + " is outside 0..1023");
    if (task < 0 || task > 3)
        error(line, "task " + std::to_string(task) + " is outside 0..3");
    const auto [earlier, added] = m_numbers.try_emplace(number, line);
    if (!added)
        error(line,
            "message " + std::to_string(number) + " is defined twice (first at line " +
                std::to_string(earlier->second) + ")");
}

void EscReader::instruction(TokenReader& reader, int line)
{
    const std::string mnemonic = reader.name("an instruction");
    if (sameName(mnemonic, "END")) {
        reader.expectEnd();
        m_check->finish();
        m_program.messages.push_back(std::move(*m_open));
        m_open.reset();
        return;
    }
    const std::optional<Op> op = opFromMnemonic(mnemonic);
    if (!op)
        throw SyntaxError { "unknown instruction " + excerpt(mnemonic) };
    const OpInfo& info = opInfo(*op);
    Instruction in;
    in.op = *op;
    in.line = line;
    for (int i = 0; i < info.operandCount; ++i) {
        const OperandInfo& operand = info.operands[static_cast<std::size_t>(i)];
        int value = 0;
        if (operand.reg) {
            const std::string name = reader.name("a register letter");
            if (name.size() != 1 || name[0] < 'A' || name[0] > 'Z')
                throw SyntaxError { "register " + excerpt(name) + " is not a letter A to Z" };
            value = name[0] - 'A';
        } else {
            value = reader.value(std::string("the ") + operand.name);
        }
        in.args[static_cast<std::size_t>(i)] = value;
    }
    if (info.text)
        in.text = reader.string("a quoted text");
    reader.expectEnd();
    if (m_check->check(in))
        m_open->code.push_back(std::move(in));
}

Program EscReader::finish(int lastLine)
{
    if (m_headerLines < 3)
        error(lastLine, "the .esc header (ESC, DISPLAY, VERSION) is incomplete");
    if (m_open)
        error(m_open->line, "MESSAGE " + std::to_string(m_open->number) + " has no END");
    return std::move(m_program);
}

} // namespace

Program readEsc(std::string_view text, std::string_view fileName, Diagnostics& diagnostics)
{
    EscReader reader(fileName, diagnostics);
    const std::vector<std::string_view> lines = splitLines(text);
    const LexerRules rules { ";", true };
    for (std::size_t i = 0; i < lines.size(); ++i) {
        const int line = static_cast<int>(i) + 1;
        const LexResult lexed = tokenize(lines[i], rules);
        if (!lexed.error.empty()) {
            diagnostics.add(std::string(fileName), line, lexed.error);
            continue;
        }
        if (lexed.tokens.empty())
            continue;
        try {
            reader.readLine(lexed.tokens, line);
        } catch (const SyntaxError& syntax) {
            diagnostics.add(std::string(fileName), line, syntax.text);
        }
    }
    return reader.finish(static_cast<int>(lines.size()));
}

} // namespace marquis::unit
