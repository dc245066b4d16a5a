// The PC message store: what it writes and reads back, files written by
// earlier versions and other tools, a damaged file and a full disk.

#include "sms/smsdataoperation.h"

#include "tests/support/testenv.h"

#include <QDir>
#include <QDomDocument>
#include <QFile>
#include <QTest>
#include <csignal>
#include <cstring>
#include <sys/resource.h>

namespace {

using Box = QMap<int, SM_PARAM_DECODE>;

SM_PARAM_DECODE message(const char* number, const QString& text, const QString& state = "new") {
    SM_PARAM_DECODE rec;
    std::strcpy(rec.SCA, "0");
    std::strncpy(rec.TPA, number, sizeof rec.TPA - 1);
    std::strcpy(rec.TP_SCTS, "090102030405");
    std::strncpy(rec.TP_UD, text.toLatin1().constData(), sizeof rec.TP_UD - 1);
    rec.contentStr = text;
    rec.length = int(text.size());
    rec.pduSrc = "0011000381";
    rec.state = state;
    return rec;
}

Box listing(SmsData& store, const QString& box) {
    Box map;
    store.getPcAllSmsItem(map, box);
    return map;
}

// Puts `bytes` in place of the message file.
void writeStore(const TestEnv& env, const QByteArray& bytes) {
    QFile file(env.dataPath("sms.xml"));
    QVERIFY(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
    file.write(bytes);
}

// A store with one inbox message as the DOM serializer of earlier versions
// wrote it, indented by 4.
QByteArray domWritten(const QString& text) {
    QDomDocument doc;
    doc.setContent(QByteArray("<smsdata><boxes><inbox/><outbox/><draftbox/></boxes></smsdata>"));
    QDomElement item = doc.createElement("smsitem");
    const QStringList names{"id",    "tp_smsc", "tp_da",      "tp_pid", "tp_dcs", "tp_scts",
                            "tp_ud", "index",   "contentstr", "length", "pduSrc", "state"};
    const QStringList values{"0", "0", "+41", "0", "0", "0901", "x", "0", text, "12", "0011", ""};
    for (int i = 0; i < names.size(); ++i)
        item.appendChild(doc.createElement(names[i])).appendChild(doc.createTextNode(values[i]));
    doc.documentElement().firstChildElement().firstChildElement("inbox").appendChild(item);
    return doc.toByteArray(4);
}

} // namespace

class TestSmsData : public QObject {
    Q_OBJECT
private slots:
    void createsTheStoreWhenMissing() {
        TestEnv env;
        const QByteArray shipped = TestEnv::readFile(env.dataPath("sms.xml"));
        QVERIFY(QFile::remove(env.dataPath("sms.xml")));
        SmsData store;
        // The program writes the same file it ships, indented by 4.
        QCOMPARE(TestEnv::readFile(env.dataPath("sms.xml")), shipped);
        QVERIFY(shipped.contains("\n        <draftbox/>"));
        for (const char* box : {"inbox", "outbox", "draftbox"})
            QCOMPARE(listing(store, box).size(), 0);
    }

