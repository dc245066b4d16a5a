// SIM contacts through the modem link, against the modem simulator over a
// pseudo-terminal: reading the SIM phonebook, writing and erasing contacts,
// and a modem that refuses.

#include "modem/serialthread.h"
#include "phonebook/coder.h"
#include "phonebook/iodata.h"
#include "tests/phonebook/simcard.h"
#include "tests/support/testenv.h"

#include <QTest>
#include <memory>

namespace {

QString coded(const QString& name, bool ucs2) {
    QString out;
    coding(out, name, ucs2);
    return out;
}

QString nameOf(const Contact& c, bool ucs2) {
    QString out;
    decode(out, c.getName(), ucs2);
    return out;
}

} // namespace

class TestSimContacts : public QObject {
    Q_OBJECT
    std::unique_ptr<SimCard> card;
    ModemSim* sim = nullptr;
    SerialThread* link = nullptr;

    // A card running `scenario`, with the link set up as the main window does.
    bool connect(const QString& scenario) {
        card = std::make_unique<SimCard>();
        sim = &card->sim;
        const bool attached = card->attach(scenario);
        link = card->link.get();
        return attached;
    }

private slots:
    void cleanup() { card.reset(); }

    void readsWritesAndErasesContacts() {
        TestEnv env;
        QVERIFY(connect("ready"));
        QVERIFY(link->newPlatform);
        IOData data(link);
        QVERIFY(data.readFromSim());
        QCOMPARE(IOData::simContactMap.keys(), (QList<int>{1, 2, 3, 5, 7}));
        const Contact juergen = data.getContactById(3, true);
        QVERIFY(juergen.getIsSim());
        QCOMPARE(nameOf(juergen, true), QString::fromUtf8("Jürgen Müller"));
        QCOMPARE(juergen.getPhone(), QString("+491625550123"));
        QCOMPARE(IOData::getNameFromPhone("0301234567"), QString("Office"));

        // A new contact takes the first free location.
        Contact zoe(true, 0, coded(QString::fromUtf8("Zoë Adler"), true), "+4930123456");
        QCOMPARE(data.insertContact(&zoe, true), 1);
        QCOMPARE(zoe.getId(), 4);
        // Whole, also with a character beyond ASCII.
        QVERIFY(sim->control({"contacts"})
                    .contains(QString::fromUtf8("4 \"+4930123456\" \"Zoë Adler\"")));

        Contact ben = data.getContactById(2, true);
        QVERIFY(data.delContact(&ben, true));
        QVERIFY(!sim->control({"contacts"}).contains("Ben Okafor"));

        // What the SIM holds now reads back the same.
        IOData::simContactMap.clear();
        QVERIFY(data.readFromSim());
        QCOMPARE(IOData::simContactMap.keys(), (QList<int>{1, 3, 4, 5, 7}));
        QCOMPARE(nameOf(data.getContactById(4, true), true), QString::fromUtf8("Zoë Adler"));
    }

    void keepsTheMapWhenTheModemRefuses() {
        TestEnv env;
        QVERIFY(connect("ready"));
        IOData data(link);
        QVERIFY(data.readFromSim());
        const QMap<int, Contact> before = IOData::simContactMap;

        QVERIFY(sim->command({"on", "AT+CPBW=*", "reply", "+CME ERROR: SIM busy"}));
        Contact c(true, 0, coded("New", true), "123");
        QCOMPARE(data.insertContact(&c, true), -1);
        Contact anna = data.getContactById(1, true);
        QVERIFY(!data.delContact(&anna, true));
        QCOMPARE(IOData::simContactMap, before);

        QVERIFY(sim->command({"on", "AT+CPBR=1,20", "reply", "+CME ERROR: SIM busy"}));
        QVERIFY(!data.readFromSim());
        QCOMPARE(IOData::simContactMap, before);

        // A full SIM is refused before the modem is asked.
        QVERIFY(sim->command({"overrides-clear"}));
        link->simPhonebookSize = data.countOfSimContact();
        QCOMPARE(data.insertContact(&c, true), -1);
        QVERIFY(!sim->control({"contacts"}).contains("New"));
    }

    void readsTheOlderCardsOwnCoding() {
        TestEnv env;
        QVERIFY(connect("oldusim"));
        QVERIFY(!link->newPlatform);
        IOData data(link);
        QVERIFY(data.readFromSim());
        QCOMPARE(IOData::simContactMap.size(), 5);
        QCOMPARE(nameOf(data.getContactById(7, true), false), QString::fromUtf8("Chloé Durand"));
        QCOMPARE(nameOf(data.getContactById(5, true), false), QString("Office"));
        QCOMPARE(IOData::getNameFromPhone("+4915112345678"), QString::fromUtf8("Chloé Durand"));

        Contact c(true, 0, coded(QString::fromUtf8("Zoë"), false), "+4930123456");
        QCOMPARE(data.insertContact(&c, true), 1);
        QVERIFY(sim->control({"contacts"}).contains(QString::fromUtf8("\"Zoë\"")));
    }
};

QTEST_GUILESS_MAIN(TestSimContacts)
#include "test_simcontacts.moc"
