// The phonebook's rules and batch work without the page: the contact form's
// checks, group names, the table's search, the tab-separated export, and
// pasting and deleting among PC contacts.

#include "phonebook/coder.h"
#include "phonebook/contactexport.h"
#include "phonebook/contactmodel.h"
#include "phonebook/contactops.h"
#include "phonebook/contactrules.h"
#include "phonebook/iodata.h"
#include "phonebook/simalpha.h"
#include "tests/support/awaitdone.h"
#include "tests/support/testenv.h"

#include <QTest>
#include <csignal>
#include <sys/resource.h>

namespace {

Contact pc(const QString& name, const QString& phone, const QString& group = {}) {
    QString coded;
    coding(coded, name, true);
    return Contact(false, 0, coded, phone, "", "", group);
}

QStringList names(const QList<Contact>& contacts) {
    QStringList out;
    for (const Contact& c : contacts)
        out.append(ContactTableModel::shownName(c));
    return out;
}

} // namespace

class TestPhonebookRules : public QObject {
    Q_OBJECT
private slots:
    void checksTheForm_data() {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("mobile");
        QTest::addColumn<QString>("email");
        QTest::addColumn<int>("result");
        using R = ContactRules::FormCheck;
        const auto row = [](const char* tag, const char* name, const char* mobile,
                            const char* email, R result) {
            QTest::newRow(tag) << QString(name) << QString(mobile) << QString(email) << int(result);
        };
        row("no e-mail", "Ann", "123", "", R::Ok);
        row("e-mail", "Ann", "123", "ann.b%x@mail-1.example.org", R::Ok);
        row("4-letter tld", "Ann", "123", "a@b.info", R::Ok);
        row("no domain dot", "Ann", "123", "ann@example", R::BadEmail);
        row("5-letter tld", "Ann", "123", "ann@example.museu", R::BadEmail);
        row("digit tld", "Ann", "123", "ann@example.c0m", R::BadEmail);
        row("no at", "Ann", "123", "ann.example.org", R::BadEmail);
        row("trailing text", "Ann", "123", "a@b.de x", R::BadEmail);
        row("no name", " ", "123", "", R::MissingField);
        row("no mobile", "Ann", "", "a@b.de", R::MissingField);
    }
    void checksTheForm() {
        QFETCH(QString, name);
        QFETCH(QString, mobile);
        QFETCH(QString, email);
        QFETCH(int, result);
        QCOMPARE(int(ContactRules::checkForm(name, mobile, email)), result);
    }

    void checksNumbersAndNames() {
        QVERIFY(ContactRules::isValidNumber("+49*31#0"));
        QVERIFY(!ContactRules::isValidNumber("030 1234"));
        QVERIFY(!ContactRules::isValidNumber(""));
        QVERIFY(ContactRules::isValidNumber(QString(40, '1')));
        QVERIFY(!ContactRules::isValidNumber(QString(41, '1')));
    }

    // The octets a name takes on the SIM, and what of it a field of 14
    // octets keeps.
    void sizesSimNames_data() {
        QTest::addColumn<QString>("name");
        QTest::addColumn<int>("octets");
        QTest::addColumn<QString>("kept");
        const auto row = [](const char* tag, const char* name, int octets, const char* kept) {
            QTest::newRow(tag) << QString::fromUtf8(name) << octets << QString::fromUtf8(kept);
        };
        row("default alphabet", "Jürgen Müller", 13, "Jürgen Müller");
        row("accents in it", "Åsa Øre é ñ", 11, "Åsa Øre é ñ");
        row("extension table", "A[1]€", 8, "A[1]€");
        row("cut in 7 bits", "ABCDEFGHIJKLMNOP", 16, "ABCDEFGHIJKLMN");
        row("UCS2 base of 7 bits", "Łukasz Nowak", 15, "Łukasz Nowa");
        row("UCS2 half page", "ЖЁЯ", 6, "ЖЁЯ");
        row("UCS2 16-bit base", "ѿҀ ѿҀ", 9, "ѿҀ ѿҀ");
        row("UCS2 far apart", "张伟", 5, "张伟");
        row("UCS2 two octets each", "张伟 Wang Wei", 23, "张伟 Wan");
        row("never half a pair", "abcdefg😀", 19, "abcdefg");
    }
    void sizesSimNames() {
        QFETCH(QString, name);
        QFETCH(int, octets);
        QFETCH(QString, kept);
        QCOMPARE(simAlphaLength(name), octets);
        QCOMPARE(fitSimName(name, 14), kept);
        QCOMPARE(fitSimName(name, 0), name);
    }

