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

QByteArray readAll(const QString& path) {
    return TestEnv::readFile(path);
}

} // namespace

class TestSmsData : public QObject {
    Q_OBJECT
private slots:
    void createsTheStoreWhenMissing() {
        TestEnv env;
        const QByteArray shipped = readAll(env.dataPath("sms.xml"));
        QVERIFY(QFile::remove(env.dataPath("sms.xml")));
        SmsData store;
        // The program writes the same file it ships, indented by 4.
        QCOMPARE(readAll(env.dataPath("sms.xml")), shipped);
        QVERIFY(shipped.contains("\n        <draftbox/>"));
        for (const char* box : {"inbox", "outbox", "draftbox"})
            QCOMPARE(listing(store, box).size(), 0);
    }

    void insertsListsAndReadsBack() {
        TestEnv env;
        {
            SmsData store;
            QCOMPARE(listing(store, "inbox").size(), 0);
            QCOMPARE(store.appendSmsItem(message("+491701234567", QString::fromUtf8("Grüße <&> €")),
                                         "inbox"),
                     0);
            QVERIFY(store.saveDom());
        }
        SmsData reopened;
        const Box inbox = listing(reopened, "inbox");
        QCOMPARE(inbox.keys(), QList<int>{0});
        const SM_PARAM_DECODE& rec = inbox[0];
        QCOMPARE(QByteArray(rec.TPA), QByteArray("+491701234567"));
        QCOMPARE(QByteArray(rec.SCA), QByteArray("0"));
        QCOMPARE(QByteArray(rec.TP_SCTS), QByteArray("090102030405"));
        QCOMPARE(rec.contentStr, QString::fromUtf8("Grüße <&> €"));
        QCOMPARE(rec.state, QString("new"));
        QCOMPARE(rec.TP_PID, '0');

        SM_PARAM_DECODE one;
        QCOMPARE(reopened.selectSmsItem(one, "inbox", 0), 1);
        QCOMPARE(one.contentStr, QString::fromUtf8("Grüße <&> €"));
        QCOMPARE(one.length, 11);
        QCOMPARE(one.pduSrc, QString("0011000381"));
        // Unknown id: found nothing, record untouched; an empty box gives 0.
        SM_PARAM_DECODE untouched = message("1", "keep");
        QCOMPARE(reopened.selectSmsItem(untouched, "inbox", 7), 1);
        QCOMPARE(untouched.contentStr, QString("keep"));
        QCOMPARE(reopened.selectSmsItem(untouched, "outbox", 0), 0);
    }

    void allocatesTheLowestFreeId() {
        Box map;
        QCOMPARE(SmsData::getNoUsedId(&map), 0);
        for (int id : {0, 1, 3})
            map.insert(id, {});
        QCOMPARE(SmsData::getNoUsedId(&map), 2);
        for (int id = 0; id <= 2500; ++id)
            map.insert(id, {});
        QCOMPARE(SmsData::getNoUsedId(&map), 2501);
    }

    void modifyMovesTheMessageToTheEnd() {
        TestEnv env;
        SmsData store;
        for (int i = 0; i < 5; ++i)
            store.appendSmsItem(message("1", QString("text %1").arg(i)), "inbox");
        Box before = listing(store, "inbox");
        SM_PARAM_DECODE changed = before[4];
        changed.state = "read";
        store.modifySmsItem(before, changed, 4, "inbox");
        SmsData reopened;
        Box after = listing(reopened, "inbox");
        QCOMPARE(after.keys(), (QList<int>{0, 1, 2, 3, 5}));
        QCOMPARE(after[5].state, QString("read"));
        QCOMPARE(after[5].contentStr, QString("text 4"));
        // With ids 0 to 5 in the listing, the message becomes 6.
        Box listed = listing(reopened, "inbox");
        listed.insert(4, {});
        SM_PARAM_DECODE again = after[5];
        reopened.modifySmsItem(listed, again, 5, "inbox");
        QCOMPARE(listing(reopened, "inbox").keys(), (QList<int>{0, 1, 2, 3, 6}));
    }

    void readsItemsOutOfOrder() {
        TestEnv env;
        writeStore(env, "<smsdata><boxes><inbox><smsitem>"
                        "<id>3</id><tp_da>+41</tp_da><contentstr>moved</contentstr>"
                        "<tp_smsc>0</tp_smsc><tp_scts>090102030405</tp_scts><state>read</state>"
                        "</smsitem></inbox><outbox/><draftbox/></boxes></smsdata>");
        SmsData store;
        const Box inbox = listing(store, "inbox");
        QCOMPARE(QByteArray(inbox[3].TPA), QByteArray("+41"));
        QCOMPARE(inbox[3].contentStr, QString("moved"));
        QCOMPARE(QByteArray(inbox[3].TP_SCTS), QByteArray("090102030405"));
        // Reading one message takes only the fields at their place.
        SM_PARAM_DECODE rec;
        QCOMPARE(store.selectSmsItem(rec, "inbox", 3), 1);
        QCOMPARE(QByteArray(rec.TPA), QByteArray());
        QCOMPARE(rec.contentStr, QString());
    }

