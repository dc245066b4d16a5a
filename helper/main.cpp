// velto-helper: the part of Velto Modem Connection that needs root. The
// window runs as the user and asks for each of these through pkexec, which
// lets the user of the active local session without a password and asks
// for an administrator's otherwise (the package's polkit actions):
//
//   velto-helper connect          a request (helper/dialrequest.h) on standard input:
//                                 backs up and writes the dialer's files, runs the
//                                 dialer until it ends, then restores the files
//   velto-helper hangup [--force] ends the dialer of the running connection
//                                 (SIGTERM, or SIGKILL with --force)
//   velto-helper restore          puts back what a connection left: ends its dialer,
//                                 undoes its DNS servers, restores the files
//   velto-helper old-data [moved] the user's files an earlier version kept in root's
//                                 home, as "file NAME SIZE" and the bytes, then "end";
//                                 with "moved": that folder is renamed velto.moved
//   velto-helper modeswitch VID:PID  switches a card out of its disc mode with
//                                 usb_modeswitch and usb-modeswitch-data's config
//                                 for that device (lower-case hexadecimal ids)
//
// It reports in lines on standard output (helper/helperreport.h). It takes
// no path and no root from its caller, checks every field of a request,
// and runs only the dialer programs and usb_modeswitch at their fixed paths. The one root it
// knows is where it is installed: a copy at ROOT/usr/libexec/velto/velto-helper
// (the demo's and the tests', without rights) works below ROOT; the
// installed one works on the machine.

#include "app/atomicfile.h"
#include "app/systempaths.h"
#include "app/userfiles.h"
#include "helper/dialerfiles.h"
#include "helper/dialrequest.h"
#include "helper/helperreport.h"

#include <QByteArray>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRegularExpression>
#include <atomic>
#include <cerrno>
#include <csignal>
#include <cstdio>
#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

namespace {

enum Exit { Done = 0, Usage = 2, Refused = 3, Busy = 4, Failed = 5 };

constexpr int TermWaitMs = 5000; // a dialer told to end gets this long before SIGKILL
constexpr int KillWaitMs = 3000;

void report(HelperReport::Kind kind, int number = 0, const QString& field = {}) {
    const QByteArray line = helperReportLine(kind, number, field);
    (void)!::write(STDOUT_FILENO, line.constData(), size_t(line.size()));
}

QString rootFromOwnPath() {
    const QString self = QFileInfo(QStringLiteral("/proc/self/exe")).canonicalFilePath();
    const QString installed = QStringLiteral("/usr/libexec/velto/velto-helper");
    return self.endsWith(installed) ? self.chopped(installed.size()) : QString();
}

QByteArray readInput() {
    QByteArray text;
    char buffer[1024];
    while (text.size() <= MaxRequestSize) {
        const ssize_t n = ::read(STDIN_FILENO, buffer, sizeof buffer);
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0)
            break;
        text.append(buffer, n);
    }
    return text;
}

// The card's port: a USB serial device below /dev. Under a private root a
// pseudo-terminal stands in for the card.
bool acceptablePort(const QString& port) {
    struct stat st {};
    if (::stat(QFile::encodeName(port).constData(), &st) != 0 || !S_ISCHR(st.st_mode))
        return false;
    static const QRegularExpression serial(QStringLiteral("^/dev/tty(USB|ACM|HS)[0-9]+$"));
    static const QRegularExpression pseudo(QStringLiteral("^/dev/pts/[0-9]+$"));
    const QString device = QFileInfo(port).canonicalFilePath();
    if (SystemPaths::root().isEmpty())
        return port.startsWith(QLatin1String("/dev/")) && serial.match(device).hasMatch();
    return pseudo.match(device).hasMatch();
}

QString dialerProgram(Dialer dialer) {
    return dialer == Dialer::Pppd ? SystemPaths::pppdProgram() : SystemPaths::wvdialProgram();
}

