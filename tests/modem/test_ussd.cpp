// Service codes: the text forms of the network's answers, what may be sent,
// and whole sessions against the simulator (menus, answers in the 7-bit
// alphabet and in UCS2, refusals, a network that never answers).

#include "mainwindow/ussdsession.h"
#include "modem/ussdtext.h"
#include "tests/modem/simlink.h"

#include <QSignalSpy>
#include <QTest>
#include <QTimer>

using namespace Qt::StringLiterals;

class TestUssd : public SimLinkTest {
    Q_OBJECT

    std::unique_ptr<UssdSession> session;
    QStringList events; // "answer: text", "menu: text", "failed: text"

    void openSession() {
        session = std::make_unique<UssdSession>(link.get());
        events.clear();
        connect(session.get(), &UssdSession::answered, this,
                [this](const QString& text, bool menu) {
                    events << (menu ? "menu: " : "answer: ") + text;
                });
        connect(session.get(), &UssdSession::failed, this,
                [this](const QString& text) { events << "failed: " + text; });
    }

    // Sends `text` and waits for the session to leave Waiting.
    bool exchange(const QString& text) {
        const qsizetype before = events.size();
        if (!session->send(text))
            return events.size() > before;
        return QTest::qWaitFor([&] { return events.size() > before; }, 10000);
    }

private slots:
    void cleanup() {
        session.reset();
        link.reset();
        sim.stop();
    }

    void decode_data() {
        QTest::addColumn<QByteArray>("text");
        QTest::addColumn<int>("dcs");
        QTest::addColumn<bool>("ucs2Charset");
        QTest::addColumn<QString>("expected");
        // Answers captured from real networks (source in the row name) and the card's forms.
        const auto row = [](const char* tag, const QByteArray& text, int dcs, bool ucs2Charset,
                            const QString& expected) {
            QTest::newRow(tag) << text << dcs << ucs2Charset << expected;
        };
        row("RouterOS log, packed septets, dcs 0", "EBB79B1E0685E9ECF4BADE9E03", 0, false,
            "konta atlikums");
        row("plain text, dcs 64", "Your account balance is 49.10 USD and will expire on 04/03/16.",
            64, false, "Your account balance is 49.10 USD and will expire on 04/03/16.");
        row("UCS2, dcs 72 (Russian network)", "0421043F0430044104380431043E", 72, false,
            QString::fromUtf8("Спасибо"));
        row("7-bit in the UCS2 character set", "004F004B000A0031", 15, true, "OK\n1");
        row("packed with a carriage return as filler", "C2303BEC1E971B", 15, false, "Balance");
        row("packed although the character set is UCS2", "EBB79B1E0685E9ECF4BADE9E03", 15, true,
            "konta atlikums");
        // 44 octets: the hexadecimal also fits UCS2, where it reads as CJK.
        row("packed, 44 octets, in the UCS2 character set",
            "D9775D0E1287D961F7B80C4ACF4131996B460315AB5217C81A66A7C9A0BA9B9E668366315"
            "74CE692C1643617",
            15, true, "Your balance is 12.34 EUR. Valid until 31.12.2026.");
        row("UCS2 after a language, dcs 17", "0064006500480061006C006C006F", 17, false, "Hallo");
        row("8-bit data, dcs 68", "48656C6C6F", 68, false, "Hello");
        row("digits that are no packed text stay as they came", "12345678", 15, false, "12345678");
        row("UCS2 dcs but not hexadecimal", "Guthaben 5 EUR", 72, false, "Guthaben 5 EUR");
        row("no dcs, plain", "Saldo 1,00", -1, false, "Saldo 1,00");
        row("empty", QByteArray(), 15, true, "");
    }
    void decode() {
        QFETCH(QByteArray, text);
        QFETCH(int, dcs);
        QFETCH(bool, ucs2Charset);
        QFETCH(QString, expected);
        QCOMPARE(decodeUssdText(text, dcs, ucs2Charset), expected);
    }

    void codesThatMaySend() {
        const QStringList allowed{"*100#", "*123*2#", "+1", "1", QString(40, '1')};
        const QStringList refused{"", "a", "1#\"", "1# ", "1\r\nAT", QString(41, '1'), u"١٢"_s};
        for (const QString& code : allowed + refused)
            QVERIFY2(isServiceCode(code) == allowed.contains(code), qPrintable(code));
        QCOMPARE(encodeUssdString(u"*100#", true), QByteArray("002A0031003000300023"));
        QCOMPARE(encodeUssdString(u"*100#", false), QByteArray("*100#"));
        // Packed septets; seven characters leave seven spare bits, filled
        // with a carriage return.
        QCOMPARE(encodePackedUssd(u"*100#"), QByteArray("AA180C3602"));
        QCOMPARE(encodePackedUssd(u"*123*1#"), QByteArray("AA986CA68A8D1A"));
    }

