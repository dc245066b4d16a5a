// vCards: what phones and address books write is read, the export is read
// back whole by python3-vobject, and what vobject writes is imported.

#include "phonebook/coder.h"
#include "phonebook/contactexport.h"
#include "phonebook/contactimport.h"
#include "phonebook/contactmodel.h"
#include "phonebook/iodata.h"
#include "phonebook/vcard.h"
#include "tests/support/awaitdone.h"
#include "tests/support/testenv.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>
#include <QTest>

namespace {

// Runs the vobject peer; null when python3-vobject is missing.
QByteArray peer(const char* mode, const QByteArray& input) {
    QProcess process;
    process.start("/usr/bin/python3", {VCARD_PEER, mode});
    process.write(input);
    process.closeWriteChannel();
    process.waitForFinished(20000);
    if (process.exitCode() == 3)
        return {};
    return process.readAllStandardOutput();
}

Contact pcContact(const QString& name, const QString& mobile, const QString& home,
                  const QString& office, const QString& email, const QString& group) {
    QString coded;
    coding(coded, name, true);
    Contact c(false, 0, coded, mobile, home, office, group);
    c.setEmail(email);
    return c;
}

} // namespace

class TestVCard : public QObject {
    Q_OBJECT
private slots:
    void readsWhatPhonesWrite() {
        // Version 2.1 from an older phone: bare types, quoted-printable UTF-8
        // with a soft line break, a name only in N, a nested card.
        const QByteArray old = "BEGIN:VCARD\r\nVERSION:2.1\r\n"
                               "N;CHARSET=UTF-8;ENCODING=QUOTED-PRINTABLE:M=C3=BCller;J=C3=\r\n"
                               "=BCrgen;;;\r\n"
                               "TEL;CELL;VOICE:+49 162 555-0123\r\n"
                               "TEL;WORK:(030) 123.456\r\n"
                               "AGENT:\r\nBEGIN:VCARD\r\nFN:Agent\r\nEND:VCARD\r\n"
                               "END:VCARD\r\n";
        // Version 4.0: folded lines, lower-case types, a tel URI, escapes, groups.
        const QByteArray modern = "BEGIN:VCARD\nVERSION:4.0\nitem1.FN:Anna\\, the\n  Boss\n"
                                  "TEL;VALUE=uri;TYPE=\"home,voice\":tel: +4930111\n"
                                  "TEL;TYPE=pref:0171222\nEMAIL:anna@example.org\n"
                                  "CATEGORIES:Work,Friends\\, old\nEND:VCARD\n";
        const QList<VCard> cards = readVCards(QByteArray("\xEF\xBB\xBF") + old + modern);
        QCOMPARE(cards.size(), 2);
        QCOMPARE(cards[0].name, QString::fromUtf8("Jürgen Müller"));
        QCOMPARE(cards[0].cell, QStringList{"+49 162 555-0123"});
        QCOMPARE(cards[0].work, QStringList{"(030) 123.456"});
        QCOMPARE(cards[1].name, QString("Anna, the Boss"));
        QCOMPARE(cards[1].home, QStringList{"+4930111"});
        QCOMPARE(cards[1].other, QStringList{"0171222"});
        QCOMPARE(cards[1].emails, QStringList{"anna@example.org"});
        QCOMPARE(cards[1].categories, (QStringList{"Work", "Friends, old"}));

        // Long lines are folded at 75 octets, never inside a character.
        VCard wide;
        wide.name = QString(40, QChar(0x00FC));
        const QByteArray written = writeVCard(wide);
        for (const QByteArray& line : written.split('\n'))
            QVERIFY(line.size() <= 76);
        QCOMPARE(readVCards(written).first().name, wide.name);

        // A number with pauses is written as it stands (a TEL value is no
        // escaped text) and reads back the same.
        VCard paused;
        paused.name = "Desk";
        paused.work = QStringList{"+4930123,,45;6"};
        QVERIFY(writeVCard(paused).contains("TEL;TYPE=WORK:+4930123,,45;6\r\n"));
        QCOMPARE(readVCards(writeVCard(paused)).first().work, paused.work);
    }

