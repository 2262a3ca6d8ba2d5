#include "scriptcode/compiler.h"

#include "scriptcode/defines.h"
#include "scriptcode/lexer.h"
#include "scriptcode/messagecheck.h"
#include "scriptcode/statementparser.h"
#include "scriptcode/textfile.h"
#include "scriptcode/tokenreader.h"

#include <algorithm>
#include <map>
#include <memory>
#include <system_error>

namespace marquis::unit {
namespace {

constexpr int IncludeDepthLimit = 8;
// Without a cycle, a file that includes another one several times, which does the same, still
// multiplies the reading at every level; a whole script needs only a few includes.
constexpr int IncludeCountLimit = 64;
constexpr std::string_view DisplayTypeName = "Display_type";

std::string_view trimmedStart(std::string_view line)
{
    const std::size_t first = line.find_first_not_of(" \t");
    return first == std::string_view::npos ? std::string_view {} : line.substr(first);
}

// Finds an include file in `folder`, by its exact name first, then without regard to case.
std::filesystem::path findIn(const std::filesystem::path& folder, const std::string& name)
{
    std::error_code error;
    if (folder.empty() && std::filesystem::path(name).is_relative())
        return {};
    const std::filesystem::path exact = folder / name;
    if (std::filesystem::is_regular_file(exact, error))
        return exact;
    const std::filesystem::path wanted(name);
    const std::filesystem::path where = (folder / wanted).parent_path();
    const std::string leaf = upperCaseName(wanted.filename().string());
    for (std::filesystem::directory_iterator it(where, error), end; !error && it != end;
         it.increment(error))
        if (upperCaseName(it->path().filename().string()) == leaf && it->is_regular_file(error))
            return it->path();
    return {};
}

class Compiler {
public:
    Compiler(const CompileOptions& options, Diagnostics& diagnostics)
        : m_options(options)
        , m_diagnostics(diagnostics)
    {
    }

    // `file` is the file the text comes from (empty for text that comes from no file).
    void compileFile(std::string_view text, const std::string& fileName,
        const std::filesystem::path& folder, int depth, const std::filesystem::path& file);
    Program finish();

private:
    struct OpenSub {
        CompiledMessage message;
        std::string file;
        std::unique_ptr<MessageCheck> check;
    };

    void error(int line, std::string text) { m_diagnostics.add(m_file, line, std::move(text)); }
    void compileLine(
        std::string_view line, int number, const std::filesystem::path& folder, int depth);
    void directive(TokenReader& reader, int line, const std::filesystem::path& folder, int depth);
    void define(TokenReader& reader, int line);
    void include(TokenReader& reader, int line, const std::filesystem::path& folder, int depth);
    void pragma(TokenReader& reader, int line);
    void subHeader(TokenReader& reader, int line);
    void endSub(int line);
    void unterminated();
    bool isOpen(const std::filesystem::path& file) const;
    int rows() const;

