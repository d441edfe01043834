#include "platform/posix/NoTaskbar.h"

namespace domora {

bool NoTaskbar::hideReportingWasVisible() {
    return true;
}

void NoTaskbar::show() {}

} // namespace domora
