// The link's queue of commands over a real pseudo-terminal against the modem
// simulator: how replies end, with the echo on or off, late replies,
// priorities, holding the queue, notices, the log, and faulty or absent
// modems.

#include "modem/protocol/at_code.h"
#include "tests/modem/simlink.h"

#include <QElapsedTimer>
#include <QLoggingCategory>
#include <QSignalSpy>
#include <QTest>

namespace {

QStringList* logged = nullptr;
void keepMessage(QtMsgType, const QMessageLogContext&, const QString& text) {
    logged->append(text);
}

// Queues one command (with the budget of `id`) and waits for its completion.
AtReply run(SerialThread& link, const AtLine& line, AtCmd id = AtCmd::Attention) {
    std::optional<AtReply> reply;
    link.send({&link}, id, line, [&](const AtReply& r) { reply = r; });
    if (!QTest::qWaitFor([&] { return reply.has_value(); }, 40000))
        return {};
    return *reply;
}
AtReply run(SerialThread& link, const char* line, AtCmd id = AtCmd::Attention) {
    return run(link, AtLine(line), id);
}

} // namespace

class TestTransport : public QObject {
    Q_OBJECT
    ModemSim sim;
    std::unique_ptr<SerialThread> link;

    QStringList commandsSince(qsizetype from) const { return sim.received().mid(from); }

private slots:
    void initTestCase() {
        QVERIFY(sim.start("ready", {"--silent-port"}));
        QVERIFY(sim.command({"ping"}));
    }
    void init() {
        QVERIFY(sim.command({"fault", "clear"}));
        QVERIFY(sim.command({"overrides-clear"}));
        QVERIFY(sim.command({"set", "echo", "on"}));
        link = std::make_unique<SerialThread>();
        link->firstByteTimeoutMs = SIM_FIRST_BYTE_MS;
        QVERIFY(link->openPort(sim.atPort()) >= 0);
    }
    void cleanup() { link.reset(); }

    // The reply as the readers take it, whatever the modem's echo: the
    // command line, the answer lines and the final result.
    void replies_data() {
        QTest::addColumn<QString>("echo");
        QTest::addColumn<QStringList>("override"); // the simulator's answer, when not its own
        QTest::addColumn<QByteArray>("text");      // its first line the command sent
        QTest::addColumn<int>("result");
        for (const QString echo : {"on", "off"}) {
            const auto row = [&](const char* name, const QStringList& override,
                                 const QByteArray& text, FinalResult result) {
                QTest::newRow(qPrintable(echo + ": " + name))
                    << echo << override << text << int(result);
            };
            row("ok", {}, "AT\r\r\nOK\r\n", FinalResult::Ok);
            row("answer", {}, "AT+CSQ\r\r\n+CSQ: 22,99\r\n\r\nOK\r\n", FinalResult::Ok);
            row("error line kept whole", {"reply", "+CME ERROR: SIM busy", "noresult"},
                "AT+CPIN?\r\r\n+CME ERROR: SIM busy\r\n", FinalResult::CmeError);
            row("+CMS ERROR ends at once", {"reply", "+CMS ERROR: 321", "noresult"},
                "AT+CMGL=4\r\r\n+CMS ERROR: 321\r\n", FinalResult::CmsError);
            row("the card's own refusal", {"reply", "COMMAND NOT SUPPORT", "noresult"},
                "AT+YCPBR=?\r\r\nCOMMAND NOT SUPPORT\r\n", FinalResult::NotSupported);
            row("notices taken out of the reply",
                {"raw", "\r\n+CMTI: \"SM\",2\r\n+CSQ: 15,99\r\n\r\nOK\r\n\r\n+CMTI: \"ME\",3\r\n"},
                "AT+CSQ\r\r\n+CSQ: 15,99\r\n\r\nOK\r\n", FinalResult::Ok);
        }
    }
    void replies() {
        QFETCH(QString, echo);
        QFETCH(QStringList, override);
        QFETCH(QByteArray, text);
        QFETCH(int, result);
        const QByteArray command = text.left(text.indexOf('\r'));
        QCOMPARE(run(*link, "AT").result, FinalResult::Ok); // the echo is on now
        if (echo == "off")
            QCOMPARE(run(*link, "ATE0").result, FinalResult::Ok);
        if (!override.isEmpty())
            QVERIFY(sim.command(QStringList{"on", QString(command)} + override));
        QSignalSpy notices(link.get(), &SerialThread::newMessageNotice);
        const AtReply reply = run(*link, command.constData());
        QCOMPARE(reply.text, text);
        QCOMPARE(int(reply.result), result);
        QCOMPARE(notices.size(), text.contains("+CSQ: 15") ? 2 : 0);
    }

