#include "scriptcode/bytecode.h"

#include <algorithm>

namespace marquis::unit {

void encodeMessage(const std::vector<Instruction>& code, std::vector<std::uint8_t>& out)
{
    for (const Instruction& in : code) {
        const OpInfo& info = opInfo(in.op);
        out.push_back(static_cast<std::uint8_t>(in.op));
        for (int i = 0; i < info.operandCount; ++i) {
            const int value = in.args[static_cast<std::size_t>(i)];
            switch (info.operands[static_cast<std::size_t>(i)].encoding) {
            case Encoding::U8:
            case Encoding::I8:
                out.push_back(static_cast<std::uint8_t>(value & 0xFF));
                break;
            case Encoding::U16:
                out.push_back(static_cast<std::uint8_t>(value & 0xFF));
                out.push_back(static_cast<std::uint8_t>((value >> 8) & 0xFF));
                break;
            case Encoding::None:
                break;
            }
        }
        if (info.text) {
            const std::size_t length = std::min<std::size_t>(in.text.size(), 0xFFFF);
            out.push_back(static_cast<std::uint8_t>(length & 0xFF));
            out.push_back(static_cast<std::uint8_t>(length >> 8));
            out.insert(out.end(), in.text.begin(), in.text.begin() + static_cast<long>(length));
        }
    }
    out.push_back(static_cast<std::uint8_t>(Op::End));
}

std::optional<std::vector<Instruction>> decodeMessage(std::span<const std::uint8_t> bytes)
{
    std::vector<Instruction> code;
    std::size_t at = 0;
    auto available = [&](std::size_t count) { return bytes.size() - at >= count; };
    while (at < bytes.size()) {
        const std::uint8_t opByte = bytes[at++];
        if (opByte == static_cast<std::uint8_t>(Op::End))
            return at == bytes.size() ? std::optional(std::move(code)) : std::nullopt;
        if (opByte >= OpCount)
            return std::nullopt;
        Instruction in;
        in.op = static_cast<Op>(opByte);
        in.line = static_cast<int>(code.size()) + 1;
        const OpInfo& info = opInfo(in.op);
        for (int i = 0; i < info.operandCount; ++i) {
            const OperandInfo& operand = info.operands[static_cast<std::size_t>(i)];
            int value = 0;
            if (operand.encoding == Encoding::U16) {
                if (!available(2))
                    return std::nullopt;
                value = bytes[at] | (bytes[at + 1] << 8);
                at += 2;
            } else {
                if (!available(1))
                    return std::nullopt;
                value = operand.encoding == Encoding::I8 ? static_cast<std::int8_t>(bytes[at])
                                                         : bytes[at];
                at += 1;
            }
            if (value < operand.low || value > operand.high)
                return std::nullopt;
            in.args[static_cast<std::size_t>(i)] = value;
        }
        if (info.text) {
            if (!available(2))
                return std::nullopt;
            const std::size_t length = bytes[at] | (bytes[at + 1] << 8);
            at += 2;
            if (!available(length))
                return std::nullopt;
            in.text.assign(bytes.begin() + static_cast<long>(at),
                bytes.begin() + static_cast<long>(at + length));
            at += length;
        }
        code.push_back(std::move(in));
    }
    return std::nullopt;
}

} // namespace marquis::unit
