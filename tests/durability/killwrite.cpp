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
// purpose (see dropKeptNewFiles). Prints what each failed kill left; exits 1
// when any kill left anything else.
//
// The child runs as `killwrite --child NAME --base DIR`.

#include "app/atomicfile.h"
#include "app/globals.h"
#include "tests/durability/storeops.h"

#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QRegularExpression>
#include <QSet>
#include <QTemporaryDir>
#include <QTextStream>
#include <cstdio>
#include <ctime>
#include <random>
#include <unistd.h>

namespace {

using Files = QMap<QString, QByteArray>;

// The child: loads the stores, says "R" on its output, writes, and then
// gives the time the write took in microseconds.
int runChild(const QString& name, const QString& base) {
    const StoreOps::Operation* op = StoreOps::find(name);
    if (!op)
        return 2;
    setProgramFolders(base);
    const StoreOps::Write write = op->prepare();
    if (::write(STDOUT_FILENO, "R", 1) != 1)
        return 2;
    QElapsedTimer timer;
    timer.start();
    const StoreOps::Outcome outcome = write();
    const QByteArray report = QByteArray::number(timer.nsecsElapsed() / 1000) + '\n';
    if (::write(STDOUT_FILENO, report.constData(), report.size()) != report.size())
        return 2;
    return outcome.ok ? 0 : 1;
}

// A child running one operation on the folder `base`.
class Child {
public:
    Child(const char* op, const QString& base) {
        process_.start(QCoreApplication::applicationFilePath(),
                       {"--child", QString::fromLatin1(op), "--base", base});
    }

    // Waits until the child has loaded its stores and is about to write.
    bool ready() { return process_.waitForReadyRead(60000) && process_.read(1) == "R"; }

    // Lets the child finish; the time its write took in microseconds (-1
    // when it failed).
    qint64 finish() {
        const bool done = process_.waitForFinished(30000) &&
                          process_.exitStatus() == QProcess::NormalExit && process_.exitCode() == 0;
        return done ? process_.readAll().trimmed().toLongLong() : -1;
    }

    // Kills the child after `delayNs`, unless it has finished by then.
    void killAfter(qint64 delayNs) {
        if (delayNs > 0) {
            const timespec delay{static_cast<time_t>(delayNs / 1000000000),
                                 static_cast<long>(delayNs % 1000000000)};
            clock_nanosleep(CLOCK_MONOTONIC, 0, &delay, nullptr);
        }
        process_.kill(); // harmless when it has ended
        process_.waitForFinished();
    }

private:
    QProcess process_;
};

// Why `state` is neither as before the write nor as after it (for an
// operation of independent files: file by file); empty when it is one.
QString neither(const Files& state, const Files& before, const Files& after, bool independent) {
    if (state == before || state == after)
        return {};
    QSet<QString> names;
    for (const Files* f : {&state, &before, &after})
        for (auto it = f->begin(); it != f->end(); ++it)
            names.insert(it.key());
    bool anyBefore = false, anyAfter = false;
    for (const QString& name : names) {
        const auto at = [&name](const Files& f) {
            return f.contains(name) ? std::optional(f.value(name)) : std::nullopt;
        };
        const std::optional<QByteArray> now = at(state);
        const bool isBefore = now == at(before);
        const bool isAfter = now == at(after);
        if (!isBefore && !isAfter)
            return name + (now ? " holds neither the old nor the new contents" : " is missing");
        anyBefore = anyBefore || !isAfter;
        anyAfter = anyAfter || !isBefore;
    }
    return !independent && anyBefore && anyAfter ? "some files are as before and some as after"
                                                 : QString();
}

// The next start leaves in place, on purpose, a new file of an interrupted
// write whose random name could be one a user gave a copy ("sms.xml.backup"):
// such files are taken out of `state` and counted. A file the program's rule
// would remove is left in, so that the comparison finds it.
void dropKeptNewFiles(Files& state, const Files& before, const Files& after) {
    static const QRegularExpression newFile(QStringLiteral("^(.+)\\.[A-Za-z0-9]{6}$"));
    for (const QString& name : state.keys()) {
        const QRegularExpressionMatch match = newFile.match(name);
        if (before.contains(name) || after.contains(name) || !match.hasMatch())
            continue;
        QTemporaryDir probe;
        QFile(probe.filePath(name)).open(QIODevice::WriteOnly);
        if (removeInterruptedWrites(probe.path(), {match.captured(1)}) == 0)
            state.remove(name);
    }
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
        QStringList failures;
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
    const QString target = work.path() + "/killed";
    for (int k = 0; k < kills; ++k) {
        Planned& p = plan[k % plan.size()];
        if (!StoreOps::copyFolder(pristine, target))
            return 2;
        std::uniform_int_distribution<qint64> delay(0, p.micros * 1250);
        Child child(p.op->name, target);
        if (!child.ready()) {
            child.killAfter(0);
            p.failures << "the child did not start";
            continue;
        }
        child.killAfter(delay(random));
        setProgramFolders(target);
        StoreOps::nextStart();
        Files state = StoreOps::snapshot();
        dropKeptNewFiles(state, before, p.after);
        QStringList problems = StoreOps::readProblems();
        if (const QString why = neither(state, before, p.after, p.op->filesIndependent);
            !why.isEmpty())
            problems.prepend(why);
        if (!problems.isEmpty())
            p.failures << QString("kill %1: %2").arg(k).arg(problems.join("; "));
    }

    int failed = 0;
    for (const Planned& p : std::as_const(plan)) {
        for (const QString& f : p.failures)
            out << p.op->name << ", " << f << '\n';
        failed += static_cast<int>(p.failures.size());
    }
    out << QString("%1 kills, %2 failed (seed %3)\n").arg(kills).arg(failed).arg(seed);
    return failed == 0 ? 0 : 1;
}

} // namespace

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    const QStringList args = app.arguments().mid(1);
    QMultiMap<QString, QString> given; // option, value
    for (qsizetype i = 0; i + 1 < args.size(); i += 2)
        given.insert(args.at(i), args.at(i + 1));
    if (given.contains("--child"))
        return runChild(given.value("--child"), given.value("--base"));
    const int kills = given.value("--kills", "1000").toInt();
    const int scale = given.value("--scale", "100").toInt();
    const quint32 seed = given.contains("--seed") ? given.value("--seed").toUInt()
                                                  : static_cast<quint32>(std::time(nullptr));
    if (args.size() % 2 != 0 || kills <= 0 || scale < 20) {
        std::fprintf(stderr, "usage: killwrite [--kills N] [--seed S] [--scale N] [--dir FOLDER] "
                             "[--op NAME]...\n");
        return 2;
    }
    return runParent(kills, seed, scale, given.values("--op"), given.value("--dir"));
}