    // A card whose echo another program switched off is found out and has
    // its echo put on again; its replies are taken all the same.
    void echoSwitchedOffBehindTheLinksBack() {
        QCOMPARE(run(*link, "AT").result, FinalResult::Ok);
        QVERIFY(sim.command({"set", "echo", "off"}));
        const qsizetype before = sim.received().size();
        const AtReply reply = run(*link, "AT+CSQ");
        QCOMPARE(reply.result, FinalResult::Ok);
        QVERIFY(reply.text.contains("+CSQ: 22,99"));
        QTRY_COMPARE(commandsSince(before), (QStringList{"AT+CSQ", "ATE1"}));
        QCOMPARE(run(*link, "AT+CPIN?").text,
                 QByteArray("AT+CPIN?\r\r\n+CPIN: READY\r\n\r\nOK\r\n"));
    }

    // A reply that comes after its command gave up is not taken for the next
    // command's, with the echo on (the echo tells) or off (the next command
    // waits for the line to go quiet).
    void lateReplyNotTakenForTheNext_data() {
        QTest::addColumn<bool>("echo");
        QTest::newRow("echo on") << true;
        QTest::newRow("echo off") << false;
    }
    void lateReplyNotTakenForTheNext() {
        QFETCH(bool, echo);
        QCOMPARE(run(*link, echo ? "AT" : "ATE0").result, FinalResult::Ok);
        QVERIFY(sim.command({"on", "AT+CGSN", "reply", "ERROR", "noresult", "delay", "400"}));
        std::optional<AtReply> imei;
        link->send({link.get()}, AtCmd::Imei, AtLine("AT+CGSN").text(""),
                   [&](const AtReply& r) { imei = r; });
        // Given up before the simulator answers.
        link->firstByteTimeoutMs = 100;
        QTRY_VERIFY(imei.has_value());
        link->firstByteTimeoutMs = SIM_FIRST_BYTE_MS;
        if (echo)
            QCOMPARE(imei->result, FinalResult::None);
        const AtReply pin = run(*link, "AT+CPIN?");
        QCOMPARE(pin.result, FinalResult::Ok);
        QVERIFY(pin.text.contains("+CPIN: READY"));
    }

    // A click's command goes ahead of the polls queued before it, never
    // ahead of the command on the wire; one whose caller went away is not
    // written.
    void orderOfTheQueue() {
        QCOMPARE(run(*link, "AT").result, FinalResult::Ok);
        const qsizetype before = sim.received().size();
        QStringList done;
        const auto poll = [&](const char* line) {
            link->send({link.get(), AtPriority::Poll}, AtCmd::Attention, AtLine(line),
                       [&, line](const AtReply&) { done.append(line); });
        };
        poll("AT+CSQ");
        poll("AT+CIMI");
        auto gone = std::make_unique<QObject>();
        link->send({gone.get()}, AtCmd::Attention, AtLine("AT+CGSN"),
                   [&](const AtReply&) { done.append("AT+CGSN"); });
        link->send({link.get()}, AtCmd::Attention, AtLine("AT+CPIN?"),
                   [&](const AtReply&) { done.append("AT+CPIN?"); });
        gone.reset();
        QTRY_COMPARE(done.size(), 3);
        QCOMPARE(done, (QStringList{"AT+CPIN?", "AT+CSQ", "AT+CIMI"}));
        QCOMPARE(commandsSince(before), (QStringList{"AT+CPIN?", "AT+CSQ", "AT+CIMI"}));
    }

    // Held for the dialer: the command on the wire ends, then nothing is
    // written until the queue is resumed.
    void suspendAndResume() {
        QCOMPARE(run(*link, "AT").result, FinalResult::Ok);
        QVERIFY(sim.command({"on", "AT+CSQ", "delay", "200"}));
        const qsizetype before = sim.received().size();
        QStringList done;
        link->send({link.get()}, AtCmd::Attention, AtLine("AT+CSQ"),
                   [&](const AtReply&) { done.append("AT+CSQ"); });
        QTRY_COMPARE(commandsSince(before), QStringList{"AT+CSQ"});
        link->suspend();
        link->send({link.get()}, AtCmd::Attention, AtLine("AT+CIMI"),
                   [&](const AtReply&) { done.append("AT+CIMI"); });
        QTRY_COMPARE(done, QStringList{"AT+CSQ"});
        QTest::qWait(100);
        QCOMPARE(commandsSince(before), QStringList{"AT+CSQ"});
        link->resume();
        QTRY_COMPARE(done, (QStringList{"AT+CSQ", "AT+CIMI"}));
    }

    // A prompt nobody asked for is an answer line like any other (the body
    // after an awaited prompt is in test_smscommands).
    void promptNobodyAskedFor() {
        QVERIFY(sim.command({"on", "AT+CSQ", "raw", "\r\n> \r\nOK\r\n"}));
        QCOMPARE(run(*link, "AT+CSQ").text, QByteArray("AT+CSQ\r\r\n> \r\n\r\nOK\r\n"));
    }

    // A port that never answers fails every command within moments, whatever
    // the budget.
    void silentModemFailsAtOnce() {
        SerialThread silent;
        silent.firstByteTimeoutMs = 200;
        QVERIFY(silent.openPort(sim.silentPort()) >= 0);
        QElapsedTimer clock;
        clock.start();
        QCOMPARE(run(silent, "AT+COPS=?", AtCmd::OperatorList).result, FinalResult::None);
        QCOMPARE(await(silent, &SerialThread::getSignalQuality), "-1");
        QVERIFY2(clock.elapsed() < 3000, QByteArray::number(clock.elapsed()));
    }