// The lock that the helper running a dialer holds for the dialer's life.
class RunLock {
public:
    ~RunLock() {
        if (fd_ >= 0)
            ::close(fd_);
    }
    bool take() {
        if (fd_ < 0) {
            ::mkdir(QFile::encodeName(SystemPaths::runDir()).constData(), 0755);
            fd_ = ::open(QFile::encodeName(SystemPaths::helperLock()).constData(),
                         O_RDWR | O_CREAT | O_CLOEXEC | O_NOFOLLOW, 0644);
        }
        return fd_ >= 0 && ::flock(fd_, LOCK_EX | LOCK_NB) == 0;
    }
    // Tries until `ms` have passed.
    bool takeWithin(int ms) {
        for (int waited = 0; !take(); waited += 100) {
            if (waited >= ms)
                return false;
            ::usleep(100 * 1000);
        }
        return true;
    }

private:
    int fd_ = -1;
};

pid_t recordedDialer() {
    QFile record(SystemPaths::dialerRecord());
    if (!record.open(QIODevice::ReadOnly))
        return 0;
    const pid_t pid = record.readLine(32).trimmed().toInt();
    if (pid <= 1)
        return 0;
    // Only a process that still runs a dialer program: its number may have
    // gone to another process since.
    const QString exe = QFileInfo(SystemPaths::processExe(pid)).canonicalFilePath();
    for (Dialer dialer : {Dialer::Wvdial, Dialer::Pppd}) {
        const QString program = QFileInfo(dialerProgram(dialer)).canonicalFilePath();
        if (!exe.isEmpty() && exe == program)
            return pid;
    }
    return 0;
}

// The dialer leads a process group of its own, with the pppd it starts.
void signalDialer(pid_t pid, int sig) {
    if (::kill(-pid, sig) != 0)
        ::kill(pid, sig);
}

// A process that has ended and waits for its parent to reap it is gone too.
bool running(pid_t pid) {
    if (::kill(pid, 0) != 0)
        return false;
    QFile stat("/proc/" + QString::number(pid) + "/stat");
    if (!stat.open(QIODevice::ReadOnly))
        return false;
    const QByteArray line = stat.readLine(512);
    return line.mid(line.lastIndexOf(')') + 2, 1) != "Z";
}

bool gone(pid_t pid, int ms) {
    for (int waited = 0; running(pid); waited += 50) {
        if (waited >= ms)
            return false;
        ::usleep(50 * 1000);
    }
    return true;
}

// The dialer that a signal to the helper is passed on to (the helper itself
// goes on to put the files back).
std::atomic<pid_t> forwardTo{0};
void forward(int sig) {
    if (const pid_t pid = forwardTo.load(); pid > 0)
        ::kill(-pid, sig);
}

// Starts the dialer in a session of its own; -1 when it can't be run. Its
// pid is returned only once it runs the dialer program, so that a hangup
// finds the dialer behind that number.
pid_t startDialer(const DialRequest& request) {
    const QByteArray program = QFile::encodeName(dialerProgram(request.dialer));
    QList<QByteArray> words;
    if (request.dialer == Dialer::Pppd)
        words = {"pppd", "file",  QFile::encodeName(SystemPaths::pppdOptionsFile()),
                 "call", "velto", "nodetach"};
    else
        words = {"wvdial"};
    std::vector<char*> argv;
    for (QByteArray& word : words)
        argv.push_back(word.data());
    argv.push_back(nullptr);
    char path[] = "PATH=/usr/sbin:/usr/bin:/sbin:/bin";
    char* const envp[] = {path, nullptr};

    // The exec closes this pipe; a failed exec writes into it first.
    int started[2];
    if (::pipe2(started, O_CLOEXEC) != 0)
        return -1;
    const pid_t pid = ::fork();
    if (pid == 0) {
        ::setsid();
        const int null = ::open("/dev/null", O_RDONLY);
        ::dup2(null, STDIN_FILENO);
        // The dialer's chatter goes to the window's log, not into the reports.
        ::dup2(STDERR_FILENO, STDOUT_FILENO);
        ::execve(program.constData(), argv.data(), envp);
        (void)!::write(started[1], "x", 1);
        ::_exit(127);
    }
    ::close(started[1]);
    char failed = 0;
    ssize_t n;
    while ((n = ::read(started[0], &failed, 1)) < 0 && errno == EINTR) {
    }
    ::close(started[0]);
    if (pid > 0 && n > 0) {
        while (::waitpid(pid, nullptr, 0) < 0 && errno == EINTR) {
        }
        return -1;
    }
    return pid;
}

