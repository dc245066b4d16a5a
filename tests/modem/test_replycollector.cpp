// Where a reply ends and which notices are taken out of the bytes, whatever
// pieces the bytes arrive in; and how command lines are assembled from
// callers' arguments.

#include "modem/atline.h"
#include "modem/noticefilter.h"
#include "modem/replycollector.h"
#include "modem/serialthread.h"

#include <QRandomGenerator>
#include <QTest>

#include <iterator>

class TestReplyCollector : public QObject {
    Q_OBJECT
private slots:
    void ends_data() {
        QTest::addColumn<QByteArray>("input");
        QTest::addColumn<QByteArray>("reply"); // empty: the reply doesn't end
        QTest::newRow("ok") << QByteArray("AT\r\r\nOK\r\n") << QByteArray("AT\r\r\nOK\r\n");
        QTest::newRow("prompt") << QByteArray("AT+CMGS=18\r\r\n> rest")
                                << QByteArray("AT+CMGS=18\r\r\n> ");
        QTest::newRow("error") << QByteArray("AT+X\r\r\nERROR\r\nmore")
                               << QByteArray("AT+X\r\r\nERROR\r\n");
        QTest::newRow("cme whole line")
            << QByteArray("AT+CPIN?\r\r\n+CME ERROR: SIM busy\r\n+CMTI: \"ME\",1\r\n")
            << QByteArray("AT+CPIN?\r\r\n+CME ERROR: SIM busy\r\n");
        QTest::newRow("cms whole line") << QByteArray("AT+CMGS=18\r\r\n+CMS ERROR: 500\r\nX")
                                        << QByteArray("AT+CMGS=18\r\r\n+CMS ERROR: 500\r\n");
        QTest::newRow("not support") << QByteArray("AT+YCPBR=?\r\r\nnot support\r\n")
                                     << QByteArray("AT+YCPBR=?\r\r\nnot support\r\n");
        QTest::newRow("no carrier")
            << QByteArray("ATD*99#\r\r\nNO CARRIER\r\n") << QByteArray("ATD*99#\r\r\nNO CARRIER");
        QTest::newRow("earliest end wins")
            << QByteArray("AT\r\r\nOK\r\nERROR\r\n") << QByteArray("AT\r\r\nOK\r\n");
        QTest::newRow("OK without line end") << QByteArray("AT\r\r\nOK") << QByteArray();
        QTest::newRow("cme without line end")
            << QByteArray("AT\r\r\n+CME ERROR: 10") << QByteArray();
    }
    // Fed whole, byte by byte, and in pieces of 3: the same end every time,
    // and the bytes after it are left over.
    void ends() {
        QFETCH(QByteArray, input);
        QFETCH(QByteArray, reply);
        for (const qsizetype piece : {input.size(), qsizetype(1), qsizetype(3)}) {
            ReplyCollector collector(AT_REPLY_SIZE);
            QByteArray left;
            for (qsizetype at = 0; at < input.size(); at += piece) {
                const QByteArray chunk = input.mid(at, piece);
                const qsizetype used = collector.feed(chunk);
                left += chunk.mid(used);
            }
            QCOMPARE(collector.finished(), !reply.isEmpty());
            if (!reply.isEmpty()) {
                QCOMPARE(collector.text(), reply);
                QCOMPARE(left, input.mid(reply.size()));
            }
        }
    }

