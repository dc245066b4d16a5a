// What the user types, and files edited or damaged by hand: each text is
// refused with a message, or stored and read back intact; none reaches the
// modem as a command of its own.

#include "app/commonconfig.h"
#include "connection/profilerules.h"
#include "connection/profilestore.h"
#include "phonebook/vcard.h"
#include "phonebook/xmlparser.h"
#include "settings/settingsfiles.h"
#include "sms/longmessage.h"
#include "sms/smsdataoperation.h"
#include "sms/smssend.h"
#include "tests/modem/simlink.h"
#include "tests/support/awaitdone.h"
#include "tests/support/badinputs.h"
#include "tests/support/testenv.h"

#include <QDir>
#include <QFile>
#include <QtTest>
#include <algorithm>

namespace {

// Characters a message file keeps (XML 1.0 has no place for the others).
QString xmlKept(const QString& text) {
    QString out;
    for (QChar c : text) {
        if (c.unicode() >= 0x20 || c == u'\t' || c == u'\n' || c == u'\r')
            out += c;
    }
    return out;
}

} // namespace

class TestBadInput : public SimLinkTest {
    Q_OBJECT
private slots:
    void init() {
        env_ = std::make_unique<TestEnv>();
        comcfg.builtinProfileName = "Tolva Internet";
        QVERIFY(ProfileStore::initializeFile());
    }
    void cleanup() { env_.reset(); }

    // Every input in each field the user types into, row by row: refused
    // with a message or kept intact across a restart (the stores read
    // their files afresh).
    void typedFields_data() {
        QTest::addColumn<QString>("field");
        QTest::addColumn<QString>("input");
        for (const char* field : {"profile name", "dial number", "APN", "password", "message text",
                                  "contact name", "service centre"}) {
            for (const auto& [label, input] : kBadInputs)
                QTest::newRow(qPrintable(QString("%1: %2").arg(field, label))) << field << input;
        }
    }
    void typedFields() {
        QFETCH(QString, field);
        QFETCH(QString, input);
        if (field == "message text") {
            SM_PARAM_DECODE rec = composedRecord("0301234", input, "261207031500", {}, "draft");
            QMap<int, SM_PARAM_DECODE> map;
            SmsData().insertSmsItem(map, rec, "draftbox", true);
            QMap<int, SM_PARAM_DECODE> read;
            SmsData().getPcAllSmsItem(read, "draftbox");
            QCOMPARE(read.size(), 1);
            QCOMPARE(read.first().contentStr, xmlKept(input));
            return;
        }
        if (field == "contact name") {
            Contact c(false, 1, input, "0301234");
            {
                XmlParser file;
                QVERIFY(file.insertContact(c));
                QVERIFY(file.saveDom());
            }
            QMap<int, Contact> read;
            XmlParser().readAllContact(read);
            QCOMPARE(read.value(1).getName(), xmlKept(input));
            return;
        }
        if (field == "service centre") {
            MessageSettings s;
            s.smsCenter = input;
            QVERIFY(writeMessagesSettings(s));
            QCOMPARE(readMessagesSettings().smsCenter, input);
            return;
        }
        ProfileRecord record;
        record.name = "Work";
        record.phone = "*99#";
        record.apn = "web";
        record.password = "secret";
        using Field = std::pair<QString ProfileRecord::*, ConfigFormField ConfigForm::*>;
        const QMap<QString, Field> profileFields = {
            {"profile name", {&ProfileRecord::name, &ConfigForm::name}},
            {"dial number", {&ProfileRecord::phone, &ConfigForm::dialNumber}},
            {"APN", {&ProfileRecord::apn, &ConfigForm::apn}},
            {"password", {&ProfileRecord::password, &ConfigForm::password}}};
        const auto [value, formField] = profileFields.value(field);
        record.*value = input;
        ConfigForm form;
        form.*formField = {input, true};
        const QString refusal = savedCheck(form);
        const bool breaksRecord =
            input.contains("-|-") || input.endsWith("-|") || hasControl(input);
        QCOMPARE(!refusal.isEmpty(), breaksRecord);
        if (breaksRecord)
            return;
        QVERIFY(ProfileStore::saveNewText(record));
        ProfileRecord read;
        QVERIFY(ProfileStore::loadText(record.name.trimmed(), &read));
        record.name = record.name.trimmed();
        QCOMPARE(read, record);
    }

