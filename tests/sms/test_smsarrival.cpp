// Arriving messages against the simulated card: the parts of long messages
// are delivered to the card, read from it as the status monitor reads them,
// and joined on the PC in any order, from any storage, across a restart,
// and with a part that never comes.

#include "sms/smsarrival.h"
#include "sms/smsdataoperation.h"
#include "sms/smsparts.h"
#include "tests/modem/simlink.h"
#include "tests/support/testenv.h"

#include <QFile>
#include <QTest>
#include <csignal>
#include <sys/resource.h>

namespace {

const QString kSender = "+491711234567";
const QDateTime kNow(QDate(2026, 12, 7), QTime(12, 0));

// An SMS-DELIVER from `sender` carrying `text` as UCS2: part `seq` of
// `total` with reference `ref` (16 bits when `wide`), or a whole message
// when `total` is 0.
QString deliverPdu(const QString& sender, const QString& text, int ref, int total, int seq,
                   bool wide = false) {
    const QByteArray digits = sender.mid(1).toLatin1();
    char inverted[64];
    gsmInvertNumbers(digits.constData(), inverted, int(digits.size()));
    QByteArray header;
    if (total > 0) {
        header = wide ? QByteArray::fromHex("060804") + char(ref >> 8) + char(ref & 0xFF)
                      : QByteArray::fromHex("050003") + char(ref);
        header += char(total);
        header += char(seq);
    }
    QByteArray data = header;
    for (QChar c : text)
        data += char(c.unicode() >> 8), data += char(c.unicode() & 0xFF);
    const auto octet = [](qsizetype n) { return QString("%1").arg(n, 2, 16, QChar('0')); };
    // No centre; the first octet; the sender; PID 0, UCS2, the time stamp;
    // the user data.
    return ("00" + QString(total > 0 ? "44" : "04") + octet(digits.size()) + "91" +
            QString::fromLatin1(inverted) + "0008" + "62102110000000" + octet(data.size()) +
            QString::fromLatin1(data.toHex()))
        .toUpper();
}

} // namespace

class TestSmsArrival : public SimLinkTest {
    Q_OBJECT

    std::unique_ptr<TestEnv> env;
    std::unique_ptr<SmsData> store;
    std::unique_ptr<PartStore> parts;

    // Delivers `pdu` to `storage` of the card and takes it as the monitor
    // does: read with "AT+CMGR" and handed to the store.
    Arrival arrive(const QString& pdu, const QString& storage, const QDateTime& at = kNow) {
        const int index = sim.deliverPdu(pdu, storage);
        if (index <= 0)
            return {};
        link->setShortMsgStorageMode(storage == "SM" ? 1 : 0);
        const QString reply = link->getIndexSms(QByteArray::number(index).constData());
        return storeArrivedMessage(*store, *parts, reply, index, "new", "new", at);
    }

    SmsList inbox() const {
        SmsList listed;
        store->getPcAllSmsItem(listed, "inbox");
        return listed;
    }

    void restart() {
        parts.reset();
        store.reset();
        store = std::make_unique<SmsData>();
        parts = std::make_unique<PartStore>();
    }

private slots:
    void init() {
        env = std::make_unique<TestEnv>();
        restart();
        QVERIFY(startWith("ready"));
    }
    void cleanup() {
        parts.reset();
        store.reset();
        link.reset();
        sim.stop();
        env.reset();
    }

    void partsJoinInTheirOrder_data() {
        QTest::addColumn<QList<int>>("order");
        QTest::addColumn<bool>("wide");
        QTest::newRow("in order, 8-bit reference") << QList<int>{1, 2, 3} << false;
        QTest::newRow("out of order, 16-bit reference") << QList<int>{3, 1, 2} << true;
        QTest::newRow("last first") << QList<int>{2, 3, 1} << false;
    }
    void partsJoinInTheirOrder() {
        QFETCH(QList<int>, order);
        QFETCH(bool, wide);
        const QStringList texts = {"Grüße, ", "aus ", "München €"};
        // Parts land in either storage.
        for (int i = 0; i < order.size(); ++i) {
            const int seq = order[i];
            const Arrival a = arrive(deliverPdu(kSender, texts[seq - 1], 0x1234, 3, seq, wide),
                                     i % 2 ? "ME" : "SM");
            QVERIFY(a.kept);
            QCOMPARE(a.storedNew, i == 2 ? 1 : 0);
            // Who sent it and what, once the message is whole.
            QCOMPARE(a.from, i == 2 ? kSender : QString());
            QCOMPARE(a.text, i == 2 ? texts.join(QString()) : QString());
            QCOMPARE(inbox().size(), i == 2 ? 1 : 0);
            QCOMPARE(parts->waitingCount(), i == 2 ? 0 : 1);
        }
        const SM_PARAM_DECODE whole = inbox().first();
        QCOMPARE(whole.contentStr, texts.join(QString()));
        QCOMPARE(QByteArray(whole.TPA), kSender.toLatin1());
        QCOMPARE(QByteArray(whole.TP_SCTS), QByteArray("26011201000000"));
        QCOMPARE(whole.state, QString("new"));
        QCOMPARE(whole.pduSrc.count(',') + 1, 3);
    }