    // The page's group test goes through the usual names; these are the
    // edges it does not reach.
    void namesGroups() {
        QCOMPARE(ContactRules::proposeGroupName({"group", "Group 0", "GROUP 2"}),
                 QString("GROUP 1"));
        using R = ContactRules::Rename;
        QCOMPARE(ContactRules::checkRename({"Work"}, "Work", ""), R::Empty);
        QCOMPARE(ContactRules::checkRename({"Work"}, "Work", "Work"), R::Unchanged);
    }

    // Names match whatever the case, and whatever the accents unless the
    // search has some; numbers match as typed.
    void searches_data() {
        QTest::addColumn<QString>("search");
        QTest::addColumn<QStringList>("shown");
        QTest::newRow("number") << "12" << QStringList{"bob", "Cleo"};
        QTest::newRow("case") << "BOB" << QStringList{"bob"};
        QTest::newRow("no accent typed") << "chloe" << QStringList{"Chloe Lee", "Chloé Durand"};
        QTest::newRow("accent typed") << QString::fromUtf8("CHLOÉ") << QStringList{"Chloé Durand"};
        QTest::newRow("inside a name") << "muller" << QStringList{"Jürgen Müller"};
    }
    void searches() {
        QFETCH(QString, search);
        QFETCH(QStringList, shown);
        ContactTableModel model;
        ContactFilterModel filter;
        filter.setSourceModel(&model);
        QList<Contact> contacts{pc("bob", "0312"), pc("Cleo", "999"), pc("Chloe Lee", "0"),
                                pc(QString::fromUtf8("Chloé Durand"), "0"),
                                pc(QString::fromUtf8("Jürgen Müller"), "0")};
        contacts[1].setOfficePhone("0412");
        model.setContacts(contacts);
        filter.setSearchText(search);
        QStringList out;
        for (int row : filter.shownRows(false))
            out.append(model.nameAt(row));
        QCOMPARE(out, shown);
    }

    // What a paste into a SIM with 10-octet names leaves out: the fields a
    // SIM contact has no place for, and the end of a longer name.
    void tellsWhatAPasteLeavesOut_data() {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("home");
        QTest::addColumn<QString>("group");
        QTest::addColumn<bool>("dropped");
        QTest::addColumn<int>("shortened");
        const auto row = [](const char* tag, const char* name, const char* home, const char* group,
                            bool dropped, int shortened) {
            QTest::newRow(tag) << QString(name) << QString(home) << QString(group) << dropped
                               << shortened;
        };
        // Name and mobile alone, and a home number, are the page test's.
        row("group", "Ann", "", "Work", true, 0);
        row("long name", "Annabel Lee", "", "", false, 1);
    }
    void tellsWhatAPasteLeavesOut() {
        QFETCH(QString, name);
        QFETCH(QString, home);
        QFETCH(QString, group);
        Contact c = pc(name, "0171", group);
        c.setHomePhone(home);
        const PasteLoss loss = pasteLoss({c}, {true, {}, 10});
        QTEST(loss.droppedFields, "dropped");
        QTEST(loss.shortenedNames, "shortened");
        QCOMPARE(ContactTableModel::shownName(recodedFor(c, {true, {}, 10})), name.left(10));
        QCOMPARE(pasteLoss({c}, {false, {}, 10}).droppedFields, false);
    }

    void sorts() {
        ContactTableModel model;
        ContactFilterModel filter;
        filter.setSourceModel(&model);
        model.setContacts({pc("Anna", "0171"), pc("bob", "0312"), pc("Cleo", "999")});
        const auto shown = [&] {
            QStringList out;
            for (int row : filter.shownRows(false))
                out.append(model.nameAt(row));
            return out;
        };
        filter.sort(ContactTableModel::NameColumn, Qt::DescendingOrder);
        QCOMPARE(shown(), (QStringList{"Cleo", "bob", "Anna"}));

        // Selecting all takes the shown rows only; actions see the shown ones.
        filter.setSearchText("o");
        filter.checkAllShown(true);
        filter.setSearchText("");
        QCOMPARE(filter.shownRows(true).size(), 2);
        filter.setSearchText("Cleo");
        QCOMPARE(filter.shownRows(true).size(), 1);
    }

