// The messages on the card's side against the simulated card: what arrives
// goes into the PC inbox and leaves the card, the parts of long messages are
// joined in any order, from either storage, across a restart and with a part
// that never comes; what waits in the modem's memory is taken at start, and
// the unread count follows it, also after a restart; a read or delete that
// fails touches no other message.

#include "sms/longmessage.h"
#include "sms/smsarrival.h"
#include "sms/smsdataoperation.h"
#include "sms/smsinbox.h"
#include "sms/smsparts.h"
#include "tests/modem/simlink.h"
#include "tests/support/deliverpdu.h"
#include "tests/support/testenv.h"

#include <QFile>
#include <QSignalSpy>
#include <QTest>
#include <csignal>
#include <sys/resource.h>

namespace {

const QString kSender = "+491711234567";

} // namespace

class TestSmsArrival : public SimLinkTest {
    Q_OBJECT

    std::unique_ptr<TestEnv> env;
    std::unique_ptr<SmsInbox> inbox;

    // The inbox as the program has it once the card is ready (a restart
    // when there was one): it reads its files and the card.
    bool startInbox() {
        inbox.reset();
        inbox = std::make_unique<SmsInbox>(link.get());
        inbox->start();
        return QTest::qWaitFor([this] { return link->idle(); }, 10000);
    }

    // Delivers `pdu` to `storage` of the card; true once the inbox has read
    // it and done what follows.
    bool arrive(const QString& pdu, const QString& storage) {
        sim.forgetTranscript();
        const int index = sim.deliverPdu(pdu, storage);
        const QString read = QString("AT+CMGR=%1").arg(index);
        return index > 0 &&
               QTest::qWaitFor([&] { return sim.received().contains(read) && link->idle(); },
                               10000);
    }

    SmsList pcInbox() {
        SmsList listed;
        inbox->store().getPcAllSmsItem(listed, "inbox");
        return listed;
    }
    // The messages the card holds, one line each.
    QStringList onCard() const { return sim.control({"messages"}).split('\n', Qt::SkipEmptyParts); }

private slots:
    void init() {
        env = std::make_unique<TestEnv>();
        QVERIFY(startWith("ready"));
        QVERIFY(sim.command({"messages-clear", "SM"}));
        QVERIFY(sim.command({"messages-clear", "ME"}));
        QVERIFY(startInbox());
    }
    void cleanup() {
        inbox.reset();
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
        QSignalSpy stored(inbox.get(), &SmsInbox::messageStored);
        const QStringList texts = {"Grüße, ", "aus ", "München €"};
        // Parts land in either storage; each leaves the card once kept.
        for (int i = 0; i < order.size(); ++i) {
            const int seq = order[i];
            QVERIFY(arrive(deliverPdu(kSender, texts[seq - 1], 0x1234, 3, seq, wide),
                           i % 2 ? "ME" : "SM"));
            QCOMPARE(onCard(), QStringList());
            QCOMPARE(pcInbox().size(), i == 2 ? 1 : 0);
            QCOMPARE(inbox->parts().waitingCount(), i == 2 ? 0 : 1);
        }
        // Who sent it and what, once the message is whole.
        QCOMPARE(stored.size(), 1);
        QCOMPARE(stored[0], (QVariantList{kSender, texts.join(QString())}));
        const SM_PARAM_DECODE whole = pcInbox().first();
        QCOMPARE(whole.contentStr, texts.join(QString()));
        QCOMPARE(QByteArray(whole.TPA), kSender.toLatin1());
        QCOMPARE(QByteArray(whole.TP_SCTS), QByteArray("26011201000000"));
        QCOMPARE(whole.state, QString("new"));
        QCOMPARE(whole.pduSrc.count(',') + 1, 3);
        QCOMPARE(inbox->unreadCount(), 1);
    }