void recordDialer(pid_t pid) {
    QFile record(SystemPaths::dialerRecord());
    if (record.open(QIODevice::WriteOnly | QIODevice::Truncate))
        record.write(QByteArray::number(pid) + '\n');
}

// What the ip-up hook did for a link whose ip-down hook never ran (a dialer
// killed outright) is undone by running that hook.
void undoDns() {
    QFile state(SystemPaths::dnsStateFile());
    if (!state.open(QIODevice::ReadOnly))
        return;
    const QByteArray iface = state.readLine(64).trimmed().split(' ').value(1);
    state.close();
    static const QRegularExpression name(QStringLiteral("^ppp[0-9]+$"));
    const QByteArray hook = QFile::encodeName(SystemPaths::ipDownHook());
    if (!name.match(QString::fromLatin1(iface)).hasMatch() || ::access(hook.constData(), X_OK)) {
        QFile::remove(SystemPaths::dnsStateFile());
        return;
    }
    const pid_t pid = ::fork();
    if (pid == 0) {
        char path[] = "PATH=/usr/sbin:/usr/bin:/sbin:/bin";
        char* const envp[] = {path, nullptr};
        ::execle(hook.constData(), hook.constData(), iface.constData(), "", "", "", "", "velto",
                 static_cast<char*>(nullptr), envp);
        ::_exit(127);
    }
    int status = 0;
    while (pid > 0 && ::waitpid(pid, &status, 0) < 0 && errno == EINTR) {
    }
}

// Puts back what the connection changed; `ended` says that a connection was
// ended, which is a restore even when its own helper put the files back.
void finish(bool ended = false) {
    const bool dns = QFileInfo::exists(SystemPaths::dnsStateFile());
    undoDns();
    const DialerFiles::Restore restored = DialerFiles::restore();
    QFile::remove(SystemPaths::dialerRecord());
    if (restored == DialerFiles::Restore::Failed)
        report(HelperReport::FailedRestore);
    else if (restored == DialerFiles::Restore::Restored || dns || ended)
        report(HelperReport::Restored);
    else
        report(HelperReport::Nothing);
}

int connectCommand() {
    QString field;
    const std::optional<DialRequest> request = readDialRequest(readInput(), &field);
    if (request && !acceptablePort(request->port))
        field = QStringLiteral("port");
    else if (request && !QFileInfo(dialerProgram(request->dialer)).isExecutable())
        field = QStringLiteral("dialer");
    if (!field.isEmpty()) {
        report(HelperReport::Refused, 0, field);
        return Refused;
    }
    RunLock lock;
    if (!lock.take()) {
        report(HelperReport::Busy);
        return Busy;
    }
    const bool backedUp = DialerFiles::backUp(*request);
    if (!backedUp || !DialerFiles::write(*request)) {
        report(backedUp ? HelperReport::FailedWrite : HelperReport::FailedBackup);
        finish();
        return Failed;
    }
    const pid_t pid = startDialer(*request);
    if (pid < 0) {
        report(HelperReport::FailedStart);
        finish();
        return Failed;
    }
    forwardTo = pid;
    recordDialer(pid);
    report(HelperReport::Dialing, pid);
    int status = 0;
    while (::waitpid(pid, &status, 0) < 0 && errno == EINTR) {
    }
    forwardTo = 0;
    if (WIFSIGNALED(status))
        report(HelperReport::EndedSignal, WTERMSIG(status));
    else
        report(HelperReport::EndedExit, WEXITSTATUS(status));
    finish();
    return Done;
}

int hangupCommand(bool force) {
    const pid_t pid = recordedDialer();
    if (pid <= 0) {
        report(HelperReport::Nothing);
        return Done;
    }
    signalDialer(pid, force ? SIGKILL : SIGTERM);
    report(HelperReport::Signalled);
    return Done;
}

