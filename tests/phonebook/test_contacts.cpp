#include "phonebook/coder.h"
#include "phonebook/iodata.h"

#include "tests/support/awaitdone.h"
#include "tests/support/testenv.h"

#include <QDir>
#include <QFile>
#include <QTest>

namespace {

QString coded(const QString& name, bool ucs2) {
    QString out;
    coding(out, name, ucs2);
    return out;
}

QString decoded(const QString& hex, bool ucs2) {
    QString out;
    decode(out, hex, ucs2);
    return out;
}

Contact pcContact(const QString& name, const QString& phone, const QString& group = {}) {
    return Contact(false, 0, coded(name, true), phone, "", "", group);
}

QList<int> idsOf(const QMap<int, Contact>& map) {
    return map.keys();
}

} // namespace

class TestContacts : public QObject {
    Q_OBJECT
private slots:
    void codesNames() {
        QCOMPARE(coded("Ann", true), QString("0041006E006E"));
        QCOMPARE(coded("Ann", false), QString("416E6E"));
        QCOMPARE(decoded("416E6E", false), QString("Ann"));
        QCOMPARE(decoded("800041006E006E", false), QString("Ann"));
        QCOMPARE(decoded("0041006E006E", true), QString("Ann"));
        // Names are kept whole, in either coding.
        QCOMPARE(coded("ABCDEFGHIJKLMNOPQRST", false).size(), 40);
        const QString accented = QString::fromUtf8("Zoë Müller-Lüdenscheidt");
        QCOMPARE(coded(accented, false).left(26), QString("80005A006F00EB0020004D00FC"));
        QCOMPARE(decoded(coded(accented, true), true), accented);
        QCOMPARE(decoded(coded(accented, false), false), accented);
        const QString emoji = QString("abcde") + QString::fromUtf8("😀");
        QCOMPARE(decoded(coded(emoji, true), true), emoji);
        // Damaged text decodes as far as it is readable.
        QCOMPARE(decoded("416EZZ6E", false), QString("An"));
        QCOMPARE(decoded("", false), QString());
    }

    void storesPcContacts() {
        TestEnv env;
        {
            IOData data;
            QCOMPARE(data.countOfPcContact(), 0);
            for (const char* name : {"Ann", "Bob", "Cid", "Dan"}) {
                Contact c = pcContact(name, QString("0171%1").arg(name));
                QCOMPARE(data.insertContact(&c, false), 1);
            }
            // Ids 1, 2 and 4 in use: the next contact gets 3.
            Contact three = data.getContactById(3, false);
            QVERIFY(
                awaitDone<bool>([&](auto done) { data.delContact(three, true, done); }).value());
            Contact eve = pcContact("Eve", "+4930123");
            eve.setEmail("eve@example.org");
            data.insertContact(&eve, true);
            QCOMPARE(eve.getId(), 3);
        }
        IOData reloaded;
        QCOMPARE(idsOf(IOData::pcContactMap), (QList<int>{1, 2, 3, 4}));
        const Contact eve = reloaded.getContactById(3, false);
        QCOMPARE(decoded(eve.getName(), true), QString("Eve"));
        QCOMPARE(eve.getEmail(), QString("eve@example.org"));
        QVERIFY(!eve.getIsSim());
        QVERIFY(TestEnv::readFile(env.dataPath("contact.xml")).contains("\n        <contactitem>"));

        // A changed contact keeps its id and goes last in the file.
        Contact old = reloaded.getContactById(1, false);
        Contact now = pcContact("Anna", "111");
        QVERIFY(reloaded.modifyContact(&old, &now));
        QCOMPARE(now.getId(), 1);
        const QByteArray file = TestEnv::readFile(env.dataPath("contact.xml"));
        QVERIFY(file.indexOf("<id>1</id>") > file.indexOf("<id>4</id>"));
        IOData again;
        QCOMPARE(IOData::pcContactMap.value(1).getPhone(), QString("111"));
    }

    void refusesAFullPhonebook() {
        TestEnv env;
        IOData data;
        for (int i = 0; i < IOData::MAX_PC_CONTACTS; ++i) {
            Contact c = pcContact("x", QString::number(i));
            QCOMPARE(data.insertContact(&c, false), 1);
        }
        Contact extra = pcContact("y", "1");
        QCOMPARE(data.insertContact(&extra, false), -1);
        QCOMPARE(data.countOfPcContact(), IOData::MAX_PC_CONTACTS);
        // The allocator's own bound.
        Contact probe;
        for (int id = 1; id <= IOData::LAST_PC_ID; ++id)
            IOData::pcContactMap.insert(id, {});
        QVERIFY(!data.buildContact(probe));
        QCOMPARE(probe.getId(), IOData::LAST_PC_ID + 1);
    }

    void findsNamesForNumbers() {
        TestEnv env;
        IOData data;
        Contact ann = pcContact("Ann", "+491701234567");
        ann.setOfficePhone("0301234");
        data.insertContact(&ann, false);
        Contact bob = pcContact("Bob", "0301234");
        data.insertContact(&bob, false);
        IOData::simContactMap.insert(5, Contact(true, 5, coded("Sim", false), "777"));

        QCOMPARE(IOData::getNameFromPhone("+491701234567"), QString("Ann"));
        // The first contact in id order wins, whichever of its numbers matches.
        QCOMPARE(IOData::getNameFromPhone("0301234"), QString("Ann"));
        // No normalisation: the same number written with 00 is another number.
        QCOMPARE(IOData::getNameFromPhone("00491701234567"), QString());
        QCOMPARE(IOData::getNameFromPhone("777"), QString("Sim"));
        QCOMPARE(IOData::getNameFromPhone(""), QString());
        // A PC contact goes before a SIM contact; changes show at once.
        IOData::simContactMap.insert(6, Contact(true, 6, coded("Sam", false), "0301234"));
        QCOMPARE(IOData::getNameFromPhone("0301234"), QString("Ann"));
        IOData::pcContactMap[1].setOfficePhone("");
        QCOMPARE(IOData::getNameFromPhone("0301234"), QString("Bob"));
        awaitDone<bool>([&](auto done) { data.delContact(bob, false, done); });
        QCOMPARE(IOData::getNameFromPhone("0301234"), QString("Sam"));
        data.cleanSimMap();
        QCOMPARE(IOData::getNameFromPhone("777"), QString());
    }

