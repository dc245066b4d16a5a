// Benchmark of the modem link against the modem simulator, with no reply
// delay and with a 20 ms reply delay:
//   - bare "AT" transactions (purge, write, receive) against a raw loop on
//     the same pseudo-terminal (write "AT\r\n", read until "OK\r\n");
//   - reading the whole SIM phonebook (250 entries) and listing 100 stored
//     messages, against gammu doing the same ("getallmemory SM",
//     "getallsms"); both timed from the simulator's transcript, from the
//     operation's first command to its last reply, because gammu's own
//     start-up waits several seconds;
//   - the longest gap between two turns of the event loop while the
//     phonebook is read;
//   - an arriving message: from the simulator's notice to the message in the
//     PC inbox, through the status monitor, for one message (median of 5)
//     and for a burst of 20.
//
// Usage: bench_modem [transactions]   (default 1000)

#include "modem/serialthread.h"
#include "sms/smsdataoperation.h"
#include "tests/monitor/monitorfixture.h"
#include "tests/support/modemsim.h"

#include <QCoreApplication>
#include <QDateTime>
#include <QElapsedTimer>
#include <QFile>
#include <QLoggingCategory>
#include <QProcess>
#include <QRegularExpression>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QThread>
#include <QTimer>

#include <cstdio>
#include <fcntl.h>
#include <functional>
#include <memory>
#include <poll.h>
#include <termios.h>
#include <unistd.h>