    const CompileOptions& m_options;
    Diagnostics& m_diagnostics;
    Defines m_defines;
    Program m_program;
    std::string m_file;
    std::unique_ptr<OpenSub> m_sub;
    std::map<int, std::pair<std::string, int>> m_defined; // message number -> file, line
    int m_versionLine = 0;
    std::vector<std::filesystem::path> m_open; // the files being read, the outermost first
    int m_includes = 0; // include files read so far
};

int Compiler::rows() const
{
    const Defines::Entry* type = m_defines.find(DisplayTypeName);
    return type != nullptr && type->value == 5320 ? 2 : 4;
}

void Compiler::compileFile(std::string_view text, const std::string& fileName,
    const std::filesystem::path& folder, int depth, const std::filesystem::path& file)
{
    const std::string outer = m_file;
    m_file = fileName;
    if (!file.empty())
        m_open.push_back(file);
    const std::vector<std::string_view> lines = splitLines(text);
    for (std::size_t i = 0; i < lines.size(); ++i)
        compileLine(lines[i], static_cast<int>(i) + 1, folder, depth);
    if (!file.empty())
        m_open.pop_back();
    m_file = outer;
}

bool Compiler::isOpen(const std::filesystem::path& file) const
{
    // The same file may be reached under other names (a link, "..", another case).
    std::error_code error;
    return std::any_of(m_open.begin(), m_open.end(), [&](const std::filesystem::path& open) {
        return std::filesystem::equivalent(open, file, error);
    });
}

void Compiler::compileLine(
    std::string_view text, int line, const std::filesystem::path& folder, int depth)
{
    const std::string_view statement = trimmedStart(text);
    const LexResult lexed = tokenize(statement, LexerRules {});
    if (!lexed.error.empty()) {
        error(line, lexed.error);
        return;
    }
    if (lexed.tokens.empty())
        return;
    TokenReader reader(lexed.tokens, m_defines);
    try {
        if (reader.accept("#")) {
            directive(reader, line, folder, depth);
        } else if (reader.nextIs("SUB")) {
            subHeader(reader, line);
        } else if (reader.accept("END")) {
            reader.expect("SUB", "after END");
            reader.expectEnd();
            endSub(line);
        } else if (lexed.tokens.size() == 2 && lexed.tokens[0].kind == Token::Kind::Name &&
            lexed.tokens[1].text == ":") {
            if (!m_sub)
                error(line, "label " + excerpt(lexed.tokens[0].text) + " outside a SUB block");
        } else if (!m_sub) {
            error(line, "statement outside a SUB block");
        } else {
            Instruction in = parseStatement(lexed.tokens, m_defines);
            in.line = line;
            if (m_sub->check->check(in))
                m_sub->message.code.push_back(std::move(in));
        }
    } catch (const SyntaxError& syntax) {
        error(line, syntax.text);
    }
}

void Compiler::directive(
    TokenReader& reader, int line, const std::filesystem::path& folder, int depth)
{
    const std::string name = reader.name("a directive after #");
    if (sameName(name, "define"))
        define(reader, line);
    else if (sameName(name, "include"))
        include(reader, line, folder, depth);
    else if (sameName(name, "pragma"))
        pragma(reader, line);
    else
        error(line, "unknown directive #" + excerpt(name));
}

void Compiler::define(TokenReader& reader, int line)
{
    Defines::Entry entry { reader.name("a name after #define"), std::nullopt, line, m_file };
    if (!reader.atEnd()) {
        const bool parenthesised = reader.accept("(");
        entry.value = reader.value("a number as the value of " + entry.name);
        if (parenthesised)
            reader.expect(")", "after the value of " + entry.name);
        reader.expectEnd();
    }
    if (sameName(entry.name, DisplayTypeName) && entry.value != 5320 && entry.value != 5360) {
        error(line, "Display_type must be 5320 or 5360");
        return;
    }
    if (const Defines::Entry* earlier = m_defines.define(entry))
        error(line,
            excerpt(entry.name) + " is defined again with another value (first at " +
                upperCaseName(earlier->file) + " line " + std::to_string(earlier->line) + ")");
}

void Compiler::include(
    TokenReader& reader, int line, const std::filesystem::path& folder, int depth)
{
    const std::string name = reader.string("a quoted file name after #include");
    reader.expectEnd();
    std::filesystem::path found = findIn(folder, name);
    if (found.empty() && !m_options.includeFolder.empty())
        found = findIn(m_options.includeFolder, name);
    if (found.empty()) {
        error(line, "cannot find include file \"" + excerpt(name) + "\"");
        return;
    }
    if (isOpen(found)) {
        error(line, "include cycle: \"" + excerpt(name) + "\" is already being read");
        return;
    }
    if (depth >= IncludeDepthLimit) {
        error(line,
            "includes nested more than " + std::to_string(IncludeDepthLimit) + " deep; \"" +
                excerpt(name) + "\" is not read");
        return;
    }
    if (m_includes >= IncludeCountLimit) {
        error(line,
            "more than " + std::to_string(IncludeCountLimit) + " includes in all; \"" +
                excerpt(name) + "\" is not read");
        return;
    }
    ++m_includes;
    const std::optional<std::string> text = readFile(found);
    if (!text) {
        error(line, "cannot read include file \"" + excerpt(name) + "\"");
        return;
    }
    compileFile(*text, found.filename().string(), found.parent_path(), depth + 1, found);
}

void Compiler::pragma(TokenReader& reader, int line)
{
    const std::string name = reader.name("a pragma name");
    if (!sameName(name, "version")) {
        error(line, "unknown #pragma " + excerpt(name));
        return;
    }
    const int version = reader.value("the script version");
    reader.expectEnd();
    if (version != 1 && version != 2) {
        error(line, "script version " + std::to_string(version) + " is neither 1 nor 2");
        return;
    }
    if (m_versionLine != 0 && version != m_program.version) {
        error(line, "the script version is set again, to another value");
        return;
    }
    m_program.version = version;
    m_versionLine = line;
}

void Compiler::subHeader(TokenReader& reader, int line)
{
    reader.expect("SUB", "");
    if (m_sub)
        unterminated();
    const int number = reader.value("the message number after SUB");
    reader.expect("(", "before TASK");
    reader.expect("TASK", "after SUB n(");
    reader.expect("=", "after TASK");
    const int task = reader.value("the task number");
    reader.expect(")", "after the task number");
    reader.expectEnd();

    m_sub = std::make_unique<OpenSub>();
    m_sub->message.number = number;
    m_sub->message.task = task;
    m_sub->message.line = line;
    m_sub->file = m_file;
    m_sub->check = std::make_unique<MessageCheck>(
        rows(), m_program.version, [this](int at, const std::string& text) { error(at, text); });

    if (number < 0 || number > 1023)
        error(line, "message number " + std::to_string(number) + " is outside 0..1023");
    if (task < 0 || task > 3)
        error(line, "task " + std::to_string(task) + " is outside 0..3");
    const auto [earlier, added] = m_defined.try_emplace(number, m_file, line);
    if (!added)
        error(line,
            "message " + std::to_string(number) + " is defined twice (first at " +
                upperCaseName(earlier->second.first) + " line " +
                std::to_string(earlier->second.second) + ")");
}

void Compiler::endSub(int line)
{
    if (!m_sub) {
        error(line, "END SUB without SUB");
        return;
    }
    m_sub->check->finish();
    m_program.messages.push_back(std::move(m_sub->message));
    m_sub.reset();
}

void Compiler::unterminated()
{
    m_diagnostics.add(m_sub->file, m_sub->message.line,
        "SUB " + std::to_string(m_sub->message.number) + " has no END SUB");
    m_sub.reset();
}

Program Compiler::finish()
{
    if (m_sub)
        unterminated();
    const Defines::Entry* type = m_defines.find(DisplayTypeName);
    m_program.displayType = type != nullptr && type->value == 5320 ? 5320 : 5360;
    return std::move(m_program);
}

} // namespace

Program compileSource(std::string_view text, std::string_view fileName,
    const CompileOptions& options, Diagnostics& diagnostics)
{
    Compiler compiler(options, diagnostics);
    compiler.compileFile(text, std::string(fileName), options.sourceFolder, 0, options.sourceFile);
    return compiler.finish();
}

} // namespace marquis::unit
