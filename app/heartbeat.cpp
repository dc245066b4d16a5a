#include "app/heartbeat.h"

#include <QDateTime>
#include <QElapsedTimer>
#include <QFile>
#include <QTimer>
#include <cstdio>
#include <fcntl.h>
#include <unistd.h>

namespace {

constexpr int kTickMs = 20;
constexpr qint64 kSummaryMs = 10000;

class Heartbeat : public QTimer {
public:
    Heartbeat(QObject* parent, const QString& logPath, int stallMs)
        : QTimer(parent), log_(logPath), stallMs_(stallMs) {
        if (!log_.open(QIODevice::WriteOnly | QIODevice::Append | QIODevice::Text))
            return;
        // This thread's scheduler figures, in nanoseconds: time on a CPU, and
        // time spent runnable but not running.
        schedstat_ = ::open("/proc/thread-self/schedstat", O_RDONLY | O_CLOEXEC);
        setTimerType(Qt::PreciseTimer);
        setInterval(kTickMs);
        connect(this, &QTimer::timeout, this, &Heartbeat::tick);
        last_ = sched();
        sinceTick_.start();
        sinceSummary_.start();
        start();
    }

    ~Heartbeat() override {
        if (schedstat_ >= 0)
            ::close(schedstat_);
    }

private:
    void tick() {
        const qint64 late = sinceTick_.restart() - kTickMs;
        const Sched now = sched();
        const qint64 waited = now.waitMs - last_.waitMs;
        const qint64 ran = now.runMs - last_.runMs;
        last_ = now;
        if (late > maxLate_) {
            maxLate_ = late;
            maxWaited_ = waited;
        }
        if (late > stallMs_)
            write(QStringLiteral("stall %1 wait %2 run %3 at %4\n")
                      .arg(late)
                      .arg(waited)
                      .arg(ran)
                      .arg(QDateTime::currentDateTimeUtc().toString(Qt::ISODateWithMs)));
        if (sinceSummary_.elapsed() >= kSummaryMs) {
            write(QStringLiteral("max %1 wait %2\n").arg(maxLate_).arg(maxWaited_));
            maxLate_ = maxWaited_ = 0;
            sinceSummary_.restart();
        }
    }

    // Time on a CPU and time runnable but waiting for one.
    struct Sched {
        qint64 runMs = 0;
        qint64 waitMs = 0;
    };

    Sched sched() const {
        char buf[96];
        const ssize_t n = schedstat_ < 0 ? -1 : ::pread(schedstat_, buf, sizeof buf - 1, 0);
        if (n <= 0)
            return {};
        buf[n] = '\0';
        unsigned long long running = 0;
        unsigned long long waiting = 0;
        if (std::sscanf(buf, "%llu %llu", &running, &waiting) != 2)
            return {};
        return {static_cast<qint64>(running / 1000000), static_cast<qint64>(waiting / 1000000)};
    }

    void write(const QString& line) {
        log_.write(line.toLatin1());
        log_.flush();
    }

    QFile log_;
    int schedstat_ = -1;
    qint64 stallMs_;
    qint64 maxLate_ = 0;
    qint64 maxWaited_ = 0;
    Sched last_;
    QElapsedTimer sinceTick_;
    QElapsedTimer sinceSummary_;
};

} // namespace

void startHeartbeat(QObject* parent, const QString& logPath, int stallMs) {
    if (!logPath.isEmpty())
        new Heartbeat(parent, logPath, stallMs);
}
