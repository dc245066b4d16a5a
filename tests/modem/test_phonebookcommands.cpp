// SIM phonebook commands against the simulator: capacity, reading in blocks
// of 20 locations, writing and erasing.

#include "modem/serialthread.h"
#include "tests/modem/simlink.h"

#include <QTest>

#include <memory>

namespace {

// The caller's row array, pre-filled with a mark so that untouched rows can
// be told apart.
struct Rows {
    explicit Rows(int count) : data(new QString[count][3]) {
        for (int i = 0; i < count; ++i)
            data[i][0] = data[i][1] = data[i][2] = "-";
    }
    QString* operator[](int i) { return data[i]; }
    std::unique_ptr<QString[][3]> data;
};

} // namespace

class TestPhonebookCommands : public SimLinkTest {
    Q_OBJECT
    int read(Rows& rows, int rowCount = -1) {
        return link->getPhoneBook(rows.data.get(), rowCount);
    }

private slots:
    void cleanup() {
        if (link)
            link->closePort();
        link.reset();
        sim.stop();
    }

    void capacity() {
        QVERIFY(startWith("ready"));
        QCOMPARE(link->simCapacity(), 250);
        QCOMPARE(lastSent(), QString("AT+CPBR=?"));
        QCOMPARE(link->simNameLength, 20);
        QVERIFY(sim.command({"phonebook-size", "20"}));
        QVERIFY(sim.command({"name-length", "14"}));
        QCOMPARE(link->simCapacity(), 20);
        QCOMPARE(link->simNameLength, 14);
        QVERIFY(sim.command({"on", "AT+CPBR=?", "reply", "+CPBR: 250", "OK"}));
        QCOMPARE(link->simCapacity(), 0);
        QCOMPARE(link->simNameLength, 0);
        QVERIFY(sim.command({"overrides-clear"}));
        QVERIFY(sim.command({"sim-busy", "1"}));
        QCOMPARE(link->simCapacity(), -1);
    }

    // 250 locations are read as 13 blocks; each entry lands in its block's
    // rows, in order, and rows without an entry keep their content.
    void readAll() {
        QVERIFY(startWith("ready"));
        QCOMPARE(link->setChset("UCS2"), 1);
        link->isNewPlatform();
        link->simPhonebookSize = 250;
        Rows rows(250);
        QCOMPARE(read(rows), 1);

        QStringList expected;
        for (int first = 1; first <= 250; first += 20)
            expected << QString("AT+CPBR=%1,%2").arg(first).arg(qMin(first + 19, 250));
        QCOMPARE(sim.received().mid(sim.received().size() - 13), expected);

        QCOMPARE(rows[0][0], QString("1"));
        QCOMPARE(rows[0][1].toUpper(), QString("0041006E006E00610020004200650072006700650072"));
        QCOMPARE(rows[0][2], QString("+491711234567"));
        QCOMPARE(rows[3][0], QString("5"));
        QCOMPARE(rows[3][2], QString("0301234567"));
        QCOMPARE(rows[4][0], QString("7"));
        QCOMPARE(rows[5][0], QString("-"));
        QCOMPARE(rows[20][0], QString("-"));
        QCOMPARE(rows[249][0], QString("-"));
    }

    void oneBlockAndBounds() {
        QVERIFY(startWith("ready"));
        QVERIFY(sim.command({"contact", "20", "+4930", "Last"}));
        QVERIFY(sim.command({"contact", "21", "+4931", "Next block"}));
        link->newPlatform = true;
        link->simPhonebookSize = 20;
        Rows rows(20);
        QCOMPARE(read(rows), 1);
        QCOMPARE(sim.received(), QStringList{"AT+CPBR=1,20"});
        QCOMPARE(rows[5][0], QString("20"));
        QCOMPARE(rows[5][1], QString("Last"));

        // Never beyond the caller's rows, however many entries come back.
        QVERIFY(sim.command({"on", "AT+CPBR=1,20", "reply",
                             QString("+CPBR: 1,\"1\",129,\"a\"\r\n").repeated(30) + "OK"}));
        Rows few(3);
        QCOMPARE(read(few, 3), 1);
        QCOMPARE(few[2][1], QString("a"));

        // An entry with an empty name.
        QVERIFY(sim.command({"overrides-clear"}));
        QVERIFY(sim.command({"on", "AT+CPBR=1,20", "reply", "+CPBR: 4,\"+4930\",129,\"\"", "OK"}));
        Rows again(20);
        QCOMPARE(read(again), 1);
        QCOMPARE(again[0][0], QString("4"));
        QCOMPARE(again[0][1], QString(""));
        QCOMPARE(again[1][0], QString("-"));

        QVERIFY(sim.command({"overrides-clear"}));
        QVERIFY(sim.command({"sim-busy", "1"}));
        QCOMPARE(read(rows), 0);
    }

    // An old-platform card with a USIM answers with "+YCPBR:" entries.
    void oldPlatformUsim() {
        QVERIFY(startWith("oldusim"));
        link->isNewPlatform();
        QCOMPARE(link->getUSIM(), 1);
        QVERIFY(!link->newPlatform);
        link->simPhonebookSize = link->simCapacity();
        QVERIFY(link->simPhonebookSize > 0);
        Rows rows(link->simPhonebookSize);
        QCOMPARE(read(rows), 1);
        QCOMPARE(rows[0][0], QString("1"));
        QCOMPARE(rows[0][2], QString("+491711234567"));
        QVERIFY(!rows[0][1].isEmpty() && rows[0][1] != "-");
    }

    // A change counts only when the modem confirms it.
    void writeAndErase() {
        QVERIFY(startWith("ready"));
        QString contact[3] = {"9", "+4930123", "004F"};
        QCOMPARE(link->insertContact(contact), 1);
        QCOMPARE(lastSent(), QString("AT+CPBW=9,\"+4930123\",145,\"004F\""));
        QString national[3] = {"10", "030123", "0041"};
        QCOMPARE(link->insertContact(national), 1);
        QCOMPARE(lastSent(), QString("AT+CPBW=10,\"030123\",129,\"0041\""));
        QCOMPARE(link->deleteContact("9"), 1);
        QCOMPARE(lastSent(), QString("AT+CPBW=9"));

        QString beyond[3] = {"300", "1", "41"};
        QCOMPARE(link->insertContact(beyond), 0);
        QVERIFY(sim.command({"on", "AT+CPBW=*", "noreply"}));
        QCOMPARE(link->insertContact(contact), 0);
        QCOMPARE(link->deleteContact("5"), 0);
        QVERIFY(sim.command({"overrides-clear"}));
        QVERIFY(sim.command({"sim-busy", "1"}));
        QCOMPARE(link->insertContact(contact), 0);

        const qsizetype sent = sim.received().size();
        QString quoted[3] = {"9", "1\",129,\"x", "41"};
        QCOMPARE(link->insertContact(quoted), 0);
        QCOMPARE(link->deleteContact("5\r\nAT+CPBW=6"), 0);
        QCOMPARE(sim.received().size(), sent);
    }
};

QTEST_GUILESS_MAIN(TestPhonebookCommands)
#include "test_phonebookcommands.moc"