    void partsSurviveARestart() {
        QVERIFY(arrive(deliverPdu(kSender, "first ", 7, 2, 1), "SM"));
        QVERIFY(TestEnv::readFile(env->dataPath("smsparts.xml")).contains("first "));
        QVERIFY(startInbox());
        QCOMPARE(inbox->parts().waitingCount(), 1);
        // The same reference from someone else is another message.
        QVERIFY(arrive(deliverPdu("+4930123", "other ", 7, 2, 2), "SM"));
        QCOMPARE(pcInbox().size(), 0);
        const QByteArray waiting = TestEnv::readFile(env->dataPath("smsparts.xml"));
        QVERIFY(arrive(deliverPdu(kSender, "second", 7, 2, 2), "ME"));
        QCOMPARE(pcInbox().size(), 1);
        QCOMPARE(pcInbox().first().contentStr, QString("first second"));
        QVERIFY(startInbox());
        QCOMPARE(inbox->parts().waitingCount(), 1);
        QCOMPARE(pcInbox().first().contentStr, QString("first second"));

        // Ended after the message was stored, before its parts were
        // forgotten: the next start forgets them, and only them.
        QFile file(env->dataPath("smsparts.xml"));
        QVERIFY(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
        file.write(waiting);
        file.close();
        QVERIFY(startInbox());
        QCOMPARE(inbox->parts().waitingCount(), 1);
        QCOMPARE(pcInbox().size(), 1);
    }

    void aMissingPartIsMarkedAfterADay() {
        const QDateTime now = QDateTime::currentDateTime();
        QVERIFY(arrive(deliverPdu(kSender, "one ", 9, 3, 1), "SM"));
        QVERIFY(arrive(deliverPdu(kSender, " three", 9, 3, 3), "SM"));
        QCOMPARE(storeExpiredParts(inbox->store(), inbox->parts(), "new", now.addSecs(23 * 3600)),
                 0);
        QCOMPARE(pcInbox().size(), 0);
        QCOMPARE(storeExpiredParts(inbox->store(), inbox->parts(), "new", now.addDays(2)), 1);
        QCOMPARE(pcInbox().first().contentStr, "one " + missingPartText(2, 3) + " three");
        QCOMPARE(inbox->parts().waitingCount(), 0);
        QVERIFY(startInbox());
        QCOMPARE(inbox->parts().waitingCount(), 0);
        QCOMPARE(pcInbox().size(), 1);
    }

    // A part that cannot be kept on the PC (a full disk) is not taken from
    // the card, and nothing half joined is left behind.
    void aFullDiskKeepsNothing() {
        QVERIFY(arrive(deliverPdu(kSender, "a", 5, 2, 1), "SM"));
        std::signal(SIGXFSZ, SIG_IGN);
        rlimit saved{};
        getrlimit(RLIMIT_FSIZE, &saved);
        rlimit limit = saved;
        limit.rlim_cur = 64;
        QCOMPARE(setrlimit(RLIMIT_FSIZE, &limit), 0);
        const bool otherRead = arrive(deliverPdu(kSender, "x", 6, 2, 1), "SM");
        const bool lastRead = arrive(deliverPdu(kSender, "b", 5, 2, 2), "SM");
        setrlimit(RLIMIT_FSIZE, &saved);
        QVERIFY(otherRead && lastRead);
        QCOMPARE(onCard().size(), 2);
        QCOMPARE(pcInbox().size(), 0);
        QCOMPARE(inbox->parts().waitingCount(), 1);
        QVERIFY(arrive(deliverPdu(kSender, "b", 5, 2, 2), "SM"));
        QCOMPARE(pcInbox().first().contentStr, QString("ab"));
        QCOMPARE(inbox->parts().waitingCount(), 0);
    }

    // An arrival whose storage can't be selected now is read at the next
    // tick, never at the same index of the storage selected before; a place
    // that now holds a stored outgoing message gives nothing to the inbox; a
    // copy whose delete failed is deleted from its own storage, once however
    // many ticks come meanwhile; a card that went away takes its
    // announcements with it. Each row: three ticks after the arrival.
    void failuresTouchNoOtherMessage_data() {
        QTest::addColumn<QList<QStringList>>("before"); // told the card before the arrival
        QTest::addColumn<QString>("storage");           // where it arrives
        QTest::addColumn<QList<QStringList>>("after");  // and after it was handled
        QTest::addColumn<bool>("away");                 // the card goes and comes back
        QTest::addColumn<QStringList>("pc");            // texts in the PC inbox
        QTest::addColumn<QStringList>("left");          // texts left on the card
        QTest::addColumn<int>("reads");
        const QStringList refuseSm{"on", "AT+CPMS=\"SM\",*", "reply", "+CMS ERROR: 302", "count",
                                   "1"};
        const QStringList refuseMe{"on", "AT+CPMS=\"ME\",*", "reply", "+CMS ERROR: 302", "count",
                                   "2"};
        const QStringList refuseDelete{"on", "AT+CMGD=*", "reply", "+CMS ERROR: 500", "count", "1"};
        const QStringList sentOnMe{"message", "ME", "sent", "submit", "+4930123", "Kept"};
        const QStringList otherOnSim{"message", "SM", "read", "deliver", "+4930123", "Other"};
        const QString submit = encodeMessage("+491760000443", "+4930123", "Sent", {}, 1).first();
        const QStringList readsSubmit{
            "on",   "AT+CMGR=*", "reply", QString("+CMGR: 3,,%1").arg(tpduLength(submit)),
            submit, "OK",        "count", "1"};
        using L = QList<QStringList>;
        QTest::newRow("storage not selected") << L{sentOnMe, refuseSm} << "SM" << L{} << false
                                              << QStringList{"Hello"} << QStringList{"Kept"} << 1;
        QTest::newRow("place holds a sent message")
            << L{readsSubmit} << "SM" << L{} << false << QStringList{} << QStringList{"Hello"} << 1;
        QTest::newRow("delete tried again in its storage")
            << L{refuseDelete} << "ME" << L{otherOnSim, refuseMe} << false << QStringList{"Hello"}
            << QStringList{"Other"} << 2;
        QTest::newRow("delete tried again once at a time")
            << L{refuseDelete} << "ME" << L{} << false << QStringList{"Hello"} << QStringList{}
            << 2;
        QTest::newRow("card went away")
            << L{refuseSm} << "SM" << L{} << true << QStringList{} << QStringList{"Hello"} << 0;
    }
    void failuresTouchNoOtherMessage() {
        QFETCH(QList<QStringList>, before);
        QFETCH(QString, storage);
        QFETCH(QList<QStringList>, after);
        QFETCH(bool, away);
        QFETCH(QStringList, pc);
        QFETCH(QStringList, left);
        QFETCH(int, reads);
        const auto settle = [this] { return QTest::qWaitFor([this] { return link->idle(); }); };
        for (const QStringList& command : before)
            QVERIFY(sim.command(command));
        sim.forgetTranscript();
        QVERIFY(sim.deliver(kSender, "Hello", storage) > 0);
        QTRY_VERIFY(!sim.received().isEmpty());
        QVERIFY(settle());
        for (const QStringList& command : after)
            QVERIFY(sim.command(command));
        if (away) {
            inbox->cardGone();
            inbox->start();
            QVERIFY(settle());
        }
        for (int tick = 0; tick < 3; ++tick) {
            inbox->poll();
            inbox->retryDeletes();
            inbox->retryDeletes(); // a tick while the last one's work is under way
            QVERIFY(settle());
        }
        QStringList texts;
        for (const SM_PARAM_DECODE& rec : pcInbox())
            texts << rec.contentStr;
        QCOMPARE(texts, pc);
        const QStringList stored = onCard();
        QCOMPARE(stored.size(), left.size());
        for (const QString& text : left)
            QVERIFY2(!stored.filter(text).isEmpty(), qPrintable(stored.join('\n')));
        QCOMPARE(sim.received().filter("AT+CMGR=").size(), reads);
    }

    // The received messages that wait in the modem's memory go to the PC
    // inbox at start, unread ones as unread; the sent one stays listed. The
    // SIM's unread message counts too (what the card lists later is in
    // test_smspage).
    void cardMessagesKeepTheirUnreadState() {
        for (const QStringList& message :
             {QStringList{"ME", "unread", "deliver", "+4915112345678", "Meeting moved"},
              QStringList{"ME", "read", "deliver", "22550", "Your balance is 12.50 EUR"},
              QStringList{"ME", "sent", "submit", "+4915112345678", "Thanks!"},
              QStringList{"SM", "unread", "deliver", kSender, "Are we still meeting?"}})
            QVERIFY(sim.command(QStringList{"message"} + message));
        QVERIFY(startInbox());
        QStringList pc;
        for (const SM_PARAM_DECODE& rec : pcInbox())
            pc << QString::fromLatin1(rec.TPA) + " " + rec.state;
        QCOMPARE(pc, (QStringList{"+4915112345678 new", "22550 read"}));
        QCOMPARE(inbox->lists(MessageStorage::Modem).in.size(), 0);
        QCOMPARE(inbox->lists(MessageStorage::Modem).out.first().contentStr, QString("Thanks!"));

        QCOMPARE(inbox->lists(MessageStorage::Sim).in.first().state, QString("new"));
        QCOMPARE(inbox->unreadCount(), 2);
        // After a restart the count is the PC store's, before the card answers.
        inbox.reset();
        QCOMPARE(SmsInbox(nullptr).unreadCount(), 1);
    }
};

QTEST_GUILESS_MAIN(TestSmsArrival)
#include "test_smsarrival.moc"