    void partsSurviveARestart() {
        QVERIFY(arrive(deliverPdu(kSender, "first ", 7, 2, 1), "SM").kept);
        QVERIFY(TestEnv::readFile(env->dataPath("smsparts.xml")).contains("first "));
        restart();
        QCOMPARE(parts->waitingCount(), 1);
        // The same reference from someone else is another message.
        QVERIFY(arrive(deliverPdu("+4930123", "other ", 7, 2, 2), "SM").kept);
        QCOMPARE(inbox().size(), 0);
        const QByteArray waiting = TestEnv::readFile(env->dataPath("smsparts.xml"));
        QVERIFY(arrive(deliverPdu(kSender, "second", 7, 2, 2), "ME").kept);
        QCOMPARE(inbox().size(), 1);
        QCOMPARE(inbox().first().contentStr, QString("first second"));
        restart();
        QCOMPARE(parts->waitingCount(), 1);
        QCOMPARE(inbox().first().contentStr, QString("first second"));

        // Ended after the message was stored, before its parts were
        // forgotten: the next start forgets them, and only them.
        QFile file(env->dataPath("smsparts.xml"));
        QVERIFY(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
        file.write(waiting);
        file.close();
        restart();
        QCOMPARE(parts->waitingCount(), 2);
        dropStoredParts(*store, *parts);
        restart();
        QCOMPARE(parts->waitingCount(), 1);
        QCOMPARE(inbox().size(), 1);
    }

    void aMissingPartIsMarkedAfterADay() {
        QVERIFY(arrive(deliverPdu(kSender, "one ", 9, 3, 1), "SM").kept);
        QVERIFY(arrive(deliverPdu(kSender, " three", 9, 3, 3), "SM", kNow.addSecs(3600)).kept);
        QCOMPARE(storeExpiredParts(*store, *parts, "new", kNow.addSecs(23 * 3600)), 0);
        QCOMPARE(inbox().size(), 0);
        QCOMPARE(storeExpiredParts(*store, *parts, "new", kNow.addDays(1)), 1);
        QCOMPARE(inbox().first().contentStr, "one " + missingPartText(2, 3) + " three");
        QCOMPARE(parts->waitingCount(), 0);
        restart();
        QCOMPARE(parts->waitingCount(), 0);
        QCOMPARE(inbox().size(), 1);
    }

    void wholeMessagesGoStraightIn() {
        const Arrival a = arrive(deliverPdu(kSender, "hello", 0, 0, 0), "SM");
        QVERIFY(a.kept);
        QCOMPARE(a.storedNew, 1);
        QCOMPARE(inbox().first().contentStr, QString("hello"));
        QCOMPARE(parts->waitingCount(), 0);
        // No message in the reply: nothing kept.
        QVERIFY(
            !storeArrivedMessage(*store, *parts, "AT+CMGR=3\r\r\nERROR\r\n", 3, "new", "new", kNow)
                 .kept);
    }

    // A part that cannot be kept on the PC (a full disk) is not taken from
    // the card, and nothing half joined is left behind.
    void aFullDiskKeepsNothing() {
        QVERIFY(arrive(deliverPdu(kSender, "a", 5, 2, 1), "SM").kept);
        std::signal(SIGXFSZ, SIG_IGN);
        rlimit saved{};
        getrlimit(RLIMIT_FSIZE, &saved);
        rlimit limit = saved;
        limit.rlim_cur = 64;
        QCOMPARE(setrlimit(RLIMIT_FSIZE, &limit), 0);
        const bool otherKept = arrive(deliverPdu(kSender, "x", 6, 2, 1), "SM").kept;
        const bool lastKept = arrive(deliverPdu(kSender, "b", 5, 2, 2), "SM").kept;
        setrlimit(RLIMIT_FSIZE, &saved);
        QVERIFY(!otherKept);
        QVERIFY(!lastKept);
        QCOMPARE(inbox().size(), 0);
        QCOMPARE(parts->waitingCount(), 1);
        QVERIFY(arrive(deliverPdu(kSender, "b", 5, 2, 2), "SM").kept);
        QCOMPARE(inbox().first().contentStr, QString("ab"));
        QCOMPARE(parts->waitingCount(), 0);
    }
};

QTEST_GUILESS_MAIN(TestSmsArrival)
#include "test_smsarrival.moc"
