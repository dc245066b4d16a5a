// The messages, phonebook and service codes of every simulated card, set up
// by the real start-up (which tells the card's kind): an announced message
// reaches the PC inbox once and leaves the card, a long one is joined, a
// status report reaches its sent message, the SIM phonebook is read and
// written, and a balance request is answered as text.

#include "mainwindow/ussdsession.h"
#include "phonebook/coder.h"
#include "sms/deliveryreport.h"
#include "sms/smssend.h"
#include "tests/monitor/monitorfixture.h"
#include "tests/support/deliverpdu.h"

#include <QtTest>

// Generous: a loaded machine may keep the simulator waiting for the CPU.
constexpr int kWait = 20000;

class TestEveryCard : public QObject {
    Q_OBJECT
private slots:
    void initTestCase() { QLoggingCategory::setFilterRules("velto.*.debug=false"); }

    // Each row: a card, and commands to the simulator that change what it
    // offers.
    void messagesPhonebookAndServiceCodes_data() {
        QTest::addColumn<QString>("scenario");
        QTest::addColumn<QStringList>("changes");
        for (const char* card :
             {"ready", "stick", "syscfgex", "nwscanmode", "zsnt", "stick,echooff"})
            QTest::newRow(card) << card << QStringList();
        QTest::newRow("stick, memory and SIM only as one, messages only handed over")
            << "stick"
            << QStringList{R"(set storage-choices ("SM","MT"),("SM","MT"),("SM","MT"))",
                           "set indication-choices (0-2),(0,2),(0),(0-2),(0,1)"};
        QTest::newRow("stick without UCS2")
            << "stick" << QStringList{"on AT+CSCS=\"UCS2\" reply ERROR"};
    }
    void messagesPhonebookAndServiceCodes() {
        QFETCH(QString, scenario);
        QFETCH(QStringList, changes);
        MonitorFixture f;
        QVERIFY(f.start(scenario));
        for (const QString& change : changes)
            QVERIFY(f.sim.command(change.split(' ')));
        f.tick();
        QVERIFY(f.status().card && !f.status().settingUp);

        QVERIFY(f.sim.deliver("+491700000111", "Announced") >= 0);
        QTRY_COMPARE_WITH_TIMEOUT(f.inboxCopies("Announced"), 1, kWait);
        QTRY_VERIFY_WITH_TIMEOUT(!f.sim.control({"messages"}).contains("Announced"), kWait);
        QTRY_VERIFY_WITH_TIMEOUT(f.link->idle(), kWait);
        QCOMPARE(f.inboxCopies("Announced"), 1);

        QVERIFY(f.sim.deliverPdu(deliverPdu("+491700000222", "joined ", 9, 2, 2)) >= 0);
        QVERIFY(f.sim.deliverPdu(deliverPdu("+491700000222", "Parts ", 9, 2, 1)) >= 0);
        QTRY_COMPARE_WITH_TIMEOUT(f.inboxCopies("Parts joined "), 1, kWait);

        SubmitOptions options;
        options.statusReport = true;
        std::optional<SendReport> sent;
        sendToRecipients(*f.link, f.link.get(), f.inbox->store(), {"+491700000777"}, "Reported",
                         "+491710760000", options, "failed", "261207150000",
                         [&](const SendReport& r) { sent = r; });
        QTRY_VERIFY_WITH_TIMEOUT(sent && sent->sent == 1, kWait);
        QTRY_COMPARE_WITH_TIMEOUT(
            f.outboxDeliveries(),
            QStringList{QString("Reported|%1|0").arg(int(DeliveryOutcome::Delivered))}, kWait);
        QCOMPARE(f.inboxCopies("Reported"), 0);

        // The SIM's five contacts; one written, as the card shows it and as
        // it is read back.
        const auto readBook = [&f] {
            std::optional<QList<PhonebookEntry>> book;
            f.link->getPhoneBook(f.link.get(),
                                 [&](auto read) { book = read.value_or(QList<PhonebookEntry>{}); });
            return QTest::qWaitFor([&] { return book.has_value(); }, kWait)
                       ? *book
                       : QList<PhonebookEntry>{};
        };
        QCOMPARE(readBook().size(), 5);
        const QString name = QString::fromUtf8("Åse Müller");
        QString coded;
        coding(coded, name, f.link->newPlatform);
        std::optional<bool> written;
        f.link->insertContact(f.link.get(), 200, "+491701234567", coded,
                              [&](bool ok) { written = ok; });
        QTRY_VERIFY_WITH_TIMEOUT(written.has_value(), kWait);
        QVERIFY(*written);
        QVERIFY2(f.sim.control({"contacts"}).contains(name),
                 qPrintable(f.sim.control({"contacts"})));
        const QList<PhonebookEntry> book = readBook();
        QCOMPARE(book.size(), 6);
        QCOMPARE(book.last().name, coded);

        UssdSession ussd(f.link.get());
        QSignalSpy answered(&ussd, &UssdSession::answered);
        QVERIFY(ussd.send("*100#"));
        QTRY_COMPARE_WITH_TIMEOUT(answered.size(), 1, kWait);
        QCOMPARE(f.sim.received().filter("AT+CUSD=1").size(), 1); // its form at once
        QCOMPARE(answered.first().first().toString(),
                 QString("Your balance is 12.34 EUR, valid until 31.12.2026."));
    }
};

QTEST_GUILESS_MAIN(TestEveryCard)
#include "test_everycard.moc"