    void faultyReplies() {
        QCOMPARE(run(*link, "AT").result, FinalResult::Ok);
        QVERIFY(sim.command({"fault", "huge", "150000"}));
        // Over its bound, the rest of a reply is dropped, its short last
        // lines too.
        const AtReply huge = run(*link, "AT+CGMR");
        QCOMPARE(huge.result, FinalResult::Ok);
        QVERIFY(huge.truncated);
        QVERIFY(huge.text.size() <= AT_REPLY_SIZE + 32);
        QVERIFY(huge.text.startsWith("AT+CGMR\r\r\n"));
        QVERIFY(huge.text.endsWith("XXX\r\n\r\nOK\r\n"));
        QVERIFY(!run(*link, "AT+CGMR").truncated);

        QVERIFY(sim.command({"fault", "garbage", "40"}));
        QVERIFY(run(*link, "AT+CPIN?").text.contains("+CPIN: READY"));

        // A reply cut short ends unanswered once its budget is spent; the line
        // is clean for the next command.
        QVERIFY(sim.command({"fault", "truncate", "6"}));
        QCOMPARE(run(*link, "AT+CPIN?", AtCmd::ProbeExtendedRead).result, FinalResult::None);
        QCOMPARE(run(*link, "AT").result, FinalResult::Ok);
    }

    // A card pulled out ends every command at once; plugged back, the port
    // opens again under the same name.
    void unplugAndPlug() {
        QCOMPARE(run(*link, "AT").result, FinalResult::Ok);
        QSignalSpy lost(link.get(), &SerialThread::portLost);
        QVERIFY(sim.unplug());
        QElapsedTimer clock;
        clock.start();
        QCOMPARE(run(*link, "AT+CSQ").result, FinalResult::None);
        QVERIFY2(clock.elapsed() < 3000, QByteArray::number(clock.elapsed()));
        QTRY_COMPARE(lost.size(), 1);
        QVERIFY(sim.plug());
        QVERIFY(sim.command({"ping"}));
        QVERIFY(link->openPort(sim.atPort()) >= 0);
        QCOMPARE(await(*link, &SerialThread::getSignalQuality), "5");
    }

    // Without a port, or with a refused line, a command ends unanswered, and
    // its completion never runs inside the call that queued it.
    void nothingToWriteTo() {
        SerialThread nothing;
        QCOMPARE(nothing.openPort("/nonexistent/ttyUSB9"), -1);
        QVERIFY(!nothing.hasPort());
        bool inside = true;
        std::optional<AtReply> reply;
        nothing.send({&nothing}, AtCmd::Attention, [&](const AtReply& r) {
            QVERIFY(!inside);
            reply = r;
        });
        inside = false;
        QTRY_VERIFY(reply.has_value());
        QCOMPARE(reply->result, FinalResult::None);
        QCOMPARE(run(*link, AtLine("AT+CPIN=\"").quoted("12\r\n34")).result, FinalResult::None);

        // However many wait: each ends in turn, none inside another.
        QLoggingCategory::setFilterRules("velto.modem.debug=false");
        int ended = 0;
        for (int i = 0; i < 50000; ++i)
            nothing.send({&nothing, AtPriority::Poll}, AtCmd::Attention,
                         [&](const AtReply&) { ++ended; });
        QTRY_COMPARE(ended, 50000);
        QLoggingCategory::setFilterRules({});
    }

    // The SIM's codes never reach the log: not with their command, not in
    // its reply, not in a late echo.
    void codesNotLogged() {
        QStringList lines;
        logged = &lines;
        QLoggingCategory::setFilterRules("velto.modem.debug=true");
        const QtMessageHandler before = qInstallMessageHandler(keepMessage);
        QVERIFY(sim.command({"on", "AT+CPIN=\"2468\"", "delay", "400", "count", "1"}));
        link->firstByteTimeoutMs = 100;
        QCOMPARE(await(*link, &SerialThread::inputPIN, "2468"), "no answer");
        link->firstByteTimeoutMs = SIM_FIRST_BYTE_MS;
        QTest::qWait(500);
        await(*link, &SerialThread::inputPIN, "2468");
        await(*link, &SerialThread::inputPUK, "24682468", "2468");
        await(*link, &SerialThread::setPinLock, true, "2468");
        await(*link, &SerialThread::setPinLock, false, "2468");
        await(*link, &SerialThread::changePWD, "2468", "2468");
        qInstallMessageHandler(before);
        QLoggingCategory::setFilterRules({});
        logged = nullptr;
        QVERIFY(lines.filter("AT+CPIN").size() >= 2);
        QVERIFY2(lines.filter("2468").isEmpty(), qPrintable(lines.filter("2468").join('\n')));
    }
};

QTEST_GUILESS_MAIN(TestTransport)
#include "test_transport.moc"
