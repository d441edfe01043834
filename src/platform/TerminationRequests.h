#pragma once

#include <memory>

namespace domora {

// Requests from outside to end the program: on Linux the signals a desktop, `kill` or the
// end of the user's session send (SIGTERM, SIGINT, SIGHUP). The program answers them the way
// it answers the end of a session: it closes without questions and stores what it keeps.
class TerminationRequests {
public:
    virtual ~TerminationRequests() = default;

    // A descriptor that becomes readable when a request came, for the caller's event loop;
    // -1 where the system sends none this way (Windows ends a session through the window
    // system's own messages).
    virtual int descriptor() const = 0;
    // Whether a request came since the last call; drains the descriptor.
    virtual bool take() = 0;
};

// Starts listening for the requests; made once, early in main().
std::unique_ptr<TerminationRequests> ListenForTerminationRequests();

} // namespace domora