    void keepsTheFileReadableWhateverTheText() {
        TestEnv env;
        {
            SmsData store;
            // A hostile or stored message may carry controls and half characters.
            SM_PARAM_DECODE rec =
                message("1", QString("a") + QChar(1) + "b" + QChar(0xD800) + "c" + QChar(0x1B));
            std::strcpy(rec.TP_UD, "\x02\x11$");
            store.appendSmsItem(rec, "inbox");
            QVERIFY(store.saveDom());
        }
        SmsData reopened;
        const Box inbox = listing(reopened, "inbox");
        QCOMPARE(inbox.size(), 1);
        QCOMPARE(inbox[0].contentStr, QString("abc"));
        QCOMPARE(QByteArray(inbox[0].TP_UD), QByteArray("$"));
    }

    void keepsAnUnreadableFileAside() {
        TestEnv env;
        const QByteArray broken = "<smsdata><boxes><inbox><smsitem><id>0</id>";
        writeStore(env, broken);
        SmsData store;
        const QStringList aside =
            QDir(env.dataPath("")).entryList({"sms.xml.unreadable-*"}, QDir::Files);
        QCOMPARE(aside.size(), 1);
        QCOMPARE(readAll(env.dataPath(aside.first())), broken);
        // The store carries on with empty boxes.
        store.appendSmsItem(message("1", "after"), "inbox");
        QVERIFY(store.saveDom());
        QCOMPARE(listing(store, "inbox").size(), 1);
        QVERIFY(readAll(env.dataPath("sms.xml")).contains("after"));
    }

    void failedWriteLeavesTheOldFile() {
        TestEnv env;
        SmsData store;
        store.appendSmsItem(message("1", "stored"), "inbox");
        QVERIFY(store.saveDom());
        const QByteArray before = readAll(env.dataPath("sms.xml"));

        // A full disk: no file may grow past its present size.
        std::signal(SIGXFSZ, SIG_IGN);
        rlimit saved{};
        getrlimit(RLIMIT_FSIZE, &saved);
        rlimit limit = saved;
        limit.rlim_cur = before.size();
        QCOMPARE(setrlimit(RLIMIT_FSIZE, &limit), 0);
        store.appendSmsItem(message("2", QString(500, 'x')), "inbox");
        const bool saved1 = store.saveDom();
        setrlimit(RLIMIT_FSIZE, &saved);
        QVERIFY(!saved1);
        QCOMPARE(readAll(env.dataPath("sms.xml")), before);
        // The change is still in memory and reaches the file at the next save.
        QVERIFY(store.saveDom());
        QCOMPARE(listing(store, "inbox").size(), 2);
        QVERIFY(readAll(env.dataPath("sms.xml")).contains(QByteArray(500, 'x')));
        QCOMPARE(QDir(env.dataPath("")).entryList({"sms.xml*"}, QDir::Files),
                 QStringList{"sms.xml"});
    }

    // A store written by the DOM serializer of earlier versions reads the
    // same, also after it was written again.
    void readsAndWritesWhatTheDomWrote() {
        TestEnv env;
        QDomDocument doc;
        doc.setContent(QByteArray("<?xml version=\"1.0\" encoding=\"UTF-8\"?><smsdata><boxes>"
                                  "<inbox/><outbox/><draftbox/></boxes></smsdata>"));
        QDomElement inbox = doc.documentElement().firstChildElement().firstChildElement("inbox");
        const QString text = QString::fromUtf8("Line one\r\nline <two> & \"three\" €");
        QDomElement item = doc.createElement("smsitem");
        const QStringList names{"id",    "tp_smsc", "tp_da",      "tp_pid", "tp_dcs", "tp_scts",
                                "tp_ud", "index",   "contentstr", "length", "pduSrc", "state"};
        const QStringList values{"4", "0", "+41", "0",  "0",    "090102030405",
                                 "x", "0", text,  "12", "0011", ""};
        for (int i = 0; i < names.size(); ++i) {
            QDomElement e = doc.createElement(names[i]);
            e.appendChild(doc.createTextNode(values[i]));
            item.appendChild(e);
        }
        inbox.appendChild(item);
        const QByteArray written = doc.toByteArray(4);
        writeStore(env, written);

        SmsData store;
        QCOMPARE(store.countOf("inbox"), 1);
        SM_PARAM_DECODE rec;
        store.selectSmsItem(rec, "inbox", 4);
        QCOMPARE(rec.contentStr, text);
        QCOMPARE(rec.pduSrc, QString("0011"));
        QVERIFY(store.saveDom());
        SmsData reopened;
        SM_PARAM_DECODE again;
        reopened.selectSmsItem(again, "inbox", 4);
        QCOMPARE(again.contentStr, text);
        QCOMPARE(QByteArray(again.TP_SCTS), QByteArray("090102030405"));
        QCOMPARE(listing(reopened, "inbox")[4].state, QString());
    }

