// The POSIX half of the process: its id, signals taken by a thread of their own, and standard
// output written with write(2).
#include <pthread.h>
#include <signal.h>
#include <unistd.h>

#include <cerrno>
#include <limits>
#include <thread>

#include "platform/ProcessInternal.h"

namespace quillon {

namespace {

sigset_t EndingSignals() {
    sigset_t set;
    ::sigemptyset(&set);
    ::sigaddset(&set, SIGINT);
    ::sigaddset(&set, SIGTERM);
    return set;
}

}  // namespace

std::uint64_t CurrentProcessId() { return static_cast<std::uint64_t>(::getpid()); }

bool ProcessRuns(std::uint64_t pid) {
    // Beyond pid_t a number is no process; cast, it would name a process group.
    if (pid == 0 || pid > static_cast<std::uint64_t>(std::numeric_limits<pid_t>::max())) return false;
    return ::kill(static_cast<pid_t>(pid), 0) == 0 || errno == EPERM;
}

void InstallInterruptHandling() {
    ::signal(SIGPIPE, SIG_IGN);
    // A signal handler may not take a lock or free memory; a thread that waits for the signals may.
    // They are blocked here, before any other thread starts, so that every thread inherits that.
    const sigset_t set = EndingSignals();
    ::pthread_sigmask(SIG_BLOCK, &set, nullptr);
    std::thread([set] {
        int signal = 0;
        while (::sigwait(&set, &signal) != 0) {
        }
        RemoveTemporaryFilesInFlight();
        ::_exit(signal == SIGINT ? kInterruptedStatus : kTerminatedStatus);
    }).detach();
}

void InterruptWrite(int signal) {
    ::kill(::getpid(), signal);
    // The signal's thread ends the process; this write goes no further.
    for (;;) ::pause();
}

StandardOutputBuffer::Failure WriteStandardOutput(std::string_view bytes) {
    while (!bytes.empty()) {
        const ssize_t n = ::write(STDOUT_FILENO, bytes.data(), bytes.size());
        if (n < 0) {
            if (errno == EINTR) continue;
            return errno == EPIPE ? StandardOutputBuffer::Failure::ReaderGone
                                  : StandardOutputBuffer::Failure::WriteFailed;
        }
        bytes.remove_prefix(static_cast<std::size_t>(n));
    }
    return StandardOutputBuffer::Failure::None;
}

}  // namespace quillon