    // Messages are appended under the lowest free id, marked and deleted in
    // place, and written once, at the save; they read back whole, in the
    // order of the file, and a text XML can't hold is stored without what it
    // can't hold.
    void storesAndReadsBack() {
        TestEnv env;
        {
            SmsData store;
            for (const char* number : {"1", "2", "3", "4"})
                QCOMPARE(store.appendSmsItem(message(number, "text\r\nend"), "inbox"),
                         QByteArray(number).toInt() - 1);
            QCOMPARE(store.delSmsItems({1, 3, 3, 9}, "inbox"), 2);
            SM_PARAM_DECODE odd =
                message("5", QString("a") + QChar(1) + "b" + QChar(0xD800) + "c" + QChar(0x1B));
            std::strcpy(odd.TP_UD, "\x02\x11$");
            QCOMPARE(store.appendSmsItem(odd, "inbox"), 1);
            QCOMPARE(store.appendSmsItem(message("+491701234567", "Grüße <&> €"), "inbox"), 3);
            QVERIFY(store.setSmsState("inbox", 2, "read"));
            QVERIFY(!store.setSmsState("inbox", 7, "read"));
            QVERIFY(!TestEnv::readFile(env.dataPath("sms.xml")).contains("smsitem"));
            QVERIFY(store.saveDom());
        }
        SmsData reopened;
        const Box inbox = listing(reopened, "inbox");
        QCOMPARE(inbox.keys(), (QList<int>{0, 1, 2, 3}));
        QCOMPARE(reopened.countOf("inbox"), 4);
        QCOMPARE(reopened.countOf("nobox"), 0);
        QCOMPARE(inbox[0].contentStr, QString("text\r\nend")); // carriage returns kept
        QCOMPARE(inbox[1].contentStr, QString("abc"));
        QCOMPARE(QByteArray(inbox[1].TP_UD), QByteArray("$"));
        QCOMPARE(inbox[2].state, QString("read"));
        const SM_PARAM_DECODE& rec = inbox[3];
        QCOMPARE(QByteArray(rec.TPA), QByteArray("+491701234567"));
        QCOMPARE(QByteArray(rec.SCA), QByteArray("0"));
        QCOMPARE(QByteArray(rec.TP_SCTS), QByteArray("090102030405"));
        QCOMPARE(rec.contentStr, QString("Grüße <&> €"));
        QCOMPARE(rec.state, QString("new"));
        QCOMPARE(rec.TP_PID, '0');
        // The order in the file is kept: 0, 2, then the appended 1 and 3.
        const QByteArray file = TestEnv::readFile(env.dataPath("sms.xml"));
        QVERIFY(file.indexOf("<tp_da>1<") < file.indexOf("<tp_da>3<"));
        QVERIFY(file.indexOf("<tp_da>3<") < file.indexOf("<tp_da>5<"));

        SM_PARAM_DECODE one;
        QCOMPARE(reopened.selectSmsItem(one, "inbox", 3), 1);
        QCOMPARE(one.contentStr, QString("Grüße <&> €"));
        QCOMPARE(one.length, 11);
        QCOMPARE(one.pduSrc, QString("0011000381"));
    }