    // Files that other tools wrote: what the quick reader of our own format
    // does not take, the general reader does.
    void readsFilesOfOtherWriters_data() {
        QTest::addColumn<QByteArray>("file");
        QTest::addColumn<QString>("content");
        const QByteArray item = "<inbox><smsitem><id>0</id><contentstr>%1</contentstr>"
                                "</smsitem></inbox><outbox/><draftbox/>";
        QTest::newRow("our own, with references")
            << "<smsdata><boxes>" + QByteArray(item).replace("%1", "a&#233;&#xd;&amp;&lt;b&gt;") +
                   "</boxes></smsdata>"
            << QString::fromUtf8("aé\r&<b>");
        QTest::newRow("comment and CDATA")
            << "<!-- kept by hand --><smsdata><boxes>" +
                   QByteArray(item).replace("%1", "<![CDATA[<x> & y]]>") + "</boxes></smsdata>"
            << QString("<x> & y");
        QTest::newRow("attributes")
            << "<smsdata version=\"2\"><boxes>" + QByteArray(item).replace("%1", "z") +
                   "</boxes></smsdata>"
            << QString("z");
        // Control characters that XML can't hold are dropped, as saving the
        // store drops them, instead of the whole store being set aside.
        QTest::newRow("control characters of a hand edit")
            << "<smsdata><boxes>" +
                   QByteArray(item).replace("%1", QByteArray("x\x01y\0z", 5) + "&#1;w") +
                   "</boxes></smsdata>"
            << QString("xyzw");
        QTest::newRow("Latin-1") << "<?xml version='1.0' encoding='ISO-8859-1'?><smsdata><boxes>" +
                                        QByteArray(item).replace("%1", "Gr\xFC\xDF") +
                                        "</boxes></smsdata>"
                                 << QString::fromUtf8("Grüß");
    }
    void readsFilesOfOtherWriters() {
        QFETCH(QByteArray, file);
        QFETCH(QString, content);
        TestEnv env;
        writeStore(env, file);
        SmsData store;
        QCOMPARE(listing(store, "inbox").value(0).contentStr, content);
        // And the same after a save.
        QVERIFY(store.saveDom());
        SmsData saved;
        QCOMPARE(listing(saved, "inbox").value(0).contentStr, content);
    }

    void appendsDeletesAndMarksInPlace() {
        TestEnv env;
        SmsData store;
        for (const char* number : {"1", "2", "3", "4"})
            QCOMPARE(store.appendSmsItem(message(number, "text\r\nend"), "inbox"),
                     QByteArray(number).toInt() - 1);
        QCOMPARE(store.delSmsItems({1, 3, 3, 9}, "inbox"), 2);
        QCOMPARE(store.appendSmsItem(message("5", "x"), "inbox"), 1);   // the lowest free id
        QVERIFY(!readAll(env.dataPath("sms.xml")).contains("smsitem")); // written at the save
        QVERIFY(store.setSmsState("inbox", 2, "read"));
        QVERIFY(!store.setSmsState("inbox", 7, "read"));
        QVERIFY(store.saveDom());
        SmsData reopened;
        const Box inbox = listing(reopened, "inbox");
        QCOMPARE(inbox.keys(), (QList<int>{0, 1, 2}));
        QCOMPARE(QByteArray(inbox[1].TPA), QByteArray("5"));
        QCOMPARE(inbox[2].state, QString("read"));
        QCOMPARE(inbox[0].contentStr, QString("text\r\nend")); // carriage returns kept
        QCOMPARE(reopened.countOf("inbox"), 3);
        QCOMPARE(reopened.countOf("nobox"), 0);
        // The order in the file is kept: 0, 2, then the appended 1.
        const QByteArray file = readAll(env.dataPath("sms.xml"));
        QVERIFY(file.indexOf("<tp_da>1<") < file.indexOf("<tp_da>3<"));
        QVERIFY(file.indexOf("<tp_da>3<") < file.indexOf("<tp_da>5<"));
    }
};

QTEST_GUILESS_MAIN(TestSmsData)
#include "test_smsdata.moc"
