#include "platform/TerminationRequests.h"

namespace domora {
namespace {

// Windows ends a session through the window system's own messages, which Qt turns into the
// session manager's requests; no descriptor is watched.
class NoTerminationRequests final : public TerminationRequests {
public:
    int descriptor() const override { return -1; }
    bool take() override { return false; }
};

} // namespace

std::unique_ptr<TerminationRequests> ListenForTerminationRequests() {
    return std::make_unique<NoTerminationRequests>();
}

} // namespace domora
