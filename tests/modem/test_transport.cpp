// The AT transaction over a real pseudo-terminal against the modem simulator:
// how replies end, time-outs, the two guards against overlapping commands,
// new-message notices in purged input, and faulty replies.

#include "modem/serialthread.h"
#include "tests/modem/simlink.h"
#include "tests/support/modemsim.h"

#include <QElapsedTimer>
#include <QSignalSpy>
#include <QTest>
#include <QTimer>

#include <vector>

namespace {

struct Reply {
    std::vector<char> buffer = std::vector<char>(AT_REPLY_SIZE, 'x');
    char* data() { return buffer.data(); }
    QByteArray text() const { return QByteArray(buffer.data()); }
};

} // namespace

class TestTransport : public QObject {
    Q_OBJECT
    ModemSim sim;
    SerialThread* link = nullptr;

    // One command through the direct shape, keeping the reply.
    int exchange(const char* cmd, Reply& reply, int sec = 30, int usec = 0) {
        link->purgeComData();
        if (!link->excuteAtStr(cmd))
            return -2;
        return link->resAtStr(link->portFd, reply.data(), sec, usec);
    }

private slots:
    void initTestCase() {
        QVERIFY(sim.start("ready", {"--silent-port"}));
        QVERIFY(sim.command({"ping"}));
        link = new SerialThread(nullptr);
        link->firstByteTimeoutMs = SIM_FIRST_BYTE_MS;
        QVERIFY(link->openPort(sim.atPort()) >= 0);
    }
    void cleanupTestCase() {
        link->closePortNormal(link->portFd);
        delete link;
    }
    void init() {
        QVERIFY(sim.command({"fault", "clear"}));
        QVERIFY(sim.command({"overrides-clear"}));
        msgData.clear();
        activeMsgCount = unreadMsgCount = 0;
    }

    void echoAndOk() {
        Reply reply;
        QCOMPARE(exchange("AT\r\n", reply), 1);
        QCOMPARE(reply.text(), QByteArray("AT\r\n\r\nOK\r\n"));
        QCOMPARE(link->sendCmdAndRec("AT\r\n"), int(AT_OK));
        QCOMPARE(link->sendNULL_ATCmd(), 1);
        QVERIFY(!receive_flag);
    }

    // An error line is kept to its end, code text included.
    void errorLinesKeptWhole() {
        QVERIFY(sim.command({"sim-busy", "1"}));
        Reply reply;
        QCOMPARE(exchange("AT+CPIN?\r\n", reply), 1);
        QVERIFY2(reply.text().endsWith("+CME ERROR: SIM busy\r\n"), reply.text());
        QCOMPARE(Parse_At_Res(reply.data()), int(AT_CPIN_SIM_BUSY));

        // "+CMS ERROR" ends a reception the same way, at once.
        QVERIFY(sim.command({"on", "AT+CMGL=*", "reply", "+CMS ERROR: 321", "noresult"}));
        QElapsedTimer clock;
        clock.start();
        QCOMPARE(exchange("AT+CMGL=4\r\n", reply), 1);
        QVERIFY(clock.elapsed() < 5000);
        QVERIFY2(reply.text().endsWith("+CMS ERROR: 321\r\n"), reply.text());
    }

    void promptEndsReception() {
        Reply reply;
        QCOMPARE(exchange("AT+CMGS=18\r\n", reply), 1);
        QVERIFY2(reply.text().endsWith("> "), reply.text());
        QCOMPARE(link->writePort(link->portFd, "\x1b", 1), 1); // cancel the body
        QVERIFY(sim.waitForReceived("\x1b"));
    }

    // A port that never answers fails every command within moments, whatever
    // the budget.
    void silentModemFailsAtOnce() {
        SerialThread silent(nullptr);
        QVERIFY(silent.openPort(sim.silentPort()) >= 0);
        QElapsedTimer clock;
        clock.start();
        QCOMPARE(silent.sendNULL_ATCmd(), -1);
        QCOMPARE(silent.sendCmdAndRec("AT+CSQ\r\n"), int(AT_UNKNOWN));
        QCOMPARE(silent.getSignalQuality(), -1);
        QVERIFY2(clock.elapsed() < 3000, QByteArray::number(clock.elapsed()));
        silent.closePortNormal(silent.portFd);
    }