    void vobjectReadsTheExport() {
        const QList<Contact> contacts{
            pcContact(QString::fromUtf8("Иван"), "+79161234567", "+74951234567", "0495111",
                      "ivan@example.ru", QString::fromUtf8("Друзья")),
            pcContact(QString::fromUtf8("李小龙"), "+8613812345678", "", "01012345", "", "Work"),
            pcContact("Ann; Lee, Jr", "0171", "", "", "ann.lee@example.org", "")};
        const QByteArray json = peer("read", vCards(contacts));
        if (json.isNull())
            QSKIP("python3-vobject is not installed");
        const QJsonArray cards = QJsonDocument::fromJson(json).array();
        QCOMPARE(cards.size(), 3);
        const QJsonObject ivan = cards[0].toObject();
        QCOMPARE(ivan["fn"].toString(), QString::fromUtf8("Иван"));
        QCOMPARE(ivan["tel"].toArray(),
                 QJsonArray({QJsonArray{"CELL", "+79161234567"}, QJsonArray{"HOME", "+74951234567"},
                             QJsonArray{"WORK", "0495111"}}));
        QCOMPARE(ivan["email"].toArray(), QJsonArray{"ivan@example.ru"});
        QCOMPARE(ivan["categories"].toArray(), QJsonArray{QString::fromUtf8("Друзья")});
        const QJsonObject li = cards[1].toObject();
        QCOMPARE(li["fn"].toString(), QString::fromUtf8("李小龙"));
        QCOMPARE(li["tel"].toArray().size(), 2);
        QCOMPARE(li["email"].toArray().size(), 0);
        QCOMPARE(cards[2].toObject()["fn"].toString(), QString("Ann; Lee, Jr"));
    }

    void importsWhatVobjectWrites() {
        const QJsonArray cards{
            QJsonObject{{"fn", QString::fromUtf8("Zoë")},
                        {"tel", QJsonArray{QJsonArray{"WORK", "+49 30 1234-5"},
                                           QJsonArray{"CELL", "+491701112233"},
                                           QJsonArray{"HOME", "030998877"},
                                           QJsonArray{"CELL", "+491709999999"}}},
                        {"email", QJsonArray{"zoe@example.org"}},
                        {"categories", QJsonArray{"Friends"}}},
            QJsonObject{{"fn", QString::fromUtf8("محمد")},
                        {"tel", QJsonArray{QJsonArray{"VOICE", "+201001234567"}}}},
            QJsonObject{{"fn", "No Number"}, {"email", QJsonArray{"x@example.org"}}},
            QJsonObject{{"fn", "A very long contact name"},
                        {"tel", QJsonArray{QJsonArray{"CELL", "0171"}}}},
        };
        const QByteArray vcf = peer("write", QJsonDocument(cards).toJson());
        if (vcf.isNull())
            QSKIP("python3-vobject is not installed");

        TestEnv env;
        IOData data;
        const QList<VCard> read = readVCards(vcf);
        const auto import = [&](const ContactTarget& target) {
            return awaitDone<ImportReport>(
                       [&](auto done) { importVCards(data, read, target, done); })
                .value_or(ImportReport{});
        };
        ImportReport report = import({});
        QCOMPARE(report.added, 3);
        QCOMPARE(report.shortened, 0); // the PC keeps names whole
        QCOMPARE(report.skipped, QStringList{"No Number: no usable telephone number"});
        QCOMPARE(report.notes, QStringList{QString::fromUtf8("Zoë: without 1 number(s)")});
        QCOMPARE(data.getAllGroup(), QStringList{"Friends"});

        const Contact zoe = data.getContactById(1, false);
        QCOMPARE(ContactTableModel::shownName(zoe), QString::fromUtf8("Zoë"));
        QCOMPARE(zoe.getPhone(), QString("+491701112233"));
        QCOMPARE(zoe.getHomePhone(), QString("030998877"));
        QCOMPARE(zoe.getOfficePhone(), QString("+493012345"));
        QCOMPARE(zoe.getEmail(), QString("zoe@example.org"));
        QCOMPARE(zoe.getGroup(), QString("Friends"));
        const Contact mohammed = data.getContactById(2, false);
        QCOMPARE(ContactTableModel::shownName(mohammed), QString::fromUtf8("محمد"));
        QCOMPARE(mohammed.getPhone(), QString("+201001234567"));
        QCOMPARE(ContactTableModel::shownName(data.getContactById(3, false)),
                 QString("A very long contact name"));

        // The same file again adds nothing; the file holds what was added.
        report = import({false, "Work"});
        QCOMPARE(report.added, 0);
        QCOMPARE(report.skipped.size(), 4);
        IOData reloaded;
        QCOMPARE(reloaded.countOfPcContact(), 3);
    }
};

QTEST_GUILESS_MAIN(TestVCard)
#include "test_vcard.moc"