    void managesGroups() {
        TestEnv env;
        {
            IOData data;
            for (const char* group : {"Family", "Work", "Club"})
                data.insertGroup(group);
            data.insertGroup("Work");
            QCOMPARE(data.getAllGroup(), (QStringList{"Family", "Work", "Club"}));
            for (const char* name : {"Ann", "Bob"}) {
                Contact c = pcContact(name, name, "Work");
                data.insertContact(&c, false);
            }
            Contact cid = pcContact("Cid", "3", "Family");
            data.insertContact(&cid, true);

            // Renaming onto an existing name changes nothing.
            data.modifyGroup("Work", "Family");
            QCOMPARE(data.getAllGroup(), (QStringList{"Family", "Work", "Club"}));
            data.modifyGroup("Work", "Office");
            QCOMPARE(data.getAllGroup(), (QStringList{"Family", "Club", "Office"}));
            QMap<int, Contact> office;
            data.returnPcContactByGroup(office, "Office");
            QCOMPARE(idsOf(office), (QList<int>{1, 2}));
        }
        IOData reloaded;
        QCOMPARE(reloaded.getAllGroup(), (QStringList{"Family", "Club", "Office"}));
        QCOMPARE(IOData::pcContactMap.value(2).getGroup(), QString("Office"));
        QVERIFY(reloaded.hasGroup("Office"));
        QVERIFY(!reloaded.hasGroup("office"));

        // Deleting a group deletes its contacts.
        reloaded.delGroup("Office");
        QCOMPARE(idsOf(IOData::pcContactMap), QList<int>{3});
        IOData last;
        QCOMPARE(last.getAllGroup(), (QStringList{"Family", "Club"}));
        QCOMPARE(idsOf(IOData::pcContactMap), QList<int>{3});
    }

    // Files as they come: in another encoding (read in it, written back in
    // UTF-8, declared as such, so that they read the same after a save),
    // with fields out of place (taken only at their place), or unreadable
    // (set aside; the phonebook starts empty and carries on).
    void readsFilesAsTheyCome_data() {
        QTest::addColumn<QByteArray>("file");
        QTest::addColumn<QStringList>("groups"); // as read
        QTest::addColumn<QString>("name7");      // of contact 7, as stored
        QTest::addColumn<int>("setAside");
        const auto encoded = [](const QByteArray& encoding, const QByteArray& group) {
            return "<?xml version=\"1.0\" encoding=\"" + encoding +
                   "\"?><phonebook><groups><groupname>" + group +
                   "</groupname></groups><contacts/></phonebook>";
        };
        QTest::newRow("ISO-8859-2") << encoded("ISO-8859-2", "\xA3\xF3" + QByteArray("d\xBC"))
                                    << QStringList{"Łódź"} << QString() << 0;
        QTest::newRow("UTF-7, found by fuzzing")
            << encoded("UTF-7", "+AUE-ukasz +-49") << QStringList{"Łukasz +49"} << QString() << 0;
        // An unpaired surrogate, which no UTF-8 file can hold, is left out.
        QTest::newRow("UTF-7 to an unpaired surrogate, found by fuzzing")
            << encoded("UTF-7", "+3ok-Team") << QStringList{"Team"} << QString() << 0;
        QTest::newRow("fields out of place")
            << QByteArray("<phonebook><groups><groupname>A</groupname><other/></groups>"
                          "<contacts><contactitem><id>7</id><name>416E6E</name>"
                          "<email>x@y.z</email><phone>1</phone></contactitem></contacts>"
                          "</phonebook>")
            << QStringList{"A"} << QString("416E6E") << 0;
        QTest::newRow("unreadable")
            << QByteArray("<phonebook><groups>") << QStringList() << QString() << 1;
    }
    void readsFilesAsTheyCome() {
        QFETCH(QByteArray, file);
        QFETCH(QStringList, groups);
        QFETCH(QString, name7);
        TestEnv env;
        QFile out(env.dataPath("contact.xml"));
        QVERIFY(out.open(QIODevice::WriteOnly | QIODevice::Truncate));
        out.write(file);
        out.close();
        {
            IOData data;
            QCOMPARE(data.getAllGroup(), groups);
            QCOMPARE(data.getContactById(7, false).getName(), name7);
            QCOMPARE(data.getContactById(7, false).getEmail(), QString());
            data.insertGroup("Work");
        }
        QTEST(int(QDir(env.dataPath("")).entryList({"contact.xml.unreadable-*"}).size()),
              "setAside");
        IOData again;
        QCOMPARE(again.getAllGroup(), groups + QStringList{"Work"});
    }

    void createsTheFileWhenMissing() {
        TestEnv env;
        const QByteArray shipped = TestEnv::readFile(env.dataPath("contact.xml"));
        QVERIFY(QFile::remove(env.dataPath("contact.xml")));
        IOData data;
        QCOMPARE(TestEnv::readFile(env.dataPath("contact.xml")), shipped);
    }
};

QTEST_GUILESS_MAIN(TestContacts)
#include "test_contacts.moc"