    // A command started from a timer while a reply is being collected gets
    // nothing, and is not written into the middle of the other reply.
    void nestedCommandFailsWithoutWriting() {
        QVERIFY(sim.command({"fault", "slow", "4"}));
        int nestedReception = -9;
        int nestedCommand = -9;
        QTimer::singleShot(20, [&] {
            Reply inner;
            nestedReception = link->resAtStr(link->portFd, inner.data(), 30, 0);
            nestedCommand = link->sendCmdAndRec("AT+CGMR\r\n");
        });
        QCOMPARE(link->sendCmdAndRec("AT+CPIN?\r\n"), int(AT_CPIN_READY));
        QCOMPARE(nestedReception, 0);
        QCOMPARE(nestedCommand, int(AT_UNKNOWN));
        QVERIFY(!sim.received().contains("AT+CGMR"));
    }

    // While the at-lock is held (the connection page stopping the dialer) a
    // command keeps the application live for its waiting passes, then fails
    // without writing.
    void atLockHeld() {
        bool eventHandled = false;
        QTimer::singleShot(0, [&] { eventHandled = true; });
        link->atLock();
        receive_flag = true;
        QCOMPARE(link->sendCmdAndRec("AT+CGMR\r\n"), int(AT_UNKNOWN));
        QCOMPARE(link->getCIMI(), -1);
        receive_flag = false;
        link->atUnlock();
        QVERIFY(eventHandled);
        QVERIFY(!sim.received().contains("AT+CGMR"));
        QCOMPARE(link->sendCmdAndRec("AT\r\n"), int(AT_OK));
    }

    // A purge records each new-message notice with its storage and index.
    void purgeRecordsNotices() {
        QCOMPARE(link->setNewMsgNoticeMode(), 1);
        const int first = sim.deliver("+491711234567", "one");
        const int second = sim.deliver("+491711234567", "two");
        QVERIFY(first > 0 && second > 0);
        QTRY_VERIFY_WITH_TIMEOUT((link->purgeComData(), msgData.size() == 2), 3000);
        QVERIFY2(msgData.value(0).endsWith(QString(",%1").arg(first)), qPrintable(msgData[0]));
        QVERIFY2(msgData.value(1).endsWith(QString(",%1").arg(second)), qPrintable(msgData[1]));
        QVERIFY(msgData.value(0).startsWith('"'));
        QCOMPARE(activeMsgCount, 2);
        QCOMPARE(unreadMsgCount, 2);

        QString text = "\r\n+CMTI: \"ME\",12\r\n";
        QCOMPARE(link->findAtiveMsg(text), 1);
        QCOMPARE(msgData.value(2), QString("\"ME\",12"));
        QString none = "\r\nRING\r\n";
        QCOMPARE(link->findAtiveMsg(none), 0);
        QCOMPARE(activeMsgCount, 3);
    }

    // A notice read together with a reply, before or after its final
    // result, is recorded at once and taken out of the reply.
    void noticeInAReplyTakenOut() {
        QVERIFY(sim.command(
            {"on", "AT+CSQ", "raw",
             "\r\n+CMTI: \"SM\",2\r\n+CSQ: 15,99\r\n\r\nOK\r\n\r\n+CMTI: \"ME\",3\r\n"}));
        Reply reply;
        QCOMPARE(exchange("AT+CSQ\r\n", reply), 1);
        QVERIFY2(!reply.text().contains("+CMTI"), reply.text());
        QCOMPARE(Parse_At_Res(reply.data()), int(AT_CSQ_CLASS4));
        QCOMPARE(msgData.values(), (QList<QString>{"\"SM\",2", "\"ME\",3"}));
    }

    // With no command running, a notice is read as soon as it arrives (the
    // port wakes the link) and announced once it is recorded.
    void noticeWhileIdle() {
        QCOMPARE(link->setNewMsgNoticeMode(), 1);
        QSignalSpy announced(link, &SerialThread::newMessageNotice);
        const int index = sim.deliver("+491711234567", "idle");
        QVERIFY(index > 0);
        QVERIFY(announced.wait(2000));
        QVERIFY2(msgData.value(0).endsWith(QString(",%1").arg(index)),
                 qPrintable(msgData.value(0)));
        QCOMPARE(sim.received().last(), QString("AT+CNMI=3,1,0,2,0")); // nothing sent since
    }