    // The card in "UCS2": codes go out as hexadecimal UCS2; answers in UCS2
    // (in the 7-bit alphabet: test_everycard); a menu answered twice in one
    // session.
    void menuSession() {
        QVERIFY(startWith("ready"));
        openSession();
        QVERIFY(exchange("*105#"));
        QCOMPARE(lastSent(), "AT+CUSD=1,\"002A0031003000350023\",15");
        QVERIFY(exchange("*123#"));
        QCOMPARE(session->state(), UssdSession::State::Menu);
        QVERIFY(exchange("2"));
        QVERIFY(exchange("1"));
        QCOMPARE(session->state(), UssdSession::State::Idle);
        QVERIFY(exchange("*123#"));
        QVERIFY(exchange("3"));
        QCOMPARE(events, (QStringList{
                             QString::fromUtf8("answer: Баланс: 150,00 ₽"),
                             "menu: Tolva menu\n1 Balance\n2 Data packs\n3 Quit",
                             QString::fromUtf8("menu: Datenpakete:\n1 Tag 1,99 €\n2 Woche 4,99 €"),
                             "answer: Tagespaket gebucht.",
                             "menu: Tolva menu\n1 Balance\n2 Data packs\n3 Quit",
                             "failed: The network ended the session.",
                         }));
    }

    // Cards that send 7-bit answers as packed septets, or as plain text with
    // line ends inside the quotes when they keep their own character set.
    void otherCardForms_data() {
        QTest::addColumn<QStringList>("setup");
        QTest::newRow("packed septets") << QStringList{"ussd-packed", "on"};
        QTest::newRow("plain text, no UCS2") << QStringList{"on", "AT+CSCS=*", "reply", "ERROR"};
    }
    void otherCardForms() {
        QFETCH(QStringList, setup);
        QVERIFY(startWith("ready"));
        QVERIFY(sim.command(setup));
        openSession();
        QVERIFY(exchange("*123#"));
        QVERIFY(exchange("1"));
        QCOMPARE(events, (QStringList{"menu: Tolva menu\n1 Balance\n2 Data packs\n3 Quit",
                                      "answer: Your balance is 12.34 EUR."}));
        // The link still works after a notice that ran over several lines.
        QCOMPARE(await(*link, &SerialThread::getSignalQuality), "5");
    }

    // Another maker's card that refuses the form its kind takes is given
    // the other form once.
    void otherFormWhenRefused() {
        QVERIFY(startWith("syscfgex"));
        link->dialect = Dialect::Syscfgex;
        QVERIFY(sim.command({"on", "AT+CUSD=1,\"AA*", "reply", "ERROR"}));
        openSession();
        QVERIFY(exchange("*100#"));
        QCOMPARE(
            sim.received().filter("AT+CUSD=1"),
            (QStringList{"AT+CUSD=1,\"AA180C3602\",15", "AT+CUSD=1,\"002A0031003000300023\",15"}));
        QVERIFY(events.last().startsWith("failed: The card refused"));
    }

    void refusalsAndSilence() {
        QVERIFY(startWith("ready"));
        openSession();
        // Nothing but digits, "*", "#" and "+" reaches the card.
        QVERIFY(exchange("*100#\r\nAT+CFUN=0"));
        QVERIFY(exchange("*100#\";+CFUN=0"));
        QVERIFY(!sim.received().join('\n').contains("CUSD"));
        // The character set unanswered: nothing is sent, and it is asked again.
        QVERIFY(sim.command({"on", "AT+CSCS=*", "noreply", "count", "1"}));
        QVERIFY(exchange("*111#"));
        QVERIFY(exchange("*111#"));
        QCOMPARE(sim.received().count("AT+CSCS=\"UCS2\""), 2);
        session->setAnswerTimeout(300);
        QVERIFY(exchange("*135#"));
        QTRY_COMPARE(lastSent(), "AT+CUSD=2");
        // An answer that comes when nothing was asked is not shown.
        QVERIFY(sim.command({"raw", "at", "\r\n+CUSD: 0,\"late\",15\r\n"}));
        QVERIFY(sim.command({"ping"}));
        QCOMPARE(await(*link, &SerialThread::getSignalQuality), "5");
        QVERIFY(sim.command({"operator", "none"}));
        QVERIFY(exchange("*100#"));
        QCOMPARE(session->state(), UssdSession::State::Idle);
        QVERIFY(sim.command({"sim", "remove"}));
        QVERIFY(exchange("*100#"));
        const QString onlyDigits = events.value(0);
        QCOMPARE(events.size(), 7);
        QVERIFY(onlyDigits.startsWith("failed: Only digits"));
        QCOMPARE(events[1], onlyDigits);
        QCOMPARE(events[2], "failed: The card didn't answer.");
        QCOMPARE(events[3], "failed: The network doesn't offer this service code.");
        QCOMPARE(events[4], "failed: The network didn't answer in time.");
        QCOMPARE(events[5], "failed: The card refused the service code: no network service");
        QVERIFY(events[6].startsWith("failed: The card refused the service code: SIM"));

        // A session open in a menu is ended on the card when it is cancelled.
        QVERIFY(sim.command({"sim", "insert"}));
        QVERIFY(sim.command({"operator", "Tolva"}));
        QVERIFY(exchange("*123#"));
        session->cancel();
        QTRY_COMPARE(lastSent(), "AT+CUSD=2");
        QCOMPARE(session->state(), UssdSession::State::Idle);

        // A code sent while the link is held for the dialer goes out once it is free.
        session->setAnswerTimeout(10000);
        link->suspend();
        QTimer::singleShot(300, this, [this] { link->resume(); });
        QVERIFY(exchange("*100#"));
        QCOMPARE(events.last(), "answer: Your balance is 12.34 EUR, valid until 31.12.2026.");
    }
};

QTEST_GUILESS_MAIN(TestUssd)
#include "test_ussd.moc"