    // What reaches the modem: an APN and a message's number and text holding
    // line ends, Ctrl-Z or Esc are refused before anything is written, or
    // travel inside a PDU; the simulator never receives a command line the
    // program did not write. (A PIN and a SIM contact: the modem command
    // tests' rows "unsafe arguments" and "quotes not sent".)
    void modemLines() {
        QVERIFY(startWith("ready"));
        for (const auto& [label, input] : kBadInputs) {
            const qsizetype before = sim.received().size();
            const bool unsafe = std::any_of(input.cbegin(), input.cend(), [](QChar c) {
                return c == u'\r' || c == u'\n' || c == QChar(0x1A) || c == QChar(0x1B);
            });
            if (unsafe || input.contains('"')) {
                QVERIFY2(!completion(*link, &SerialThread::setConnectPara, "IP", input, QString())
                              .value_or(true),
                         label);
                QCOMPARE(sim.received().size(), before);
            }
            const auto send = [&](const QString& number, const QString& text) {
                return awaitDone<SentMessage>([&](auto done) {
                    sendMessage(*link, link.get(), "+491760000443", number, text, {}, done);
                });
            };
            QVERIFY2(!send(input, "hello").value_or(SentMessage{true, {}, {}}).sent,
                     label); // no such number
            QVERIFY2(send("0301234", input.left(300)), label);
            for (const QString& line : sim.received().mid(before)) {
                QVERIFY2(line.startsWith("AT") || line.endsWith(QChar(0x1A)),
                         qPrintable(QString("%1: %2").arg(label, line)));
                QVERIFY2(!line.contains("CFUN"), label);
            }
        }
    }

    // Files holding invalid UTF-8: read with the bad bytes replaced, the
    // rest intact, and written back readable.
    void invalidUtf8Files() {
        const QByteArray bad = "\xC3\x28\xFF\xFE\xED\xA0\x80";
        writeData("sms.xml", "<?xml version=\"1.0\" encoding=\"UTF-8\"?><smsdata><boxes><inbox>"
                             "<smsitem><id>0</id><contentstr>ok " +
                                 bad +
                                 " ok</contentstr></smsitem></inbox><outbox/>"
                                 "<draftbox/></boxes></smsdata>");
        QMap<int, SM_PARAM_DECODE> inbox;
        SmsData first;
        first.getPcAllSmsItem(inbox, "inbox");
        QVERIFY(inbox.value(0).contentStr.startsWith("ok ") &&
                inbox.value(0).contentStr.endsWith(" ok"));
        QVERIFY(first.saveDom());
        QMap<int, SM_PARAM_DECODE> again;
        SmsData().getPcAllSmsItem(again, "inbox");
        QCOMPARE(again.value(0).contentStr, inbox.value(0).contentStr);

        writeData("contact.xml", "<?xml version=\"1.0\" encoding=\"UTF-8\"?><phonebook><groups>"
                                 "<groupname>G" +
                                     bad + "</groupname></groups><contacts/></phonebook>");
        QStringList groups;
        XmlParser().readGroup(groups);
        // Either read with the bad bytes replaced, or the file set aside and
        // the phonebook started empty: never a crash, never the file lost.
        QVERIFY(groups.isEmpty() || groups.first().startsWith("G"));
        QVERIFY(QDir(env_->dataPath("")).entryList({"contact.xml*"}).size() >= 1);

        writeData("totalRecord.conf", "[ the record of <B" + bad + "> ]\r\nconfig file name = B" +
                                          bad +
                                          "-|-Phone = *99#\r\n\r\n[ the record of <Work> ]\r\n"
                                          "config file name = Work-|-Phone = *98#\r\n\r\n");
        QStringList names;
        QVERIFY(ProfileStore::profileNames(&names));
        QCOMPARE(names.size(), 2);
        ProfileRecord work;
        QVERIFY(ProfileStore::loadText("Work", &work));
        QCOMPARE(work.phone, QString("*98#"));

        writeData("messagesetconfigrc",
                  "[messageSetConfig]\nsmsCenter=+49" + bad + "\nsmsLoca=2\n");
        QCOMPARE(readMessagesSettings().smsLoca, 2);

        const QList<VCard> cards = readVCards("BEGIN:VCARD\r\nVERSION:3.0\r\nFN:A" + bad +
                                              "\r\nTEL:0301\r\nEND:VCARD\r\n");
        QCOMPARE(cards.size(), 1);
        QVERIFY(cards.first().name.startsWith("A"));
        QCOMPARE(cards.first().other, QStringList{"0301"});
    }

private:
    std::unique_ptr<TestEnv> env_;

    void writeData(const QString& name, const QByteArray& bytes) const {
        QFile file(env_->dataPath(name));
        QVERIFY(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
        file.write(bytes);
    }
};

QTEST_GUILESS_MAIN(TestBadInput)
#include "test_badinput.moc"