    // A reply that comes after its command gave up is not taken for the next
    // command's: the next command gets its own answer.
    void lateReplyNotTakenForTheNext() {
        QCOMPARE(link->sendNULL_ATCmd(), 1); // the link learns that the modem echoes
        QVERIFY(sim.command({"on", "AT+CGSN", "delay", QString::number(SIM_FIRST_BYTE_MS + 300)}));
        QVERIFY(sim.command({"on", "AT+CSQ", "delay", "600"}));
        char imei[64];
        QCOMPARE(link->getIMEI(imei, sizeof imei), -1); // no answer within the first-byte limit
        QCOMPARE(link->getSignalQuality(), 5);
        QCOMPARE(link->sendCmdAndRec("AT+CPIN?\r\n"), int(AT_CPIN_READY));
    }

    void overlongReplyTruncated() {
        QVERIFY(sim.command({"fault", "huge", "150000"}));
        Reply reply;
        QCOMPARE(exchange("AT+CGMR\r\n", reply), 1);
        QCOMPARE(qstrlen(reply.data()), uint(AT_REPLY_SIZE - 1));
        QVERIFY(reply.text().startsWith("AT+CGMR\r\n"));
        // The line is clean for the next command.
        QCOMPARE(link->sendCmdAndRec("AT\r\n"), int(AT_OK));
    }

    void garbageAndTruncatedReplies() {
        QVERIFY(sim.command({"fault", "garbage", "40"}));
        QCOMPARE(link->sendCmdAndRec("AT+CPIN?\r\n"), int(AT_CPIN_READY));

        // A reply cut short fails once its budget is spent (here 0.3 s).
        QVERIFY(sim.command({"fault", "truncate", "6"}));
        Reply reply;
        QCOMPARE(exchange("AT+CPIN?\r\n", reply, 0, 300000), -1);
        QCOMPARE(reply.text(), QByteArray());
        QCOMPARE(link->sendCmdAndRec("AT\r\n"), int(AT_OK));
    }

    // A card pulled out makes every command fail at once; plugged back, the
    // port opens again under the same name.
    void unplugAndPlug() {
        QVERIFY(sim.unplug());
        QElapsedTimer clock;
        clock.start();
        QCOMPARE(link->getSignalQuality(), -1);
        QCOMPARE(link->sendNULL_ATCmd(), -1);
        QVERIFY2(clock.elapsed() < 3000, QByteArray::number(clock.elapsed()));
        link->closePortNormal(link->portFd);
        QVERIFY(sim.plug());
        QVERIFY(sim.command({"ping"}));
        QVERIFY(link->openPort(sim.atPort()) >= 0);
        QCOMPARE(link->getSignalQuality(), 5);
    }

    void portErrors() {
        SerialThread nothing(nullptr);
        QCOMPARE(nothing.openPort("/nonexistent/ttyUSB9"), -1);
        QCOMPARE(nothing.portFd, -1);
        QCOMPARE(nothing.writePort(-1, "AT\r\n", 4), -1);
        QCOMPARE(nothing.closePortNormal(-1), 0);
        QCOMPARE(nothing.closePortAbnormal(-1, "test", EIO), -1);
        QCOMPARE(errno, EIO);
        QCOMPARE(nothing.sendCmdAndRec("AT\r\n"), int(AT_UNKNOWN));
        QCOMPARE(nothing.sendPDU("00\x1a"), -1);

        // Closing the command port forgets it, so that no command can reach
        // whatever file gets its number next.
        SerialThread closing(nullptr);
        const int fd = closing.openPort(sim.atPort());
        QVERIFY(fd >= 0);
        QCOMPARE(closing.closePortNormal(fd), 1);
        QCOMPARE(closing.portFd, -1);
        QCOMPARE(closing.sendCmdAndRec("AT\r\n"), int(AT_UNKNOWN));
    }
};

QTEST_GUILESS_MAIN(TestTransport)
#include "test_transport.moc"
