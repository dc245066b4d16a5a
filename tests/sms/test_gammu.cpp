// Checks the PDU codec against gammu's, an independent implementation: what
// we send must read back the same in gammu, and what gammu delivers must
// read the same in our decoder. Each direction is one run of the helper
// script over a batch of cases.

#include "sms/longmessage.h"
#include "sms/pducodec.h"
#include "tests/sms/gammurun.h"

#include <QDateTime>
#include <QJsonDocument>
#include <QJsonObject>
#include <QTest>

namespace {

struct SendCase {
    QString smsc, number, text;
    QString gammuNumber, gammuText; // what gammu must read
};

struct ReceiveCase {
    QString number, text;
    bool unicode;
    QString time;
    QString tpa, content; // what our decoder must read
};

} // namespace

class TestGammu : public QObject {
    Q_OBJECT
private slots:
    void gammuReadsWhatWeSend() {
        const QString ascii = "The quick brown fox jumps over 13 lazy dogs!\"#$%&'()*+,-./:;<=>?@_";
        const QString nonAscii69 = QString(68, 'x') + QChar(0xE9);
        const QList<SendCase> cases = {
            {"+1234567890", "01701234567", ascii, "01701234567", ascii},
            {"", "0171234", "a[b]c{d}e~f|g^h\\i\fj", "0171234", "a[b]c{d}e~f|g^h\\i\fj"},
            {"0123456", "123", "two\nlines\r", "123", "two\nlines\r"},
            // A leading 00 is an international number like "+".
            {"00491710760000", "00491701234567", "hi", "+491701234567", "hi"},
            {"+1234567890", "+41", QString::fromUtf8("5 € for Привет, 你好"), "+41",
             QString::fromUtf8("5 € for Привет, 你好")},
            {"+1", "+41", nonAscii69, "+41", nonAscii69},
            {"+1", "+41", nonAscii69 + "y", "+41", nonAscii69 + "y"},
            {"+1", "+41", QString(80, '{'), "+41", QString(80, '{')},
            // The grave accent has no septet: it goes out as "@".
            {"+1", "+41", "a`b", "+41", "a@b"},
        };

        QByteArray input;
        for (const SendCase& c : cases) {
            const QStringList pdus = encodeMessage(c.smsc, c.number, c.text, {}, 1);
            QCOMPARE(pdus.size(), 1);
            input += pdus.first().toLatin1() + '\n';
        }
        const QList<QByteArray> results = runGammu("decode", input);
        QCOMPARE(results.size(), cases.size());
        for (int i = 0; i < cases.size(); ++i) {
            const QJsonObject r = QJsonDocument::fromJson(results[i]).object();
            const SendCase& c = cases[i];
            QVERIFY2(!r.contains("error"), qPrintable(c.text + ": " + r["error"].toString()));
            QCOMPARE(r["number"].toString(), c.gammuNumber);
            // gammu counts a 7-bit text's characters as its septets, so
            // after escape sequences it reads on past the text's end.
            const QString text = r["text"].toString();
            QCOMPARE(escapes(c.gammuText) ? text.left(c.gammuText.size()) : text, c.gammuText);
            QCOMPARE(r["smsc"].toString(), c.smsc.startsWith("00") ? "+" + c.smsc.mid(2)
                                           : c.smsc.isEmpty()      ? QString()
                                                                   : c.smsc);
        }
    }