    // With the echo of the line just written (from a modem that echoes), a
    // final result that comes before it was left by a command that gave up:
    // it is dropped, an error line too, and the reply is the command's own.
    void staleFinals() {
        struct Case {
            QByteArray input, reply, echo;
            int stale;
        };
        const Case cases[] = {
            {"\r\nERROR\r\nAT+CSQ\r\r\n+CSQ: 15,99\r\n\r\nOK\r\n",
             "AT+CSQ\r\r\n+CSQ: 15,99\r\n\r\nOK\r\n", "AT+CSQ", 1},
            {"AT+CGSN\r\r\n35\r\nOK\r\n+CME ERROR: 10\r\nAT\r\r\nOK\r\n", "AT\r\r\nOK\r\n", "AT",
             2},
            {"AT+CSQ\r\r\nOK\r\n", "AT+CSQ\r\r\nOK\r\n", "AT+CSQ", 0},
        };
        for (const Case& c : cases) {
            for (const qsizetype piece : {c.input.size(), qsizetype(1), qsizetype(3)}) {
                ReplyCollector collector(AT_REPLY_SIZE, c.echo);
                for (qsizetype at = 0; at < c.input.size() && !collector.finished(); at += piece)
                    collector.feed(c.input.mid(at, piece));
                QCOMPARE(collector.text(), c.reply);
                QCOMPARE(collector.stale(), c.stale);
            }
        }
    }

    void notices_data() {
        QTest::addColumn<QByteArray>("input");
        QTest::addColumn<QByteArray>("rest");
        QTest::addColumn<QString>("notices");
        QTest::newRow("between replies")
            << QByteArray("AT\r\r\nOK\r\n\r\n+CMTI: \"ME\",1\r\nAT+CSQ\r")
            << QByteArray("AT\r\r\nOK\r\n\r\nAT+CSQ\r") << "+CMTI: \"ME\",1";
        QTest::newRow("in a reply, before the echo")
            << QByteArray("+CMTI: \"SM\",1\r\nAT+CPMS=\"SM\"\r\r\n+CPMS: 1,20\r\n\r\nOK\r\n")
            << QByteArray("AT+CPMS=\"SM\"\r\r\n+CPMS: 1,20\r\n\r\nOK\r\n") << "+CMTI: \"SM\",1";
        QTest::newRow("two, the line start of others kept")
            << QByteArray("\r\n+CMTI: \"SM\",2\r\n+CME ERROR: 10\r\n+CMTI: \"ME\",3\r\n+CMT")
            << QByteArray("\r\n+CME ERROR: 10\r\n") << "+CMTI: \"SM\",2|+CMTI: \"ME\",3";
        QTest::newRow("not at a line start") << QByteArray("AT+X=\"+CMTI: \"\r\nOK\r\n")
                                             << QByteArray("AT+X=\"+CMTI: \"\r\nOK\r\n") << "";
        QTest::newRow("quoted line ends of a wrapping notice")
            << QByteArray("AT\r\r\nOK\r\n+CUSD: 1,\"Menu\r\n1 Balance\r\n\",15\r\nAT\r")
            << QByteArray("AT\r\r\nOK\r\nAT\r") << "+CUSD: 1,\"Menu\r\n1 Balance\r\n\",15";
        QTest::newRow("a notice that doesn't wrap ends at its line end")
            << QByteArray("+CMTI: \"SM,1\r\nOK\r\n") << QByteArray("OK\r\n") << "+CMTI: \"SM,1";
        QTest::newRow("an unclosed quote ends after the wrapped lines")
            << "+CUSD: 1,\"x\r\n" + QByteArray("a\r\n").repeated(24) + "OK\r\n"
            << QByteArray("OK\r\n") << "+CUSD: 1,\"x\r\n" + QString("a\r\n").repeated(23) + "a";
        QTest::newRow("prompt passes")
            << QByteArray("AT+CMGS=18\r\r\n> ") << QByteArray("AT+CMGS=18\r\r\n> ") << "";
    }
    // Whole and in pieces of 1, 2 and 5 bytes: the same notices, and the
    // rest unchanged (a line that may still become a notice is held back).
    void notices() {
        QFETCH(QByteArray, input);
        QFETCH(QByteArray, rest);
        QFETCH(QString, notices);
        for (const qsizetype piece : {input.size(), qsizetype(1), qsizetype(2), qsizetype(5)}) {
            NoticeFilter filter;
            filter.addPrefix("+CMTI:");
            filter.addPrefix("+CUSD:", 0, true);
            QList<QByteArray> found;
            QByteArray passed;
            for (qsizetype at = 0; at < input.size(); at += piece)
                passed += filter.feed(
                    QByteArrayView(input).sliced(at, qMin(piece, input.size() - at)), &found);
            QCOMPARE(passed, rest);
            QCOMPARE(QString::fromLatin1(found.join('|')), notices);
        }
    }

