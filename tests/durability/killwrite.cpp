// Kills the program's store writers mid-write and checks what they leave.
//
//   killwrite [--kills N] [--seed S] [--scale N] [--dir FOLDER] [--op NAME]...
//
// The stores hold 3 × N messages and contacts (100: the default; at least 20).
// The stores are kept in a temporary folder below FOLDER (when it exists) or
// the system's temporary folder.
//
// Seeds a data folder with stores of realistic size, then for each operation
// runs it once to completion in a copy (the state after). Each kill copies
// the seeded folder afresh, starts the operation in a child process, and once
// the child has loaded its stores and is about to write, sends it SIGKILL
// after a random delay between nothing and a quarter more than the write
// takes. The program's next start is then run on what the child left, and
// every file must read cleanly and the folder must hold exactly the state
// before or exactly the state after (file by file for an operation whose
// files are independent), but for a new file the next start keeps on
// purpose (see dropKeptNewFiles). Prints the figures per operation; exits 1 when any
// kill left anything else.
//
// The child runs as `killwrite --child NAME --base DIR --ready FD`.

#include "app/atomicfile.h"
#include "app/globals.h"
#include "tests/durability/storeops.h"

#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QRegularExpression>
#include <QSet>
#include <QTemporaryDir>
#include <QTextStream>
#include <cerrno>
#include <csignal>
#include <cstdio>
#include <ctime>
#include <poll.h>
#include <random>
#include <sys/wait.h>
#include <unistd.h>

namespace {

using Files = QMap<QString, QByteArray>;

int runChild(const QString& name, const QString& base, int ready) {
    const StoreOps::Operation* op = StoreOps::find(name);
    if (!op)
        return 2;
    setProgramFolders(base);
    const StoreOps::Write write = op->prepare();
    if (::write(ready, "R", 1) != 1)
        return 2;
    QElapsedTimer timer;
    timer.start();
    const StoreOps::Outcome outcome = write();
    const QByteArray report = QByteArray::number(timer.nsecsElapsed() / 1000) + '\n';
    if (::write(ready, report.constData(), report.size()) != report.size())
        return 2;
    return outcome.ok ? 0 : 1;
}

// A child running one operation on the folder `base`.
class Child {
public:
    Child(const char* op, const QString& base) {
        int fds[2];
        if (pipe(fds) != 0)
            return;
        const QByteArray self = QFile::encodeName(QCoreApplication::applicationFilePath());
        const QByteArray dir = QFile::encodeName(base);
        const QByteArray fd = QByteArray::number(fds[1]);
        pid_ = fork();
        if (pid_ == 0) {
            ::close(fds[0]);
            execl(self.constData(), self.constData(), "--child", op, "--base", dir.constData(),
                  "--ready", fd.constData(), static_cast<char*>(nullptr));
            _exit(127);
        }
        ::close(fds[1]);
        pipe_ = fds[0];
    }
    ~Child() {
        if (pipe_ >= 0)
            ::close(pipe_);
    }

    // Waits until the child has loaded its stores and is about to write.
    bool ready() { return read(60000) == "R"; }

    // Lets the child finish; the time its write took in microseconds (-1
    // when it failed).
    qint64 finish() {
        const QByteArray report = read(30000);
        return wait() == 0 ? report.trimmed().toLongLong() : -1;
    }

    // Kills the child after `delayNs`; true when it was still running then.
    bool killAfter(qint64 delayNs) {
        if (delayNs > 0) {
            const timespec delay{static_cast<time_t>(delayNs / 1000000000),
                                 static_cast<long>(delayNs % 1000000000)};
            clock_nanosleep(CLOCK_MONOTONIC, 0, &delay, nullptr);
        }
        int status = 0;
        const bool running = waitpid(pid_, &status, WNOHANG) == 0;
        if (running) {
            ::kill(pid_, SIGKILL);
            waitpid(pid_, &status, 0);
        }
        return running;
    }

private:
    // What the child sends until it closes the pipe or `timeoutMs` passes;
    // only the first byte while waiting for readiness.
    QByteArray read(int timeoutMs) {
        QByteArray got;
        pollfd p{pipe_, POLLIN, 0};
        while (poll(&p, 1, timeoutMs) > 0) {
            char buffer[64];
            const ssize_t n = ::read(pipe_, buffer, got.isEmpty() ? 1 : sizeof buffer);
            if (n <= 0)
                break;
            got.append(buffer, n);
            if (got == "R")
                break;
        }
        return got;
    }

