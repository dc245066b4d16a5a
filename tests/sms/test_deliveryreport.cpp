#include "sms/deliveryreport.h"
#include "sms/smsdataoperation.h"
#include "sms/smssend.h"

#include "tests/support/testenv.h"

#include <QFile>
#include <QTest>

namespace {

PartDelivery part(int reference, int status = -1, const QString& time = {}) {
    return {reference, status, time};
}

StatusReport report(int reference, const QString& recipient, int status,
                    const QString& time = "26120715300104") {
    return {reference, recipient, "26120715300004", time, status};
}

// One sent record per message, with its parts' references.
int send(SmsData& store, const QString& number, const QString& text, QList<int> references) {
    SM_PARAM_DECODE rec = composedRecord(number, text, "261207152959", {}, "send");
    for (int reference : references)
        rec.delivery << part(reference);
    return store.appendSmsItem(rec, "outbox");
}

QMap<int, SM_PARAM_DECODE> outbox() {
    SmsData store;
    QMap<int, SM_PARAM_DECODE> map;
    store.getPcAllSmsItem(map, "outbox");
    return map;
}

} // namespace

class TestDeliveryReport : public QObject {
    Q_OBJECT
private slots:
    void numbersMatch_data() {
        QTest::addColumn<QString>("a");
        QTest::addColumn<QString>("b");
        QTest::addColumn<bool>("same");
        const auto row = [](const char* tag, const char* a, const char* b, bool same) {
            QTest::newRow(tag) << QString(a) << QString(b) << same;
        };
        row("national and international", "01701234567", "+491701234567", true);
        row("00 prefix", "00491701234567", "+491701234567", true);
        row("blanks and dashes", "0170 123-4567", "+491701234567", true);
        row("short code", "50131", "50131", true);
        row("short code inside a number", "50131", "+4915050131", false);
        row("other line", "01701234568", "+491701234567", false);
        row("empty", "", "", false);
    }
    void numbersMatch() {
        QFETCH(QString, a);
        QFETCH(QString, b);
        QFETCH(bool, same);
        QCOMPARE(sameNumber(a, b), same);
        QCOMPARE(sameNumber(b, a), same);
    }

    // What the outbox shows for the parts' reports, and how they are kept.
    void statesShowTheParts_data() {
        QTest::addColumn<QString>("stored");
        QTest::addColumn<QString>("shown");
        const auto row = [](const char* tag, const char* stored, const char* shown) {
            QTest::newRow(tag) << QString(stored) << QString(shown);
        };
        row("awaiting", "12", "sent, awaiting report");
        row("delivered", "12/0/26120715301204", "delivered 12-07 15:30");
        row("forwarded, not confirmed", "12/1/26120715301204", "delivered 12-07 15:30");
        row("one part of two", "12/0/26120715301204 13", "sent, awaiting report");
        row("both parts, the later time", "12/0/26120715301204 13/0/26120715310004",
            "delivered 12-07 15:31");
        row("still trying", "12/33/26120715301204", "sent, still trying: recipient busy");
        row("failed part decides", "12/0/26120715301204 13/70/26120815301204",
            "failed: validity period expired");
        row("gave up trying", "12/98/26120715301204", "failed: no response from the recipient");
        row("time missing", "12/0/", "delivered");
        row("reserved status", "12/200/26120715301204", "failed: error c8");
        row("damaged entries left out", "x 12/0/26120715301204 300 13/-1/1 14/0",
            "sent, awaiting report");
    }
    void statesShowTheParts() {
        QFETCH(QString, stored);
        QFETCH(QString, shown);
        const QList<PartDelivery> parts = deliveryFromText(stored);
        QCOMPARE(deliveryStateText(parts), shown);
        QCOMPARE(deliveryFromText(deliveryToText(parts)), parts);
    }

    // Two messages to the same number, one of two parts; the reports come
    // out of order, once more, and for messages the outbox doesn't hold.
    void reportsFindTheirMessage() {
        TestEnv env;
        QFile::remove(env.dataPath("sms.xml"));
        {
            SmsData store;
            QCOMPARE(send(store, "+491701234567", "first", {41}), 0);
            QCOMPARE(send(store, "01701234567", "second", {42, 43}), 1);
            QCOMPARE(send(store, "+491709999999", "other", {42}), 2);
            store.appendSmsItem(
                composedRecord("+491701234567", "no report asked", "261207153000", {}, "send"),
                "outbox");
            QVERIFY(store.saveDom());
        }
        SmsData store;
        QCOMPARE(applyStatusReport(store, report(43, "+491701234567", 0)), 1);
        QCOMPARE(applyStatusReport(store, report(41, "+491701234567", 0x21)), 0);
        QCOMPARE(applyStatusReport(store, report(42, "+491701234567", 0x46)), 1);
        QCOMPARE(applyStatusReport(store, report(41, "+441701234567", 0)), -1);
        // The centre still tried the first: its final report replaces that.
        QCOMPARE(applyStatusReport(store, report(41, "+491701234567", 0)), 0);
        QCOMPARE(applyStatusReport(store, report(41, "+491701234567", 0)), -1);
        QCOMPARE(applyStatusReport(store, report(99, "+491701234567", 0)), -1);
        QVERIFY(store.saveDom());

        const QMap<int, SM_PARAM_DECODE> box = outbox();
        QCOMPARE(box.value(0).delivery, QList<PartDelivery>{part(41, 0, "26120715300104")});
        QCOMPARE(box.value(1).delivery, (QList<PartDelivery>{part(42, 0x46, "26120715300104"),
                                                             part(43, 0, "26120715300104")}));
        QCOMPARE(box.value(2).delivery, QList<PartDelivery>{part(42)});
        QVERIFY(box.value(3).delivery.isEmpty());
        QCOMPARE(TestEnv::readFile(env.dataPath("sms.xml")).count("<delivery>"), 3);
    }
};

QTEST_GUILESS_MAIN(TestDeliveryReport)
#include "test_deliveryreport.moc"
