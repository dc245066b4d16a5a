#include "connection/childreaper.h"

#include <QtDebug>
#include <array>
#include <atomic>
#include <cerrno>
#include <csignal>
#include <deque>
#include <fcntl.h>
#include <mutex>
#include <sys/wait.h>
#include <unistd.h>

namespace {

constexpr int MaxWatched = 16;
std::array<std::atomic<pid_t>, MaxWatched> watched{};
static_assert(std::atomic<pid_t>::is_always_lock_free, "the handler needs lock-free atomics");

// Notes from the handler: [0] read end, [1] write end; both non-blocking.
int notePipe[2] = {-1, -1};

struct ReapNote {
    pid_t pid;
    int sig;
    int status; // the wait status
};

// Wait statuses of the children reaped lately, oldest first; normal code only.
constexpr int RememberedStatuses = 32;
std::mutex statusesLock;
std::deque<std::pair<pid_t, int>> statuses;

void rememberStatus(pid_t pid, int status) {
    const std::lock_guard<std::mutex> guard(statusesLock);
    statuses.emplace_back(pid, status);
    if (statuses.size() > RememberedStatuses)
        statuses.pop_front();
}

struct sigaction previousAction {};

// Reaps the watched child in `slot` if it has ended. Async-signal-safe.
bool reapSlot(std::atomic<pid_t>& slot, int sig, int* status) {
    const pid_t pid = slot.load();
    if (pid <= 0)
        return false;
    int stat = 0;
    const pid_t reaped = waitpid(pid, &stat, WNOHANG);
    if (reaped != pid && !(reaped < 0 && errno == ECHILD))
        return false;
    pid_t expected = pid;
    if (!slot.compare_exchange_strong(expected, 0))
        return false; // the other side reaped it first
    if (status)
        *status = stat;
    const ReapNote note{pid, sig, stat};
    if (notePipe[1] >= 0)
        (void)!write(notePipe[1], &note, sizeof note);
    return true;
}

void chainPrevious(int sig, siginfo_t* info, void* context) {
    if (previousAction.sa_flags & SA_SIGINFO) {
        if (previousAction.sa_sigaction)
            previousAction.sa_sigaction(sig, info, context);
    } else if (previousAction.sa_handler != SIG_DFL && previousAction.sa_handler != SIG_IGN &&
               previousAction.sa_handler) {
        previousAction.sa_handler(sig);
    }
}

void onChild(int sig, siginfo_t* info, void* context) {
    const int savedErrno = errno;
    proc_fork(sig);
    chainPrevious(sig, info, context);
    errno = savedErrno;
}

} // namespace

void proc_fork(int sig) {
    for (auto& slot : watched)
        reapSlot(slot, sig, nullptr);
}

void installChildReaper() {
    static std::once_flag once;
    std::call_once(once, [] {
        if (pipe2(notePipe, O_CLOEXEC | O_NONBLOCK) != 0)
            qWarning("can't create the child reaper's pipe");
        struct sigaction action {};
        action.sa_sigaction = onChild;
        action.sa_flags = SA_SIGINFO | SA_RESTART | SA_NOCLDSTOP;
        sigemptyset(&action.sa_mask);
        sigaction(SIGCHLD, &action, &previousAction);
    });
}

bool watchChild(pid_t pid) {
    for (auto& slot : watched) {
        pid_t expected = 0;
        if (slot.compare_exchange_strong(expected, pid))
            return true;
    }
    qWarning("too many dialer processes to watch; %d is not reaped", int(pid));
    return false;
}

void unwatchChild(pid_t pid) {
    for (auto& slot : watched) {
        pid_t expected = pid;
        slot.compare_exchange_strong(expected, 0);
    }
}

bool reapChild(pid_t pid, int* status) {
    for (auto& slot : watched) {
        if (slot.load() == pid)
            return reapSlot(slot, 0, status);
    }
    return true;
}

void logReapedChildren() {
    if (notePipe[0] < 0)
        return;
    ReapNote note{};
    while (read(notePipe[0], &note, sizeof note) == sizeof note) {
        qDebug("!!!!!!!!!!!!quit process%d, SIGNAL = %d ", int(note.pid), note.sig);
        rememberStatus(note.pid, note.status);
    }
}

std::optional<int> exitStatusOf(pid_t pid) {
    logReapedChildren();
    const std::lock_guard<std::mutex> guard(statusesLock);
    for (auto it = statuses.rbegin(); it != statuses.rend(); ++it) {
        if (it->first == pid)
            return it->second;
    }
    return std::nullopt;
}
