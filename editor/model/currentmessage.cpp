#include "model/currentmessage.h"

namespace marquis {

CurrentMessage::CurrentMessage()
{
    for (int i = 1; i <= MaxUnitLines; ++i)
        line(i).LineLabel = static_cast<std::int16_t>(i);
}

std::int16_t CurrentMessage::task() const
{
    return isMessageNumber(MessageNumber) ? MessageTask[static_cast<std::size_t>(MessageNumber)]
                                          : std::int16_t { 0 };
}

void CurrentMessage::setTask(int task)
{
    if (isMessageNumber(MessageNumber))
        MessageTask[static_cast<std::size_t>(MessageNumber)] =
            static_cast<std::int16_t>(isTask(task) ? task : 0);
}

void CurrentMessage::clearAttributes()
{
    for (int i = 1; i <= MaxUnitLines; ++i) {
        EditLine& l = line(i);
        l.LineFont.clear();
        l.LineScroll.clear();
        l.LineBlink.clear();
        l.LineText.clear();
        l.LineBlock.clear();
        l.LineScript.clear();
    }
    ClearScreen.clear();
    StartOtherTask.clear();
    StartSameTask.clear();
    BlockWait.clear();
    RelayState.clear();
    LockOn.clear();
    LockOff.clear();
    OutputDevice.clear();
    BlockScrollOn = false;
    VerticalScrollOn = false;
}

bool isMessageNumber(long long n)
{
    return n >= 0 && n < MessageCount;
}
bool isTask(long long t)
{
    return t >= 0 && t < TaskCount;
}
bool isUnitLines(long long lines)
{
    return lines == 2 || lines == 4;
}

} // namespace marquis