int restoreCommand() {
    RunLock lock;
    bool ended = false;
    if (!lock.take()) {
        ended = true;
        // A helper runs a dialer: it restores the files once its dialer is gone.
        if (const pid_t pid = recordedDialer(); pid > 0)
            signalDialer(pid, SIGTERM);
        if (!lock.takeWithin(TermWaitMs)) {
            if (const pid_t pid = recordedDialer(); pid > 0)
                signalDialer(pid, SIGKILL);
            if (!lock.takeWithin(KillWaitMs)) {
                report(HelperReport::Busy);
                return Busy;
            }
        }
    }
    // A dialer whose helper was killed runs on alone.
    if (const pid_t pid = recordedDialer(); pid > 0) {
        ended = true;
        signalDialer(pid, SIGTERM);
        if (!gone(pid, TermWaitMs)) {
            signalDialer(pid, SIGKILL);
            gone(pid, KillWaitMs);
        }
    }
    finish(ended);
    return Done;
}

int oldDataCommand() {
    constexpr qint64 MaxSize = 256 * 1024 * 1024;
    QList<QByteArray> names;
    for (const char* name : kUserDataFiles)
        names << name;
    names.removeAll("debug.log");
    names << "smsparts.xml";
    QByteArray out;
    for (const QByteArray& name : names) {
        // Only the files themselves: a link there could point anywhere.
        const QByteArray path = QFile::encodeName(SystemPaths::oldRootData()) + '/' + name;
        const int fd = ::open(path.constData(), O_RDONLY | O_NOFOLLOW | O_CLOEXEC);
        struct stat st {};
        QFile file;
        if (fd < 0 || ::fstat(fd, &st) != 0 || !S_ISREG(st.st_mode) || st.st_size > MaxSize ||
            !file.open(fd, QIODevice::ReadOnly, QFileDevice::AutoCloseHandle)) {
            if (fd >= 0)
                ::close(fd);
            continue;
        }
        const QByteArray bytes = file.readAll();
        out += "file " + name + ' ' + QByteArray::number(bytes.size()) + '\n' + bytes;
    }
    out += "end\n";
    for (qsizetype done = 0; done < out.size();) {
        const ssize_t n = ::write(STDOUT_FILENO, out.constData() + done, size_t(out.size() - done));
        if (n <= 0 && errno != EINTR)
            return Failed;
        done += qMax<ssize_t>(n, 0);
    }
    return Done;
}

// The folder stays, renamed, so that nothing is lost; the mark goes.
int oldDataMovedCommand() {
    const QString folder = QFileInfo(SystemPaths::oldRootData()).path();
    QString kept = folder + ".moved";
    for (int n = 2; QFileInfo::exists(kept); ++n)
        kept = folder + ".moved." + QString::number(n);
    const bool renamed = !QFileInfo::exists(folder) || QDir().rename(folder, kept);
    QFile::remove(SystemPaths::oldRootDataMarker());
    report(renamed ? HelperReport::Restored : HelperReport::FailedRestore);
    return renamed ? Done : Failed;
}

