#include "requirecomponent.h"

#include "commanderror.h"
#include "textio.h"

namespace marquis::cli {

void requireComponent(CrcComponent& component)
{
    if (!component.available())
        throw CommandError(
            "the check-value component is not available: " + printable(component.errorText()));
}

} // namespace marquis::cli