    void weReadWhatGammuDelivers() {
        const QString gsm =
            QString::fromUtf8("Ab1 @£$¥èéùìòÇØøÅåΔ_ΦΓΛΩΠΣΞÆæßÉ!\"#¤%&'()*+,-./:;<=>?¡ÖÜ§¿äöüà");
        const QList<ReceiveCase> cases = {
            {"+491701234567", "hello world", false, "2009-01-02T03:04:05", "+491701234567",
             "hello world"},
            // A national number keeps its form: no "+".
            {"01701234567", "national", false, "2019-12-31T23:59:58", "01701234567", "national"},
            {"MyBank", "Your code is 1234", false, "2024-02-29T12:00:00", "MyBank",
             "Your code is 1234"},
            {"+41", gsm, false, "2010-10-10T10:10:10", "+41", gsm},
            {"+41", "{x} 5€ [y] ~|^\\", false, "2010-10-10T10:10:10", "+41", "{x} 5€ [y] ~|^\\"},
            // The receive table shows psi and theta in lower case and 0x5B and
            // 0x5D, which the alphabet gives to A and N with diaeresis and
            // tilde, as brackets.
            {"+41", QString::fromUtf8("ΨΘÄÑ"), false, "2010-10-10T10:10:10", "+41",
             QString::fromUtf8("ψθ[]")},
            {"+41", QString::fromUtf8("Grüße, Привет, 你好, €"), true, "2011-11-11T11:11:11", "+41",
             QString::fromUtf8("Grüße, Привет, 你好, €")},
            {"+41", QString(70, QChar(0x4F60)), true, "2011-11-11T11:11:11", "+41",
             QString(70, QChar(0x4F60))},
        };

        QByteArray input;
        for (const ReceiveCase& c : cases) {
            QJsonObject o{
                {"number", c.number}, {"text", c.text}, {"unicode", c.unicode}, {"time", c.time}};
            input += QJsonDocument(o).toJson(QJsonDocument::Compact) + '\n';
        }
        const QList<QByteArray> pdus = runGammu("deliver", input);
        QCOMPARE(pdus.size(), cases.size());
        for (int i = 0; i < cases.size(); ++i) {
            const ReceiveCase& c = cases[i];
            SM_PARAM_DECODE d;
            const int n = int(c.text.size());
            QCOMPARE(gsmDecodePart(pdus[i].constData(), &d, true, nullptr),
                     c.unicode ? 2 * n : n + escapes(c.text));
            QCOMPARE(QString::fromLatin1(d.TPA), c.tpa);
            QCOMPARE(d.contentStr, c.content);
            QCOMPARE(QString::fromLatin1(d.SCA), QString("1234567890"));
            // The time stamp: yyMMddhhmmss and the zone's two semi-octets.
            const QDateTime time = QDateTime::fromString(c.time, Qt::ISODate);
            QCOMPARE(QString::fromLatin1(d.TP_SCTS), time.toString("yyMMddhhmmss") + "00");
        }
    }

    // Long messages: gammu links the parts we send back into the text, and
    // the parts gammu sends (8- and 16-bit references) carry the text in
    // order with their headers.
    void longMessagesBothWays() {
        const QList<QString> texts = {
            QString("The quick brown fox jumps over the lazy dog. ").repeated(9).left(400),
            QString::fromUtf8("Grüße aus München, € und Привет! ").repeated(5).left(150),
            QString("{[~]} escapes at every boundary |^\\ ").repeated(8),
            QString::fromUtf8("emoji 😀 across parts ").repeated(9),
        };
        QByteArray input;
        for (const QString& text : texts)
            input +=
                encodeMessage("+491760000443", "+491711234567", text, {}, 42).join(' ').toLatin1() +
                '\n';
        const QList<QByteArray> linked = runGammu("link", input);
        QCOMPARE(linked.size(), texts.size());
        for (int i = 0; i < texts.size(); ++i) {
            const QJsonObject r = QJsonDocument::fromJson(linked[i]).object();
            QVERIFY2(!r.contains("error"), qPrintable(r["error"].toString()));
            QCOMPARE(r["messages"].toInt(), 1);
            QCOMPARE(r["parts"].toInt(), partCount(texts[i]));
            QCOMPARE(r["text"].toString(), texts[i]);
        }

        QByteArray cases;
        for (const QString& text : texts) {
            for (bool wide : {false, true}) {
                QJsonObject o{{"number", "+491711234567"},
                              {"text", text},
                              {"unicode", needsUcs2(text)},
                              {"time", "2026-12-01T07:30:00"},
                              {"wide", wide}};
                cases += QJsonDocument(o).toJson(QJsonDocument::Compact) + '\n';
            }
        }
        const QList<QByteArray> delivered = runGammu("deliver-long", cases);
        QCOMPARE(delivered.size(), 2 * texts.size());
        for (int i = 0; i < delivered.size(); ++i) {
            const QList<QByteArray> pdus = delivered[i].split(' ');
            QVERIFY(pdus.size() > 1);
            QString text;
            for (int n = 0; n < pdus.size(); ++n) {
                SM_PARAM_DECODE rec;
                std::optional<ConcatInfo> info;
                gsmDecodePart(pdus[n].constData(), &rec, true, &info);
                QVERIFY(info);
                QCOMPARE(info->wideReference, i % 2 == 1);
                QCOMPARE(info->total, int(pdus.size()));
                QCOMPARE(info->sequence, n + 1);
                text += rec.contentStr;
            }
            QCOMPARE(text, texts[i / 2]);
        }
    }

private:
    // Septets that a 7-bit text of the extension table needs beyond one per character.
    static int escapes(const QString& text) {
        int n = 0;
        for (QChar c : text)
            n += QString("{}[]~|^\\\f€").contains(c);
        return n;
    }
};

QTEST_GUILESS_MAIN(TestGammu)
#include "test_gammu.moc"