// Runs `program` (argv `words`) with a bare PATH and waits for it. With
// `output` its standard output is kept there (up to `limit` bytes, the
// rest read and dropped), otherwise it goes to the window's log. The exit
// status, -1 when it could not be run or did not exit.
int runProgram(const QString& program, QList<QByteArray> words, QByteArray* output = nullptr,
               qsizetype limit = 0) {
    const QByteArray path = QFile::encodeName(program);
    std::vector<char*> argv;
    for (QByteArray& word : words)
        argv.push_back(word.data());
    argv.push_back(nullptr);
    int pipeFds[2] = {-1, -1};
    if (output && ::pipe2(pipeFds, O_CLOEXEC) != 0)
        return -1;
    const pid_t pid = ::fork();
    if (pid == 0) {
        char env[] = "PATH=/usr/sbin:/usr/bin:/sbin:/bin";
        char* const envp[] = {env, nullptr};
        const int null = ::open("/dev/null", O_RDONLY);
        ::dup2(null, STDIN_FILENO);
        ::dup2(output ? pipeFds[1] : STDERR_FILENO, STDOUT_FILENO);
        ::execve(path.constData(), argv.data(), envp);
        ::_exit(127);
    }
    if (output) {
        ::close(pipeFds[1]);
        char buffer[4096];
        ssize_t n;
        while ((n = ::read(pipeFds[0], buffer, sizeof buffer)) != 0) {
            if (n < 0 && errno == EINTR)
                continue;
            if (n < 0)
                break;
            output->append(buffer, qMin<qsizetype>(n, qMax<qsizetype>(0, limit - output->size())));
        }
        ::close(pipeFds[0]);
    }
    int status = 0;
    while (pid > 0 && ::waitpid(pid, &status, 0) < 0 && errno == EINTR) {
    }
    return pid > 0 && WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

// usb-modeswitch-data's config for the device `id` ("12d1:1446"): its own
// file when the data is unpacked, else the entry of its packed archive.
// Empty when the data has none.
QByteArray modeswitchConfigOf(const QByteArray& id) {
    constexpr qsizetype MaxConfig = 16 * 1024;
    QFile plain(SystemPaths::usbModeswitchData() + QString::fromLatin1(id));
    if (plain.open(QIODevice::ReadOnly))
        return plain.read(MaxConfig);
    const QString pack = SystemPaths::usbModeswitchData() + "configPack.tar.gz";
    if (!QFileInfo(pack).isFile())
        return {};
    QByteArray config;
    const int status = runProgram(
        SystemPaths::tarProgram(),
        {"tar", "--force-local", "-xzOf", QFile::encodeName(pack), "--", id}, &config, MaxConfig);
    return status == 0 ? config : QByteArray();
}

// A card of another maker in its disc mode: usb_modeswitch, given the data
// package's config for the device, switches it to its modem mode. The only
// thing taken from the caller is the device's identifiers, and only when the
// data has a config for them.
int modeswitchCommand(const QByteArray& id) {
    static const QRegularExpression form(QStringLiteral("^[0-9a-f]{4}:[0-9a-f]{4}$"));
    const QByteArray config =
        form.match(QString::fromLatin1(id)).hasMatch() ? modeswitchConfigOf(id) : QByteArray();
    if (config.trimmed().isEmpty()) {
        report(HelperReport::Refused, 0, QStringLiteral("device"));
        return Refused;
    }
    ::mkdir(QFile::encodeName(SystemPaths::runDir()).constData(), 0755);
    if (!writeFileAtomically(SystemPaths::modeswitchConfig(), config,
                             QFileDevice::ReadOwner | QFileDevice::WriteOwner)) {
        report(HelperReport::FailedWrite);
        return Failed;
    }
    const int status =
        runProgram(SystemPaths::usbModeswitchProgram(),
                   {"usb_modeswitch", "-v", "0x" + id.left(4), "-p", "0x" + id.mid(5), "-c",
                    QFile::encodeName(SystemPaths::modeswitchConfig())});
    QFile::remove(SystemPaths::modeswitchConfig());
    if (status < 0 || status == 127) {
        report(HelperReport::FailedStart);
        return Failed;
    }
    report(HelperReport::EndedExit, status);
    return status == 0 ? Done : Failed;
}

} // namespace

int main(int argc, char** argv) {
    ::umask(022);
    std::signal(SIGPIPE, SIG_IGN);
    for (int sig : {SIGTERM, SIGINT, SIGHUP})
        std::signal(sig, forward);
    SystemPaths::setRoot(rootFromOwnPath());

    const QByteArray command = argc >= 2 ? QByteArray(argv[1]) : QByteArray();
    const QByteArray option = argc >= 3 ? QByteArray(argv[2]) : QByteArray();
    if (command == "connect" && argc == 2)
        return connectCommand();
    if (command == "hangup" && (argc == 2 || (argc == 3 && option == "--force")))
        return hangupCommand(argc == 3);
    if (command == "restore" && argc == 2)
        return restoreCommand();
    if (command == "old-data" && argc == 2)
        return oldDataCommand();
    if (command == "old-data" && argc == 3 && option == "moved")
        return oldDataMovedCommand();
    if (command == "modeswitch" && argc == 3)
        return modeswitchCommand(option);
    std::fprintf(stderr, "usage: velto-helper connect | hangup [--force] | restore | "
                         "old-data [moved] | modeswitch VID:PID\n");
    return Usage;
}
