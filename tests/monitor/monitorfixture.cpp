#include "tests/monitor/monitorfixture.h"

#include "app/cmdline.h"
#include "modem/serialthread.h"
#include "sms/smsdataoperation.h"

#include <QDeadlineTimer>
#include <QFile>

void startWithEmptyMessageStore(const TestEnv& env) {
    // The build's data folder may hold messages of a run of the program.
    QFile::remove(env.dataPath("sms.xml"));
}

bool MonitorFixture::start(const QString& scenario) {
    startWithEmptyMessageStore(env);
    // The ports exist before the simulator serves them: wait for its answer,
    // so that the first "AT" is not given up after its 50 ms.
    if (!sim.start(scenario) || sim.control({"ping"}) != "pong")
        return false;
    link = std::make_unique<SerialThread>();
    serialthread = link.get();
    link->firstByteTimeoutMs = SIM_FIRST_BYTE_MS;
    fixedPorts = {sim.atPort(), sim.dataPort()};
    theATSerialPortName.clear();
    theModemSerialPortName.clear();
    msgData.clear();
    activeMsgCount = unreadMsgCount = 0;
    receive_flag = false;
    smscent_num.clear();
    monitor = std::make_unique<StatusMonitor>(&view, *link);
    // Ticks come from the test; the timer never fires by itself.
    monitor->setPeriods(3600 * 1000, 3600 * 1000);
    return true;
}

MonitorFixture::~MonitorFixture() {
    monitor.reset();
    if (link)
        link->closePort();
    theATSerialPortName.clear();
    theModemSerialPortName.clear();
    fixedPorts = {};
}

int MonitorFixture::deliver(const QString& sender, const QString& text, const QString& storage) {
    const auto notices = [this] { return sim.sent().filter("+CMTI:").size(); };
    const int before = notices();
    const int index = sim.deliver(sender, text, storage);
    QDeadlineTimer deadline(5000);
    while (index > 0 && notices() == before && !deadline.hasExpired())
        waitProcessingEvents(10);
    return index;
}

QStringList MonitorFixture::newCommands() {
    const QStringList all = sim.received();
    const QStringList fresh = all.mid(seen_);
    seen_ = all.size();
    return fresh;
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

bool inOrder(const QStringList& haystack, const QStringList& needles, QString* missing) {
    int from = 0;
    for (const QString& needle : needles) {
        const int at = haystack.indexOf(needle, from);
        if (at < 0) {
            if (missing)
                *missing = needle;
            return false;
        }
        from = at + 1;
    }
    return true;
}
