// Every simulated card, the maker's and other makers' LTE sticks, set up by
// the real start-up (which tells the card's kind): the status after
// start-up, a report of the card's radio reaching the status row within
// 1 s, an operator chosen by hand, the mode preference set (what the card
// is sent) and read back; an announced message reaches the PC inbox once
// and leaves the card, a long one is joined, a status report reaches its
// sent message, the SIM phonebook is read and written, and a balance
// request is answered as text.

#include "mainwindow/operatorselection.h"
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

    void everyCard_data() {
        QTest::addColumn<QString>("scenario");
        QTest::addColumn<QStringList>("changes"); // to what the card offers, before start-up
        QTest::addColumn<QString>("shown");       // service and bars after start-up
        QTest::addColumn<QString>("change");      // of the card's radio, and its service and bars
        QTest::addColumn<QString>("changed");     // (-1: bars not reported)
        QTest::addColumn<int>("mode");            // the maker's 1-4, else a NetworkMode
        QTest::addColumn<QStringList>("modeSent");
        QTest::addColumn<QList<NetworkMode>>("modes");
        using M = NetworkMode;
        const QList<M> four{M::Automatic, M::Only4G, M::Only3G, M::Only2G};
        const auto row = [](const char* tag, const char* scenario, const QStringList& changes,
                            const char* shown, const char* change, const char* changed, int mode,
                            const QStringList& modeSent, const QList<M>& modes) {
            QTest::newRow(tag) << QString(scenario) << changes << QString(shown) << QString(change)
                               << QString(changed) << mode << modeSent << modes;
        };
        row("maker", "ready", {}, "UMTS 5", "", "", 4, {"AT+YSNT=1,0,0"}, {});
        // +CSQ: 99,99 on LTE: the bars come from +CESQ.
        row("stick", "stick", {}, "LTE 3", "technology 2", "UMTS -1", int(M::Only3G),
            {"AT+WS46=22"}, four);
        // ^RSSI (1 bar) and ^HCSQ come together; the latter measures LTE
        // (RSRP -130 dBm: no bar).
        row("syscfgex", "syscfgex", {}, "LTE 5", "signal 5", "LTE 0", int(M::Only4G),
            {"AT^SYSCFGEX=\"03\",3FFFFFFF,2,4,7FFFFFFFFFFFFFFF,,"}, four);
        row("nwscanmode", "nwscanmode", {}, "LTE 5", "signal 5", "LTE 1", int(M::Preferred4G),
            {"AT+QCFG=\"nwscanmode\",0,1", "AT+QCFG=\"nwscanseq\",04,1"},
            {M::Automatic, M::Only4G, M::Preferred4G, M::Only3G, M::Only2G});
        row("zsnt", "zsnt", {}, "LTE 5", "technology 0", "GPRS -1", int(M::Only2G),
            {"AT+ZSNT=1,0,0"}, four);
        row("stick, echo off", "stick,echooff", {}, "LTE 3", "technology 2", "UMTS -1",
            int(M::Automatic), {"AT+WS46=25"}, four);
        // A stick that offers less for messages.
        row("stick, memory and SIM only as one, messages only handed over", "stick",
            {R"(set storage-choices ("SM","MT"),("SM","MT"),("SM","MT"))",
             "set indication-choices (0-2),(0,2),(0),(0-2),(0,1)"},
            "LTE 3", "technology 2", "UMTS -1", int(M::Only3G), {"AT+WS46=22"}, four);
        row("stick without UCS2", "stick", {"on AT+CSCS=\"UCS2\" reply ERROR"}, "LTE 3",
            "technology 2", "UMTS -1", int(M::Only3G), {"AT+WS46=22"}, four);
    }
    void everyCard() {
        QFETCH(QString, scenario);
        QFETCH(QStringList, changes);
        QFETCH(QString, shown);
        QFETCH(QString, change);
        QFETCH(QString, changed);
        QFETCH(int, mode);
        QFETCH(QStringList, modeSent);
        QFETCH(QList<NetworkMode>, modes);
        MonitorFixture f;
        QVERIFY(f.start(scenario));
        QVERIFY(f.sim.command({"set", "scan-time", "0"}));
        for (const QString& offer : changes)
            QVERIFY(f.sim.command(offer.split(' ')));
        f.tick();
        QVERIFY(f.status().card && !f.status().settingUp);
        const auto serviceAndBars = [&f](bool bars) {
            return f.view.status().service +
                   (bars ? QString(" %1").arg(f.view.status().signalBars) : QString(" -1"));
        };
        QCOMPARE(serviceAndBars(true), shown);
        QCOMPARE(f.view.status().operatorName, QString("Tolva Mobile"));
        QVERIFY(f.view.status().canDial());
        QCOMPARE(f.view.networkModes, modes);
        if (!change.isEmpty()) {
            QVERIFY(f.sim.command(change.split(' ')));
            QTRY_COMPARE_WITH_TIMEOUT(serviceAndBars(!changed.endsWith("-1")), changed, 1000);
        }

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

        OperatorSelection selection(*f.link);
        QList<OperatorEntry> found;
        selection.search([&found](QList<OperatorEntry> entries) { found = entries; });
        QTRY_VERIFY_WITH_TIMEOUT(!found.isEmpty(), 10000);
        std::optional<OperatorSelection::Result> chosen;
        for (const OperatorEntry& entry : found)
            if (entry.numeric == "26201" && !chosen)
                selection.select(entry, [&chosen](OperatorSelection::Result r) { chosen = r; });
        QTRY_COMPARE_WITH_TIMEOUT(chosen, std::optional(OperatorSelection::Result::Registered),
                                  10000);
        f.tick();
        QCOMPARE(f.view.status().operatorName, QString("Mirel"));

        f.newCommands();
        std::optional<int> readBack;
        if (scenario == u"ready") {
            f.link->setNetworkSelectionMode(f.link.get(), mode, nullptr);
            f.link->getNetworkSelectionMode(f.link.get(), [&readBack](int m) { readBack = m; });
        } else {
            f.link->setNetworkMode(f.link.get(), NetworkMode(mode), nullptr);
            f.link->getNetworkMode(f.link.get(), [&readBack](std::optional<NetworkMode> m) {
                readBack = m ? int(*m) : -1;
            });
        }
        QTRY_COMPARE_WITH_TIMEOUT(readBack, std::optional(mode), 10000);
        const QStringList commands = f.newCommands();
        for (const QString& line : modeSent)
            QVERIFY2(commands.contains(line), qPrintable(commands.join('\n')));

        // A network that refuses the SIM takes emergency calls only.
        if (scenario != u"ready") {
            QVERIFY(f.sim.command({"set", "registration", "denied"}));
            f.tick();
            QCOMPARE(f.view.status().service, QString("Limited Service"));
            QVERIFY(!f.view.status().canDial());
        }
    }
};

QTEST_GUILESS_MAIN(TestEveryCard)
#include "test_everycard.moc"
