// How the bytes the modem sends are cut into whole lines and notices,
// whatever pieces they arrive in; and how command lines are assembled from
// callers' arguments.

#include "modem/atframing.h"
#include "modem/atline.h"

#include <QTest>

class TestFraming : public QObject {
    Q_OBJECT
private slots:
    void framing_data() {
        QTest::addColumn<QByteArray>("input");
        QTest::addColumn<QString>("lines");   // joined by '|'
        QTest::addColumn<QString>("notices"); // joined by '|'
        QTest::addColumn<QByteArray>("partial");
        const auto row = [](const char* tag, const QByteArray& input, const QString& lines,
                            const QString& notices = {}, const QByteArray& partial = {}) {
            QTest::newRow(tag) << input << lines << notices << partial;
        };
        row("echo, answer, final", "AT+CSQ\r\r\n+CSQ: 15,99\r\n\r\nOK\r\n",
            "AT+CSQ|+CSQ: 15,99|OK");
        row("no echo, bare line feeds", "\n+CSQ: 15,99\n\nOK\n", "+CSQ: 15,99|OK");
        row("prompt stays unfinished", "AT+CMGS=18\r\r\n> ", "AT+CMGS=18", "", "> ");
        row("OK without line end", "AT\r\r\nOK", "AT", "", "OK");
        row("between replies", "AT\r\r\nOK\r\n\r\n+CMTI: \"ME\",1\r\nAT+CSQ\r", "AT|OK|AT+CSQ",
            "+CMTI: \"ME\",1");
        row("in a reply, before the echo",
            "+CMTI: \"SM\",1\r\nAT+CPMS=\"SM\"\r\r\n+CPMS: 1,20\r\n\r\nOK\r\n",
            "AT+CPMS=\"SM\"|+CPMS: 1,20|OK", "+CMTI: \"SM\",1");
        row("two, the line start of others kept",
            "\r\n+CMTI: \"SM\",2\r\n+CME ERROR: 10\r\n+CMTI: \"ME\",3\r\n+CMT", "+CME ERROR: 10",
            "+CMTI: \"SM\",2|+CMTI: \"ME\",3");
        row("not at a line start", "AT+X=\"+CMTI: \"\r\nOK\r\n", "AT+X=\"+CMTI: \"|OK");
        row("status report with its PDU line", "\r\n+CDS: 6\r\n0006D60B911326880736F4\r\nOK\r\n",
            "OK", "+CDS: 6\r\n0006D60B911326880736F4");
        row("quoted line ends of a wrapping notice",
            "AT\r\r\nOK\r\n+CUSD: 1,\"Menu\r\n1 Balance\r\n\",15\r\nAT\r", "AT|OK|AT",
            "+CUSD: 1,\"Menu\r\n1 Balance\r\n\",15");
        row("a notice that doesn't wrap ends at its line end", "+CMTI: \"SM,1\r\nOK\r\n", "OK",
            "+CMTI: \"SM,1");
        row("an unclosed quote ends after the wrapped lines",
            "+CUSD: 1,\"x\r\n" + QByteArray("a\r\n").repeated(24) + "OK\r\n", "OK",
            "+CUSD: 1,\"x\r\n" + QString("a\r\n").repeated(23) + "a");
        row("overlong line cut", QByteArray(AtFraming::kLongestLine + 100, 'A') + "\r\nOK\r\n",
            QString(AtFraming::kLongestLine, 'A') + "|OK");
    }
    // Whole and in pieces of 1, 2 and 5 bytes: the same lines, notices and
    // unfinished line.
    void framing() {
        QFETCH(QByteArray, input);
        QFETCH(QString, lines);
        QFETCH(QString, notices);
        QFETCH(QByteArray, partial);
        for (const qsizetype piece : {input.size(), qsizetype(1), qsizetype(2), qsizetype(5)}) {
            AtFraming framing;
            QStringList gotLines, gotNotices;
            for (qsizetype at = 0; at < input.size(); at += piece) {
                const QByteArrayView chunk =
                    QByteArrayView(input).sliced(at, qMin(piece, input.size() - at));
                for (const AtEvent& event : framing.feed(chunk))
                    (event.kind == AtEvent::Line ? gotLines : gotNotices)
                        .append(QString::fromLatin1(event.text));
            }
            QCOMPARE(gotLines.join('|'), lines);
            QCOMPARE(gotNotices.join('|'), notices);
            QCOMPARE(framing.partial(), partial);
        }
    }

    void commandLines() {
        QCOMPARE(AtLine("AT+CPIN=\"").quoted("1234").text("\"").line(),
                 QByteArray("AT+CPIN=\"1234\"\r\n"));
        QCOMPARE(AtLine("AT+CMGR=").number(12).line(), QByteArray("AT+CMGR=12\r\n"));
        // Arguments that would end the line are refused (quotes, CR LF, ^Z and
        // ESC in the commands' arguments: "unsafe arguments" of test_statuscommands).
        QVERIFY(AtLine("AT+CMGR=").arg("1\n").line().isEmpty());
        QVERIFY(AtLine("AT+CMGR=").arg(nullptr).line().isEmpty());
        // Verbatim arguments may carry their own quotes.
        QCOMPARE(AtLine("AT+COPS=").arg("1").text(",").arg("\"00101\"").line(),
                 QByteArray("AT+COPS=1,\"00101\"\r\n"));
        // The line with its "\r\n" and the NUL fits 200 bytes, or is refused.
        const QByteArray fits(AT_COMMAND_SIZE - 3 - 8, '1');
        QCOMPARE(AtLine("AT+CMGR=").arg(fits.constData()).line().size(), AT_COMMAND_SIZE - 1);
        const QByteArray tooLong(AT_COMMAND_SIZE - 2 - 8, '1');
        QVERIFY(AtLine("AT+CMGR=").arg(tooLong.constData()).line().isEmpty());
    }
};

QTEST_GUILESS_MAIN(TestFraming)
#include "test_framing.moc"
