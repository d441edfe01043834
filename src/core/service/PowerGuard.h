#pragma once

#include <cstdint>

namespace domora {

// Lets a power action (ending the session, suspend) through once: the same request again
// within a few seconds, as from a double click or a click queued while the first one ran,
// is refused. Times are the 32-bit millisecond tick count, which wraps.
class PowerGuard {
public:
    static constexpr std::uint32_t kRepeatMs = 5000;

    bool allow(std::uint32_t tick) {
        if (used_ && tick - last_ < kRepeatMs) {
            return false;
        }
        used_ = true;
        last_ = tick;
        return true;
    }

private:
    bool used_ = false;
    std::uint32_t last_ = 0;
};

// How the end-of-session question was answered.
enum class SessionAnswer { Cancelled, Normal, Forced };

// The message dialog's result: "Ok" (1) not forced, "Форсировано" (3) forced; "Отмена" (2),
// the close box (4) and anything else, nothing.
inline SessionAnswer SessionAnswerFromDialog(int result) {
    switch (result) {
    case 1:
        return SessionAnswer::Normal;
    case 3:
        return SessionAnswer::Forced;
    default:
        return SessionAnswer::Cancelled;
    }
}

} // namespace domora
