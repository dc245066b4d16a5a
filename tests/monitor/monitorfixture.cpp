#include "tests/monitor/monitorfixture.h"

#include "sms/deliveryreport.h"
#include "sms/smsdataoperation.h"

#include <QFile>
#include <QSignalSpy>

void startWithEmptyMessageStore(const TestEnv& env) {
    // The build's data folder may hold messages of a run of the program.
    QFile::remove(env.dataPath("sms.xml"));
}

bool MonitorFixture::start(const QString& scenario) {
    startWithEmptyMessageStore(env);
    if (!sim.start(scenario) || sim.control({"ping"}) != "pong")
        return false;
    link = std::make_unique<SerialThread>();
    link->firstByteTimeoutMs = SIM_FIRST_BYTE_MS;
    inbox = std::make_unique<SmsInbox>(link.get());
    monitor = std::make_unique<StatusMonitor>(&view, *link, inbox.get(),
                                              FixedPorts{sim.atPort(), sim.dataPort()});
    // Ticks come from the test; the timer never fires by itself.
    monitor->setPeriods(3600 * 1000, 3600 * 1000);
    return true;
}

void MonitorFixture::tick() {
    QSignalSpy done(monitor.get(), &StatusMonitor::tickDone);
    monitor->slotTimer();
    if (done.isEmpty())
        done.wait(30000);
}

MonitorFixture::~MonitorFixture() {
    monitor.reset();
    inbox.reset();
    link.reset();
}

QStringList MonitorFixture::newCommands() {
    const QStringList all = sim.received();
    const QStringList fresh = all.mid(seen_);
    seen_ = all.size();
    return fresh;
}

QStringList MonitorFixture::outboxDeliveries() const {
    SmsData store;
    QMap<int, SM_PARAM_DECODE> outbox;
    store.getPcAllSmsItem(outbox, "outbox");
    QStringList out;
    for (const SM_PARAM_DECODE& rec : std::as_const(outbox)) {
        const DeliverySummary summary = summarizeDelivery(rec.delivery);
        out << QString("%1|%2|%3")
                   .arg(rec.contentStr)
                   .arg(int(summary.outcome))
                   .arg(summary.status);
    }
    out.sort();
    return out;
}

QStringList MonitorFixture::pcBox(const QString& box) const {
    SmsData store;
    QMap<int, SM_PARAM_DECODE> map;
    store.getPcAllSmsItem(map, box);
    QStringList out;
    for (auto it = map.begin(); it != map.end(); ++it) {
        SM_PARAM_DECODE rec;
        store.selectSmsItem(rec, box, it.key());
        out << QString::fromLatin1(it->TPA) + "|" + rec.contentStr + "|" + it->state;
    }
    return out;
}
