#include "platform/TerminationRequests.h"

#include <cerrno>
#include <csignal>
#include <fcntl.h>
#include <unistd.h>

namespace domora {
namespace {

// The write end of the pipe the handler signals through; the handler may only make
// async-signal-safe calls, and write() is one.
volatile std::sig_atomic_t gWriteEnd = -1;

extern "C" void OnTerminationSignal(int) {
    const int savedErrno = errno;
    const int fd = gWriteEnd;
    if (fd >= 0) {
        const char byte = 1;
        [[maybe_unused]] const ssize_t written = ::write(fd, &byte, 1);
    }
    errno = savedErrno;
}

class SignalTermination final : public TerminationRequests {
public:
    SignalTermination() {
        if (::pipe2(fds_, O_CLOEXEC | O_NONBLOCK) != 0) {
            fds_[0] = fds_[1] = -1;
            return;
        }
        gWriteEnd = fds_[1];
        struct sigaction action {};
        action.sa_handler = OnTerminationSignal;
        sigemptyset(&action.sa_mask);
        action.sa_flags = SA_RESTART;
        for (const int signal : {SIGTERM, SIGINT, SIGHUP}) {
            ::sigaction(signal, &action, nullptr);
        }
    }

    ~SignalTermination() override {
        struct sigaction standard {};
        standard.sa_handler = SIG_DFL;
        sigemptyset(&standard.sa_mask);
        for (const int signal : {SIGTERM, SIGINT, SIGHUP}) {
            ::sigaction(signal, &standard, nullptr);
        }
        gWriteEnd = -1;
        for (const int fd : fds_) {
            if (fd >= 0) {
                ::close(fd);
            }
        }
    }

    SignalTermination(const SignalTermination&) = delete;
    SignalTermination& operator=(const SignalTermination&) = delete;

    int descriptor() const override { return fds_[0]; }

    bool take() override {
        bool came = false;
        char buffer[16];
        while (fds_[0] >= 0 && ::read(fds_[0], buffer, sizeof buffer) > 0) {
            came = true;
        }
        return came;
    }

private:
    int fds_[2] = {-1, -1};
};

} // namespace

std::unique_ptr<TerminationRequests> ListenForTerminationRequests() {
    return std::make_unique<SignalTermination>();
}

} // namespace domora