    // Random streams built from pieces of the end marks: cutting them into
    // random pieces never changes where the reply ends; the classifier takes
    // them without fault.
    void randomPieces() {
        static const char* const parts[] = {
            "OK", "\r", "\n", "\r\n",        "ERROR",      "+CME ERROR", "+CMS ERROR: 5",
            "> ", ">",  " ",  "not support", "NO CARRIER", "AT+CPIN?",   "AT+CSQ\r\n+CSQ: ",
            "x"};
        QRandomGenerator random(20261206);
        for (int round = 0; round < 2000; ++round) {
            QByteArray input;
            const int count = random.bounded(1, 30);
            for (int i = 0; i < count; ++i)
                input += parts[random.bounded(int(std::size(parts)))];

            ReplyCollector whole(AT_REPLY_SIZE);
            const qsizetype used = whole.feed(input);
            ReplyCollector pieces(AT_REPLY_SIZE);
            qsizetype usedInPieces = 0;
            for (qsizetype at = 0; at < input.size() && !pieces.finished();) {
                const qsizetype size = random.bounded(1, 6);
                usedInPieces += pieces.feed(input.mid(at, size));
                at += size;
            }
            QCOMPARE(pieces.finished(), whole.finished());
            QCOMPARE(pieces.text(), whole.text());
            QCOMPARE(usedInPieces, used);

            QByteArray buffer = input;
            buffer.resize(AT_REPLY_SIZE, '\0');
            const int code = Parse_At_Res(buffer.data());
            QVERIFY(code >= 0 && code <= AT_UNKNOWN);
        }
    }

    // An overlong reply keeps its first bytes and still ends on its OK.
    void overlong() {
        ReplyCollector collector(100);
        const QByteArray body(5000, 'A');
        QCOMPARE(collector.feed(body), body.size());
        QVERIFY(!collector.finished());
        QCOMPARE(collector.feed(QByteArray("\r\nO")), 3);
        QCOMPARE(collector.feed(QByteArray("K\r\nrest")), 3);
        QVERIFY(collector.finished());
        QCOMPARE(collector.text(), body.left(100));
        QCOMPARE(collector.received(), body.size() + 6);
    }

    // What an unfinished reply leaves: up to an error mark, else nothing.
    void unfinished() {
        ReplyCollector plain(AT_REPLY_SIZE);
        plain.feed(QByteArray("AT+CSQ\r\r\n+CSQ: 15,99\r\n"));
        QVERIFY(plain.textBeforeEnd().isEmpty());
        ReplyCollector error(AT_REPLY_SIZE);
        error.feed(QByteArray("AT+CPIN?\r\r\n+CME ERROR: SIM b"));
        QCOMPARE(error.textBeforeEnd(), QByteArray("AT+CPIN?\r\r\n+CME ERROR"));
    }

    void commandLines() {
        QCOMPARE(AtLine("AT+CPIN=\"").quoted("1234").text("\"").line(),
                 QByteArray("AT+CPIN=\"1234\"\r\n"));
        QCOMPARE(AtLine("AT+CMGR=").number(12).line(), QByteArray("AT+CMGR=12\r\n"));
        // Arguments that would end the line or close the quotes are refused.
        QVERIFY(AtLine("AT+CPIN=\"").quoted("12\"34").text("\"").line().isEmpty());
        QVERIFY(AtLine("AT+CPIN=\"").quoted("1234\r\nAT+CFUN=0").line().isEmpty());
        QVERIFY(AtLine("AT+CMGR=").arg("1\n").line().isEmpty());
        QVERIFY(AtLine("AT+CMGR=").arg("1\x1a").line().isEmpty());
        QVERIFY(AtLine("AT+CMGR=").arg("1\x1b").line().isEmpty());
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

QTEST_GUILESS_MAIN(TestReplyCollector)
#include "test_replycollector.moc"
