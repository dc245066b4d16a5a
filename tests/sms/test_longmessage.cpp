// Long messages as parts, the counter's part numbers, the send options of
// the message settings and the centre they go through.

#include "settings/settingsfiles.h"
#include "sms/longmessage.h"
#include "sms/smssend.h"

#include <QTest>

namespace {

const QString kCentre = "+491760000443";
const QString kEuro = QString(QChar(0x20AC));
const QString kSmile = QString::fromUtf8("\xF0\x9F\x98\x80"); // two UTF-16 units

// The message the parts of `pdus` carry, read back with our decoder: the
// texts in order, and each part's header.
QString readBack(const QStringList& pdus, QList<ConcatInfo>* headers) {
    QString text;
    for (const QString& pdu : pdus) {
        SM_PARAM_DECODE rec;
        std::optional<ConcatInfo> info;
        gsmDecodePart(pdu.toLatin1().constData(), &rec, false, &info);
        if (info)
            headers->append(*info);
        text += rec.contentStr;
    }
    return text;
}

} // namespace

class TestLongMessage : public QObject {
    Q_OBJECT
private slots:
    void splitsWithoutBreakingCharacters_data() {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QList<int>>("sizes"); // characters per part
        QTest::newRow("160 septets, one message") << QString(160, 'a') << QList<int>{160};
        QTest::newRow("161 septets, two parts") << QString(161, 'a') << QList<int>{153, 8};
        QTest::newRow("escape pair not split")
            << QString(152, 'a') + "{" + QString(10, 'b') << QList<int>{152, 11};
        QTest::newRow("escapes count twice") << QString(80, '[') << QList<int>{80};
        QTest::newRow("81 escapes") << QString(81, ']') << QList<int>{76, 5};
        QTest::newRow("400 7-bit, three parts") << QString(400, 'x') << QList<int>{153, 153, 94};
        QTest::newRow("70 UCS2, one message") << QString(70, QChar(0xE9)) << QList<int>{70};
        QTest::newRow("71 UCS2, two parts") << QString(71, QChar(0xE9)) << QList<int>{67, 4};
        QTest::newRow("150 UCS2, three parts") << kEuro.repeated(150) << QList<int>{67, 67, 16};
        QTest::newRow("surrogate pair not split")
            << QString(66, QChar(0xE9)) + kSmile + "zzzzz" << QList<int>{66, 7};
        QTest::newRow("empty") << QString() << QList<int>{0};
    }
    void splitsWithoutBreakingCharacters() {
        QFETCH(QString, text);
        QFETCH(QList<int>, sizes);
        const QStringList parts = splitMessage(text, needsUcs2(text));
        QList<int> got;
        for (const QString& p : parts)
            got << int(p.size());
        QCOMPARE(got, sizes);
        QCOMPARE(parts.join(QString()), text);
        QCOMPARE(partCount(text), int(sizes.size()));
    }

    void partsCarryTheirHeaders() {
        for (const QString& text : {QString(400, 'x') + "{}", kEuro.repeated(150),
                                    QString(140, 'a') + kSmile.repeated(40)}) {
            const QStringList pdus = encodeMessage(kCentre, "+491711234567", text, {}, 300);
            QCOMPARE(pdus.size(), partCount(text));
            QList<ConcatInfo> headers;
            QCOMPARE(readBack(pdus, &headers), text);
            QCOMPARE(headers.size(), pdus.size());
            for (int i = 0; i < headers.size(); ++i) {
                QCOMPARE(headers[i].reference, 300 % 256);
                QCOMPARE(headers[i].total, int(pdus.size()));
                QCOMPARE(headers[i].sequence, i + 1);
                QVERIFY(!headers[i].wideReference);
            }
        }
        QCOMPARE(tpduLength("0691214365870911000A91907856341200000005E8329BFD06"), 18);
        QCOMPARE(tpduLength("0711"), -1);
        QCOMPARE(tpduLength("zz11000A"), -1);
        // Six parts are more than the counter offers: nothing is encoded.
        QVERIFY(encodeMessage(kCentre, "+41", QString(6 * 153, 'a'), {}, 1).isEmpty());
        QCOMPARE(encodeMessage(kCentre, "+41", QString(5 * 153, 'a'), {}, 1).size(), 5);
        // A number of more than 20 digits is no address.
        QVERIFY(encodeMessage(kCentre, QString(21, '1'), "hi", {}, 1).isEmpty());
        QVERIFY(encodeMessage(kCentre, ";", "hi", {}, 1).isEmpty());
        // Letters or control characters in a number are refused, not dropped
        // (a sender's name would make a number of its digits); the blanks,
        // dashes and parentheses people write are fine.
        for (const char* number : {"A1B2", "0301\r\nAT", "+49+30", "0301\x1a"})
            QVERIFY2(encodeMessage(kCentre, number, "hi", {}, 1).isEmpty(), number);
        QCOMPARE(encodeMessage(kCentre, "+49 (30) 123-45/6.7", "hi", {}, 1),
                 encodeMessage(kCentre, "+49301234567", "hi", {}, 1));
    }

    void settingsChooseValidityAndReport_data() {
        QTest::addColumn<int>("validPeriod");
        QTest::addColumn<int>("deliveReport");
        QTest::addColumn<QString>("start"); // first octet and message reference
        QTest::addColumn<QString>("validity");
        const auto row = [](const char* tag, int period, int report, const char* start,
                            const char* validity) {
            QTest::newRow(tag) << period << report << QString(start) << QString(validity);
        };
        row("defaults: as always", 3, 1, "1100", "00");
        row("12 hours", 0, 1, "1100", "8F");
        row("a day, report", 1, 0, "3100", "A7");
        row("a week", 2, 1, "1100", "AD");
        row("out of range: as the default", 9, 1, "1100", "00");
    }
    void settingsChooseValidityAndReport() {
        QFETCH(int, validPeriod);
        QFETCH(int, deliveReport);
        QFETCH(QString, start);
        QFETCH(QString, validity);
        MessageSettings settings;
        settings.validPeriod = validPeriod;
        settings.deliveReport = deliveReport;
        const QString pdu = encodeMessage("", "123", "hi", submitOptionsFor(settings), 1).value(0);
        // 01 81 (no centre), then first octet, reference, 03 81 21F3, PID, DCS, VP.
        QCOMPARE(pdu.mid(4, 4), start);
        QCOMPARE(pdu.mid(20, 2), validity);
    }

    // The modem's centre before the settings' (the page's tests send through
    // either); the recipients' line is the page's too.
    void centreOfTheModemFirst() {
        MessageSettings settings;
        QCOMPARE(serviceCentreFor("+4917600", settings), QString("+4917600"));
        QCOMPARE(serviceCentreFor("", settings), QString());
        settings.smsCenter = " +4917611 ";
        QCOMPARE(serviceCentreFor("", settings), QString("+4917611"));
        QCOMPARE(serviceCentreFor("+4917600", settings), QString("+4917600"));
    }
};

QTEST_GUILESS_MAIN(TestLongMessage)
#include "test_longmessage.moc"
