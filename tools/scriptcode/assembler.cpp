#include "scriptcode/assembler.h"

#include "scriptcode/bytecode.h"

namespace marquis::unit {

int memoryCodeOf(int displayType)
{
    return displayType == 5320 ? 0x40 : 0x80;
}

UnitImage assemble(const Program& program)
{
    UnitImage image;
    image.scriptVersion = program.version;
    image.memoryCode = memoryCodeOf(program.displayType);
    for (const CompiledMessage& message : program.messages) {
        if (message.number < 0 || message.number >= ImageMessageCount)
            continue;
        UnitImage::Entry& entry = image.directory[static_cast<std::size_t>(message.number)];
        entry.offset = static_cast<std::uint32_t>(image.code.size());
        encodeMessage(message.code, image.code);
        entry.length = static_cast<std::uint32_t>(image.code.size()) - entry.offset;
        entry.task = static_cast<std::uint8_t>(message.task & 3);
    }
    return image;
}

} // namespace marquis::unit
