#include "scriptcode/esctext.h"

namespace marquis::unit {

std::string escString(std::string_view text)
{
    static constexpr char Hex[] = "0123456789ABCDEF";
    std::string out = "\"";
    for (const char c : text) {
        const auto b = static_cast<unsigned char>(c);
        if (c == '"' || c == '\\') {
            out += '\\';
            out += c;
        } else if (b < 32 || b > 126) {
            out += "\\x";
            out += Hex[b >> 4];
            out += Hex[b & 15];
        } else {
            out += c;
        }
    }
    out += '"';
    return out;
}

std::string writeEsc(const Program& program, std::string_view sourceName)
{
    std::string out;
    out.reserve(program.messages.size() * 512 + 128);
    auto line = [&out](std::string_view text) {
        out += text;
        out += "\r\n";
    };
    line("; compiled from " + escString(sourceName));
    line("ESC 1");
    line("DISPLAY " + std::to_string(program.displayType));
    line("VERSION " + std::to_string(program.version));
    for (const CompiledMessage& message : program.messages) {
        line("");
        line("MESSAGE " + std::to_string(message.number) + " TASK " + std::to_string(message.task));
        for (const Instruction& in : message.code) {
            const OpInfo& info = opInfo(in.op);
            out += "    ";
            out += info.mnemonic;
            for (int i = 0; i < info.operandCount; ++i) {
                const int value = in.args[static_cast<std::size_t>(i)];
                out += ' ';
                if (info.operands[static_cast<std::size_t>(i)].reg)
                    out += static_cast<char>('A' + value);
                else
                    out += std::to_string(value);
            }
            if (info.text) {
                out += ' ';
                out += escString(in.text);
            }
            out += "\r\n";
        }
        line("END");
    }
    return out;
}

} // namespace marquis::unit