    // Files of earlier versions and other tools: listed by the fields'
    // names (also after a save); one message read alone takes only the
    // fields at their place.
    void readsWhatOthersWrote_data() {
        QTest::addColumn<QByteArray>("file");
        QTest::addColumn<QByteArray>("number");
        QTest::addColumn<QString>("content");
        QTest::addColumn<QString>("readAlone");
        const auto store = [](const QByteArray& content, const QByteArray& head = "<smsdata>") {
            return head +
                   "<boxes><inbox><smsitem><id>0</id><tp_smsc>0</tp_smsc><tp_da>+41</tp_da>"
                   "<tp_pid>0</tp_pid><tp_dcs>0</tp_dcs><tp_scts>0901</tp_scts><tp_ud/>"
                   "<index>0</index><contentstr>" +
                   content +
                   "</contentstr><length>2</length><pduSrc>0011</pduSrc></smsitem>"
                   "</inbox><outbox/><draftbox/></boxes></smsdata>";
        };
        const auto row = [](const char* tag, const QByteArray& file, const char* number,
                            const QString& content, const QString& alone) {
            QTest::newRow(tag) << file << QByteArray(number) << content << alone;
        };
        const QString dom = "Line one\r\nline <two> & \"three\" €";
        row("written by the DOM", domWritten(dom), "+41", dom, dom);
        row("our own, with references", store("a&#233;&#xd;&amp;&lt;b&gt;"), "+41", "aé\r&<b>",
            "aé\r&<b>");
        row("comment and CDATA", store("<![CDATA[<x> & y]]>", "<!-- by hand --><smsdata>"), "+41",
            "<x> & y", "<x> & y");
        row("attributes", store("z", "<smsdata version=\"2\">"), "+41", "z", "z");
        // Control characters that XML can't hold are dropped, as saving the
        // store drops them, instead of the whole store being set aside.
        row("control characters of a hand edit", store(QByteArray("x\x01y\0z", 5) + "&#1;w"), "+41",
            "xyzw", "xyzw");
        row("Latin-1", store("Gr\xFC\xDF", "<?xml version='1.0' encoding='ISO-8859-1'?><smsdata>"),
            "+41", "Grüß", "Grüß");
        row("fields out of order",
            "<smsdata><boxes><inbox><smsitem><id>0</id><tp_da>+41</tp_da><contentstr>moved"
            "</contentstr><pduSrc>0011</pduSrc><tp_scts>0901</tp_scts></smsitem></inbox>"
            "<outbox/><draftbox/></boxes></smsdata>",
            "+41", "moved", "");
    }
    void readsWhatOthersWrote() {
        QFETCH(QByteArray, file);
        QFETCH(QByteArray, number);
        QFETCH(QString, content);
        TestEnv env;
        writeStore(env, file);
        SmsData store;
        SM_PARAM_DECODE alone;
        QCOMPARE(store.selectSmsItem(alone, "inbox", 0), 1);
        QTEST(alone.contentStr, "readAlone");
        QVERIFY(store.saveDom());
        SmsData saved;
        for (SmsData* reader : {&store, &saved}) {
            const SM_PARAM_DECODE listed = listing(*reader, "inbox").value(0);
            QCOMPARE(QByteArray(listed.TPA), number);
            QCOMPARE(QByteArray(listed.TP_SCTS), QByteArray("0901"));
            QCOMPARE(listed.contentStr, content);
            QCOMPARE(listed.pduSrc, QString("0011"));
        }
    }

    void keepsAnUnreadableFileAside() {
        TestEnv env;
        const QByteArray broken = "<smsdata><boxes><inbox><smsitem><id>0</id>";
        writeStore(env, broken);
        SmsData store;
        const QStringList aside =
            QDir(env.dataPath("")).entryList({"sms.xml.unreadable-*"}, QDir::Files);
        QCOMPARE(aside.size(), 1);
        QCOMPARE(TestEnv::readFile(env.dataPath(aside.first())), broken);
        // The store carries on with empty boxes.
        store.appendSmsItem(message("1", "after"), "inbox");
        QVERIFY(store.saveDom());
        QCOMPARE(listing(store, "inbox").size(), 1);
        QVERIFY(TestEnv::readFile(env.dataPath("sms.xml")).contains("after"));
    }

    void failedWriteLeavesTheOldFile() {
        TestEnv env;
        SmsData store;
        store.appendSmsItem(message("1", "stored"), "inbox");
        QVERIFY(store.saveDom());
        const QByteArray before = TestEnv::readFile(env.dataPath("sms.xml"));

        // A full disk: no file may grow past its present size.
        std::signal(SIGXFSZ, SIG_IGN);
        rlimit saved{};
        getrlimit(RLIMIT_FSIZE, &saved);
        rlimit limit = saved;
        limit.rlim_cur = before.size();
        QCOMPARE(setrlimit(RLIMIT_FSIZE, &limit), 0);
        store.appendSmsItem(message("2", QString(500, 'x')), "inbox");
        const bool written = store.saveDom();
        setrlimit(RLIMIT_FSIZE, &saved);
        QVERIFY(!written);
        QCOMPARE(TestEnv::readFile(env.dataPath("sms.xml")), before);
        // The change is still in memory and reaches the file at the next save.
        QVERIFY(store.saveDom());
        QCOMPARE(listing(store, "inbox").size(), 2);
        QVERIFY(TestEnv::readFile(env.dataPath("sms.xml")).contains(QByteArray(500, 'x')));
    }
};

QTEST_GUILESS_MAIN(TestSmsData)
#include "test_smsdata.moc"
