#include "model/cursorchoice.h"

namespace qvgauge {

namespace {

CursorChoice shape(Qt::CursorShape s)
{
    return { CursorSource::Shape, s };
}

} // namespace

CursorChoice cursorFor(MousePointer pointer, bool userMode, bool hasMouseIcon)
{
    if (!userMode)
        return {};
    switch (pointer) {
    case MousePointer::Default:
        return {};
    case MousePointer::Arrow:
    case MousePointer::Icon:
        return shape(Qt::ArrowCursor);
    case MousePointer::Cross:
        return shape(Qt::CrossCursor);
    case MousePointer::IBeam:
        return shape(Qt::IBeamCursor);
    case MousePointer::Size:
    case MousePointer::SizeAll:
        return shape(Qt::SizeAllCursor);
    case MousePointer::SizeNESW:
        return shape(Qt::SizeBDiagCursor);
    case MousePointer::SizeNS:
        return shape(Qt::SizeVerCursor);
    case MousePointer::SizeNWSE:
        return shape(Qt::SizeFDiagCursor);
    case MousePointer::SizeEW:
        return shape(Qt::SizeHorCursor);
    case MousePointer::UpArrow:
        return shape(Qt::UpArrowCursor);
    case MousePointer::Hourglass:
        return shape(Qt::WaitCursor);
    case MousePointer::NoDrop:
        return shape(Qt::ForbiddenCursor);
    case MousePointer::ArrowHourglass:
        return shape(Qt::BusyCursor);
    case MousePointer::ArrowQuestion:
        return shape(Qt::WhatsThisCursor);
    case MousePointer::Custom:
        return hasMouseIcon ? CursorChoice { CursorSource::Icon } : CursorChoice {};
    }
    return {};
}

} // namespace qvgauge
