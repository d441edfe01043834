#pragma once

#include <memory>
#include <string>

namespace domora {

// The marker of a running copy. Held for the life of the process; the system drops it
// when the process ends, also when it dies.
class SingleInstance {
public:
    virtual ~SingleInstance() = default;
    // True when this process now holds the marker; false when another copy holds it.
    virtual bool acquire() = 0;
    // Shows the system's own notice that a copy is running; false when the system has none
    // to show (the caller then shows its own).
    virtual bool showAlreadyRunning(const std::string& text) = 0;
};

// A marker of its own name (the notes use one each to find a free place on the screen); on
// Linux a lock file in the runtime folder, on Windows a named mutex.
std::unique_ptr<SingleInstance> CreateNamedMarker(const std::string& name);

} // namespace domora