    int wait() {
        int status = 0;
        waitpid(pid_, &status, 0);
        return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    }

    pid_t pid_ = -1;
    int pipe_ = -1;
};

// Where the next start left the folder: as before the write, as after it,
// or (independent files only) some files before and some after.
enum class Side { Before, After, PerFile, Neither };

struct Tally {
    int kills = 0;
    int midWrite = 0;  // the child was still running when killed
    int sides[3] = {}; // by Side, but Neither
    int leftovers = 0; // kills that left files of an unfinished write behind
    int kept = 0;      // such files the next start left in place on purpose
    QStringList failures;
};

Side compare(const Files& state, const Files& before, const Files& after, bool independent,
             QString* why) {
    if (state == before)
        return Side::Before;
    if (state == after)
        return Side::After;
    QSet<QString> names;
    for (const Files* f : {&state, &before, &after})
        for (auto it = f->begin(); it != f->end(); ++it)
            names.insert(it.key());
    bool anyBefore = false, anyAfter = false;
    for (const QString& name : names) {
        const std::optional<QByteArray> now =
            state.contains(name) ? std::optional(state.value(name)) : std::nullopt;
        const auto at = [&name](const Files& f) {
            return f.contains(name) ? std::optional(f.value(name)) : std::nullopt;
        };
        const bool isBefore = now == at(before);
        const bool isAfter = now == at(after);
        if (!isBefore && !isAfter) {
            *why = name + (now ? " holds neither the old nor the new contents" : " is missing");
            return Side::Neither;
        }
        anyBefore = anyBefore || !isAfter;
        anyAfter = anyAfter || !isBefore;
    }
    if (!independent && anyBefore && anyAfter) {
        *why = "some files are as before and some as after";
        return Side::Neither;
    }
    return Side::PerFile;
}

// The next start leaves in place, on purpose, a new file of an interrupted
// write whose random name could be one a user gave a copy ("sms.xml.backup"):
// such files are taken out of `state` and counted. A file the program's rule
// would remove is left in, so that the comparison finds it.
int dropKeptNewFiles(Files& state, const Files& before, const Files& after) {
    static const QRegularExpression newFile(QStringLiteral("^(.+)\\.[A-Za-z0-9]{6}$"));
    int kept = 0;
    for (const QString& name : state.keys()) {
        const QRegularExpressionMatch match = newFile.match(name);
        if (before.contains(name) || after.contains(name) || !match.hasMatch())
            continue;
        QTemporaryDir probe;
        QFile(probe.filePath(name)).open(QIODevice::WriteOnly);
        if (removeInterruptedWrites(probe.path(), {match.captured(1)}) == 0) {
            state.remove(name);
            ++kept;
        }
    }
    return kept;
}

int runParent(int kills, quint32 seed, int scale, const QStringList& only, const QString& under) {
    QTemporaryDir work(QFileInfo(under).isDir() ? under + "/killwrite-XXXXXX"
                                                : QDir::tempPath() + "/killwrite-XXXXXX");
    if (!work.isValid())
        return 2;
    const QString pristine = work.path() + "/pristine";
    setProgramFolders(pristine);
    StoreOps::seed(scale);
    StoreOps::nextStart();
    const Files before = StoreOps::snapshot();
    QTextStream out(stdout);
    if (const QStringList problems = StoreOps::readProblems(); !problems.isEmpty()) {
        out << "the seeded stores don't read: " << problems.join("; ") << '\n';
        return 2;
    }

    struct Planned {
        const StoreOps::Operation* op;
        Files after;
        qint64 micros;
        Tally tally;
    };
    QList<Planned> plan;
    const QString scratch = work.path() + "/scratch";
    for (const StoreOps::Operation& op : StoreOps::operations()) {
        if (!only.isEmpty() && !only.contains(QLatin1String(op.name)))
            continue;
        if (!StoreOps::copyFolder(pristine, scratch))
            return 2;
        Child child(op.name, scratch);
        const qint64 micros = child.ready() ? child.finish() : -1;
        setProgramFolders(scratch);
        StoreOps::nextStart();
        const Files after = StoreOps::snapshot();
        if (micros < 0 || after == before) {
            out << op.name << ": the operation does not complete in a copy\n";
            return 2;
        }
        plan.append({&op, after, micros, {}});
    }
    if (plan.isEmpty())
        return 2;

    std::mt19937 random(seed);
    QElapsedTimer clock;
    clock.start();
    const QString target = work.path() + "/killed";
    for (int k = 0; k < kills; ++k) {
        Planned& p = plan[k % plan.size()];
        if (!StoreOps::copyFolder(pristine, target))
            return 2;
        std::uniform_int_distribution<qint64> delay(0, p.micros * 1250);
        Child child(p.op->name, target);
        if (!child.ready()) {
            child.killAfter(0);
            p.tally.failures << "the child did not start";
            continue;
        }
        Tally& t = p.tally;
        ++t.kills;
        t.midWrite += child.killAfter(delay(random)) ? 1 : 0;
        setProgramFolders(target);
        const Files left = StoreOps::snapshot();
        t.leftovers += std::any_of(left.keyBegin(), left.keyEnd(),
                                   [&](const QString& name) {
                                       return !before.contains(name) && !p.after.contains(name);
                                   })
                           ? 1
                           : 0;
        StoreOps::nextStart();
        Files state = StoreOps::snapshot();
        t.kept += dropKeptNewFiles(state, before, p.after);
        QString why;
        const Side side = compare(state, before, p.after, p.op->filesIndependent, &why);
        if (side == Side::Neither)
            t.failures << QString("kill %1: %2").arg(k).arg(why);
        else
            ++t.sides[int(side)];
        if (const QStringList problems = StoreOps::readProblems(); !problems.isEmpty())
            t.failures << QString("kill %1: %2").arg(k).arg(problems.join("; "));
    }

    out << QString("%1 kills in %2 s (seed %3)\n")
               .arg(kills)
               .arg(clock.elapsed() / 1000.0, 0, 'f', 1)
               .arg(seed);
    const auto row = [&out](const QStringList& cells) {
        static const int widths[] = {-22, 9, 6, 5, 7, 6, 9, 6, 5, 7};
        for (qsizetype i = 0; i < cells.size(); ++i)
            out << (i ? " " : "") << QString("%1").arg(cells[i], widths[i]);
        out << '\n';
    };
    row({"operation", "write µs", "kills", "mid", "before", "after", "per-file", "temps", "kept",
         "failed"});
    int failed = 0;
    for (const Planned& p : std::as_const(plan)) {
        const Tally& t = p.tally;
        QStringList cells = {QString::fromLatin1(p.op->name)};
        for (const qint64 n :
             {p.micros, qint64(t.kills), qint64(t.midWrite), qint64(t.sides[0]), qint64(t.sides[1]),
              qint64(t.sides[2]), qint64(t.leftovers), qint64(t.kept), qint64(t.failures.size())})
            cells << QString::number(n);
        row(cells);
        for (const QString& f : t.failures)
            out << "    " << f << '\n';
        failed += static_cast<int>(t.failures.size());
    }
    return failed == 0 ? 0 : 1;
}

} // namespace

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    const QStringList args = app.arguments().mid(1);
    int kills = 1000;
    int scale = 100;
    quint32 seed = static_cast<quint32>(std::time(nullptr));
    QStringList only;
    QString child, base, under;
    int ready = -1;
    for (qsizetype i = 0; i + 1 < args.size(); i += 2) {
        const QString& key = args.at(i);
        const QString& value = args.at(i + 1);
        if (key == "--kills")
            kills = value.toInt();
        else if (key == "--seed")
            seed = value.toUInt();
        else if (key == "--op")
            only << value;
        else if (key == "--dir")
            under = value;
        else if (key == "--scale")
            scale = value.toInt();
        else if (key == "--child")
            child = value;
        else if (key == "--base")
            base = value;
        else if (key == "--ready")
            ready = value.toInt();
    }
    if (!child.isEmpty())
        return runChild(child, base, ready);
    if (args.size() % 2 != 0 || kills <= 0 || scale < 20) {
        std::fprintf(stderr, "usage: killwrite [--kills N] [--seed S] [--scale N] [--dir FOLDER] "
                             "[--op NAME]...\n");
        return 2;
    }
    return runParent(kills, seed, scale, only, under);
}
