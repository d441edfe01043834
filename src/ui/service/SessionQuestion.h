#pragma once

#include "core/service/PowerGuard.h"

class QWidget;

namespace domora {

class MessageDialog;

// Asks in the program's question box whether to end the session: "Ok" ends it normally,
// "Форсировано" forced, "Отмена" or the close box not at all. `opener` is the control asked
// from.
SessionAnswer AskToEndSession(MessageDialog& dialog, const QWidget* opener);

} // namespace domora