    void exportsTabSeparatedLines() {
        TestEnv env;
        Contact home = pc("Ann\tLee", "0171", "Family");
        home.setHomePhone("030");
        QString twoLines;
        coding(twoLines, "Bo\nRo", IOData::simNamesUcs2);
        const Contact onSim(true, 4, twoLines, "0172");
        QCOMPARE(tabSeparated({home, onSim}),
                 QByteArray("Ann Lee\t0171\t030\t\tFamily\nBo Ro\t0172\n"));

        const QString path = env.base() + "/out.vcf";
        QCOMPARE(exportFormatFor(path), ExportFormat::VCard);
        QCOMPARE(exportFormatFor(env.base() + "/out.TXT"), ExportFormat::TabSeparated);
        QVERIFY(exportContacts(path, {home}, ExportFormat::TabSeparated));
        const QByteArray before = TestEnv::readFile(path);

        // A write cut short leaves the earlier export whole.
        rlimit saved{};
        QVERIFY(getrlimit(RLIMIT_FSIZE, &saved) == 0);
        rlimit small = saved;
        small.rlim_cur = 64;
        std::signal(SIGXFSZ, SIG_IGN);
        QVERIFY(setrlimit(RLIMIT_FSIZE, &small) == 0);
        QList<Contact> many(50, home);
        const bool written = exportContacts(path, many, ExportFormat::VCard);
        QVERIFY(setrlimit(RLIMIT_FSIZE, &saved) == 0);
        QVERIFY(!written);
        QCOMPARE(TestEnv::readFile(path), before);
        QVERIFY(!exportContacts(env.base() + "/missing/out.txt", {home}, ExportFormat::VCard));
    }

    void pastesAndDeletesPcContacts() {
        TestEnv env;
        IOData data;
        data.insertGroup("Work");
        for (const char* name : {"Ann", "Bob", "Cid"}) {
            Contact c = pc(name, QString("0171") + name);
            data.insertContact(&c, false);
        }
        const QList<Contact> three = IOData::pcContactMap.values();

        // Copied into a group: new contacts there, the sources stay.
        const auto paste = [&data](const QList<Contact>& contacts, bool cut,
                                   const ContactTarget& target) {
            return awaitDone<PasteReport>(
                       [&](auto done) { pasteContacts(data, contacts, cut, target, done); })
                .value_or(PasteReport{});
        };
        PasteReport copied = paste(three.mid(0, 2), false, {false, "Work"});
        QCOMPARE(copied.added, 2);
        QCOMPARE(data.countOfPcContact(), 5);
        QMap<int, Contact> work;
        data.returnPcContactByGroup(work, "Work");
        QCOMPARE(names(work.values()), (QStringList{"Ann", "Bob"}));

        // Cut into a group: the contact only changes its group.
        PasteReport moved = paste({three.at(2)}, true, {false, "Work"});
        QCOMPARE(moved.added, 1);
        QCOMPARE(data.countOfPcContact(), 5);
        QCOMPARE(data.getContactById(three.at(2).getId(), false).getGroup(), QString("Work"));

        // A full PC takes what fits and says so.
        for (int i = data.countOfPcContact(); i < IOData::MAX_PC_CONTACTS - 1; ++i) {
            Contact c = pc("x", QString::number(i));
            data.insertContact(&c, false);
        }
        const PasteReport full = paste(three, false, {});
        QCOMPARE(full.added, 1);
        QCOMPARE(full.notAdded, 2);
        QVERIFY(full.full);

        // One write for the batch; a contact no longer there is passed over.
        const DeleteReport removed = awaitDone<DeleteReport>([&](auto done) {
                                         deleteContacts(data, {three.at(0), three.at(0)}, done);
                                     }).value_or(DeleteReport{0, true});
        QCOMPARE(removed.deleted, 1);
        QVERIFY(!removed.failed);
        IOData reloaded;
        QCOMPARE(reloaded.countOfPcContact(), IOData::MAX_PC_CONTACTS - 1);

        QCOMPARE(messageNumbers({three.at(1), three.at(2), three.at(1), pc("No", "")}),
                 QString("0171Bob;0171Cid"));
    }
};

QTEST_GUILESS_MAIN(TestPhonebookRules)
#include "test_phonebookrules.moc"