namespace {

constexpr int kContacts = 250;
constexpr int kMessages = 100;

QString writeScenario(const QString& dir) {
    QString text = "include \"" + ModemSim::scenarioPath("ready") + "\"\n";
    text += "contacts-clear\nmessages-clear SM\nmessages-clear ME\nstorage SM 120\n";
    for (int i = 1; i <= kContacts; ++i)
        text += QString("contact %1 \"+4917%2\" \"Contact number %1\"\n")
                    .arg(i)
                    .arg(i, 8, 10, QChar('0'));
    for (int i = 1; i <= kMessages; ++i)
        text += QString("message SM read deliver +4916%1 \"Message %2: see you at the station at "
                        "eight\" \"2026-11-30 18:02:11\"\n")
                    .arg(i, 8, 10, QChar('0'))
                    .arg(i);
    const QString path = dir + "/bench.scn";
    QFile file(path);
    if (file.open(QIODevice::WriteOnly))
        file.write(text.toUtf8());
    return path;
}

// Milliseconds from the first command matching `isOperation` after the last
// mark `mark` to the last reply that follows the last such command.
double operationMs(const ModemSim& sim, const QString& mark,
                   const std::function<bool(const QString&)>& isOperation) {
    const QStringList lines = sim.transcript().split('\n');
    qsizetype start = lines.lastIndexOf(QRegularExpression(".* control ! " + mark + "$"));
    QDateTime first, lastReply;
    bool inOperation = false;
    for (qsizetype i = start + 1; i < lines.size(); ++i) {
        const QStringList parts = lines[i].split(' ');
        if (parts.size() < 3 || parts[1] != "at")
            continue;
        const QDateTime when = QDateTime::fromString(parts[0], Qt::ISODateWithMs);
        const QString text = lines[i].section(' ', 3);
        if (parts[2] == "<") {
            inOperation = isOperation(text);
            if (inOperation && !first.isValid())
                first = when;
        } else if (parts[2] == ">" && inOperation) {
            lastReply = when;
        }
    }
    if (!first.isValid() || !lastReply.isValid())
        return -1;
    return double(first.msecsTo(lastReply));
}

bool isPhonebookRead(const QString& cmd) {
    return cmd.startsWith("AT+CPBR=") && cmd != "AT+CPBR=?";
}
bool isMessageRead(const QString& cmd) {
    return cmd.startsWith("AT+CMGL") || cmd.startsWith("AT+CMGR");
}

// write "AT\r\n", read until "OK\r\n": the least any client can do.
double rawLoopMs(const QString& port, int count) {
    const int fd = ::open(port.toLocal8Bit().constData(), O_RDWR | O_NOCTTY);
    if (fd < 0)
        return -1;
    termios tio{};
    tcgetattr(fd, &tio);
    cfmakeraw(&tio);
    tcsetattr(fd, TCSANOW, &tio);
    QElapsedTimer clock;
    clock.start();
    for (int i = 0; i < count; ++i) {
        if (::write(fd, "AT\r\n", 4) != 4)
            break;
        QByteArray reply;
        while (!reply.contains("OK\r\n")) {
            pollfd p{fd, POLLIN, 0};
            if (::poll(&p, 1, 1000) <= 0)
                break;
            char buf[256];
            const ssize_t n = ::read(fd, buf, sizeof buf);
            if (n <= 0)
                break;
            reply.append(buf, n);
        }
    }
    const double ms = double(clock.nsecsElapsed()) / 1e6 / count;
    ::close(fd);
    return ms;
}

bool runGammu(const QString& gammu, const QString& config, const QStringList& command) {
    QProcess process;
    process.setProcessChannelMode(QProcess::MergedChannels);
    process.start(gammu, QStringList{"-c", config} + command);
    if (!process.waitForFinished(120000))
        return false;
    return process.exitCode() == 0;
}

// Lets the simulator notice that a client closed the port before another
// opens it (it discards pending input when the last client goes).
void settle(const ModemSim& sim) {
    QThread::msleep(50);
    sim.command({"ping"});
}

// Milliseconds from the first delivery to `count` more messages in the PC
// inbox, the event loop running meanwhile; -1 when they don't come in 30 s.
double arrivalMs(MonitorFixture& f, int count) {
    const int before = f.inbox->store().countOf("inbox");
    QElapsedTimer clock;
    clock.start();
    for (int i = 0; i < count; ++i)
        f.sim.deliver("+491700000999", QString("Arrival %1").arg(i));
    while (f.inbox->store().countOf("inbox") < before + count) {
        if (clock.elapsed() > 30000)
            return -1;
        QCoreApplication::processEvents(QEventLoop::AllEvents, 2);
    }
    return double(clock.nsecsElapsed()) / 1e6;
}

struct Row {
    QString what;
    int delay;
    double velto;           // our own clock: call to return
    double veltoTranscript; // the simulator's: first command to last reply
    double raw;
    double gammu; // the simulator's transcript
};

QString cell(double ms) {
    return ms < 0 ? QString("-") : QString::number(ms, 'f', 2);
}

// Runs `start` with a completion and waits for it, the event loop turning.
template <typename T> T await(const std::function<void(AtDone<T>)>& start) {
    std::optional<T> result;
    start([&](T value) { result = std::move(value); });
    while (!result)
        QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents);
    return *result;
}

} // namespace

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    if (qEnvironmentVariableIsEmpty("QT_LOGGING_RULES"))
        QLoggingCategory::setFilterRules("velto.modem.debug=false\nvelto.monitor.debug=false");
    const int transactions = argc > 1 ? std::max(1, atoi(argv[1])) : 1000;
    const QString gammu = QStandardPaths::findExecutable("gammu");

    QTemporaryDir dir;
    const QString scenario = writeScenario(dir.path());
    ModemSim sim;
    if (!sim.start(scenario) || !sim.command({"ping"})) {
        std::fprintf(stderr, "bench_modem: the modem simulator did not start\n");
        return 1;
    }
    const QString config = dir.path() + "/gammurc";
    {
        QFile file(config);
        if (file.open(QIODevice::WriteOnly))
            file.write(("[gammu]\ndevice = " + sim.atPort() + "\nconnection = at\n").toUtf8());
    }

    QList<Row> rows;
    for (const int delay : {0, 20}) {
        sim.command({"fault", "delay", QString::number(delay)});
        auto link = std::make_unique<SerialThread>(nullptr);
        if (link->openPort(sim.atPort()) < 0)
            return 1;

        // Each "AT" queued from the completion of the one before: a caller
        // that waits for every reply, the slowest way to use the queue. The
        // echo set-up of the port ends first.
        while (!link->idle())
            QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents);
        QElapsedTimer clock;
        int failures = 0;
        int left = transactions;
        std::function<void(const AtReply&)> next = [&](const AtReply& reply) {
            failures += !reply.ok();
            if (--left > 0)
                link->send({link.get()}, AtCmd::Attention, next);
        };
        clock.start();
        link->send({link.get()}, AtCmd::Attention, next);
        while (left > 0)
            QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents);
        const double perTransaction = double(clock.nsecsElapsed()) / 1e6 / transactions;
        link->closePort();
        settle(sim);
        rows.append(
            {QString("AT transaction (mean of %1, %2 no reply)").arg(transactions).arg(failures),
             delay, perTransaction, -1, rawLoopMs(sim.atPort(), transactions), -1});
        settle(sim);
        link->openPort(sim.atPort());

        // Phonebook read, with a 1 ms timer measuring the event loop's turns.
        SerialThread& l = *link;
        await<bool>([&](AtDone<bool> done) { l.isNewPlatform(&l, done); });
        l.simPhonebookSize = await<int>([&](AtDone<int> done) { l.simCapacity(&l, done); });
        QElapsedTimer turns;
        qint64 longest = 0;
        QTimer ticker;
        ticker.setTimerType(Qt::PreciseTimer);
        QObject::connect(&ticker, &QTimer::timeout, [&] {
            longest = std::max(longest, turns.nsecsElapsed());
            turns.restart();
        });
        const QString pbMark = QString("pb%1").arg(delay);
        sim.command({"mark", pbMark});
        ticker.start(1);
        turns.start();
        clock.restart();
        await<std::optional<QList<PhonebookEntry>>>(
            [&](AtDone<std::optional<QList<PhonebookEntry>>> done) { l.getPhoneBook(&l, done); });
        const double phonebookWall = double(clock.nsecsElapsed()) / 1e6;
        ticker.stop();
        const double veltoPhonebook = operationMs(sim, pbMark, isPhonebookRead);

        const QString smsMark = QString("sms%1").arg(delay);
        sim.command({"mark", smsMark});
        // The mean of several listings: one lasts only milliseconds.
        constexpr int kListings = 20;
        clock.restart();
        qsizetype listed = 0;
        for (int i = 0; i < kListings; ++i)
            listed = await<std::optional<QList<ModemMessage>>>(
                         [&](AtDone<std::optional<QList<ModemMessage>>> done) {
                             l.getSmsContent(&l, MessageStorage::Sim, 4, done);
                         })
                         .value_or(QList<ModemMessage>())
                         .size();
        const double listWall = double(clock.nsecsElapsed()) / 1e6 / kListings;
        const double veltoList = operationMs(sim, smsMark, isMessageRead) / kListings;
        if (listed != kMessages)
            std::fprintf(stderr, "listed %lld messages\n", static_cast<long long>(listed));
        link->closePort();
        link.reset();
        settle(sim);

        double gammuPhonebook = -1;
        double gammuList = -1;
        if (!gammu.isEmpty()) {
            sim.command({"mark", "g" + pbMark});
            if (runGammu(gammu, config, {"getallmemory", "SM"}))
                gammuPhonebook = operationMs(sim, "g" + pbMark, isPhonebookRead);
            sim.command({"mark", "g" + smsMark});
            if (runGammu(gammu, config, {"getallsms"}))
                gammuList = operationMs(sim, "g" + smsMark, isMessageRead);
        }
        rows.append({QString("SIM phonebook read (%1 entries)").arg(kContacts), delay,
                     phonebookWall, veltoPhonebook, -1, gammuPhonebook});
        rows.append({QString("message list (%1 stored, mean of 20)").arg(kMessages), delay,
                     listWall, veltoList, -1, gammuList});
        rows.append(
            {"longest event-loop gap in phonebook read", delay, double(longest) / 1e6, -1, -1, -1});
    }

    {
        MonitorFixture f;
        if (f.start("ready")) {
            f.tick(); // finds and initialises the card
            QList<double> single;
            for (int i = 0; i < 5; ++i)
                single.append(arrivalMs(f, 1));
            std::sort(single.begin(), single.end());
            rows.append(
                {"new message: notice to PC inbox (median of 5)", 0, single[2], -1, -1, -1});
            rows.append(
                {"20 new messages: first notice to all in inbox", 0, arrivalMs(f, 20), -1, -1, -1});
        }
    }

    std::printf("%-48s %5s %10s %12s %10s %12s\n", "operation", "delay", "velto ms",
                "velto (tr) ms", "raw ms", "gammu (tr) ms");
    for (const Row& row : rows)
        std::printf("%-48s %5d %10s %12s %10s %12s\n", qPrintable(row.what), row.delay,
                    qPrintable(cell(row.velto)), qPrintable(cell(row.veltoTranscript)),
                    qPrintable(cell(row.raw)), qPrintable(cell(row.gammu)));
    std::printf("\nvelto ms: call to return, by our clock. (tr): the simulator's transcript, from "
                "the operation's\nfirst command to its last reply (replies are stamped when "
                "queued).\n");
    return 0;
}
