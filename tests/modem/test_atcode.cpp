// The reply classifier, one table per command family. Replies are written as
// the modem sends them: the echo of the command line, then the answer.

#include "modem/atline.h"
#include "modem/protocol/at_code.h"
#include "modem/protocol/commands.h"

#include <QTest>

#include <algorithm>
#include <vector>

namespace {

int classify(const QByteArray& reply) {
    std::vector<char> buffer(AT_REPLY_SIZE, '\0');
    memcpy(buffer.data(), reply.constData(), static_cast<size_t>(reply.size()));
    return Parse_At_Res(buffer.data());
}

} // namespace

class TestAtCode : public QObject {
    Q_OBJECT
private:
    void rows() {
        QTest::addColumn<QByteArray>("reply");
        QTest::addColumn<int>("code");
    }
private slots:
    void bareAt_data() {
        rows();
        QTest::newRow("ok") << QByteArray("AT\r\r\nOK\r\n") << 76;
        QTest::newRow("error") << QByteArray("AT\r\r\nERROR\r\n") << 79;
        QTest::newRow("OK before the echo") << QByteArray("\r\nOK\r\nAT\r\r\n") << 79;
        QTest::newRow("empty") << QByteArray() << 79;
        QTest::newRow("garbage") << QByteArray("\x01\xff~~OK") << 79;
    }
    void bareAt() {
        QFETCH(QByteArray, reply);
        QFETCH(int, code);
        QCOMPARE(classify(reply), code);
    }

    void pin_data() {
        rows();
        QTest::newRow("ready") << QByteArray("AT+CPIN?\r\r\n+CPIN: READY\r\n\r\nOK\r\n") << 0;
        QTest::newRow("pin") << QByteArray("AT+CPIN?\r\r\n+CPIN: SIM PIN\r\n\r\nOK\r\n") << 1;
        QTest::newRow("puk") << QByteArray("AT+CPIN?\r\r\n+CPIN: SIM PUK\r\n\r\nOK\r\n") << 4;
        QTest::newRow("busy") << QByteArray("AT+CPIN?\r\r\n+CME ERROR: SIM busy\r\n") << 2;
        QTest::newRow("failure") << QByteArray("AT+CPIN?\r\r\n+CME ERROR: SIM failure\r\n") << 3;
        QTest::newRow("other") << QByteArray("AT+CPIN?\r\r\n+CME ERROR: SIM not inserted\r\n")
                               << 79;
        QTest::newRow("pin accepted") << QByteArray("AT+CPIN=\"1234\"\r\r\nOK\r\n") << 5;
        QTest::newRow("pin wrong")
            << QByteArray("AT+CPIN=\"1234\"\r\r\n+CME ERROR: incorrect password\r\n") << 6;
        QTest::newRow("pin then puk")
            << QByteArray("AT+CPIN=\"1234\"\r\r\n+CME ERROR: SIM PUK required\r\n") << 7;
        QTest::newRow("pin error") << QByteArray("AT+CPIN=\"1234\"\r\r\nERROR\r\n") << 8;
        QTest::newRow("puk accepted")
            << QByteArray("AT+CPIN=\"12345678\",\"4321\"\r\r\nOK\r\n") << 9;
        QTest::newRow("puk wrong")
            << QByteArray("AT+CPIN=\"12345678\",\"4321\"\r\r\n+CME ERROR: incorrect password\r\n")
            << 10;
        QTest::newRow("puk sim failure")
            << QByteArray("AT+CPIN=\"12345678\",\"4321\"\r\r\n+CME ERROR: SIM failure\r\n") << 11;
        QTest::newRow("puk error")
            << QByteArray("AT+CPIN=\"12345678\",\"4321\"\r\r\nERROR\r\n") << 12;
        // Only the command line decides between PIN and PUK entry.
        QTest::newRow("quotes in answer only")
            << QByteArray("AT+CPIN=\"1234\"\r\r\n+X: \"a\",\"b\"\r\nOK\r\n") << 5;
    }
    void pin() { bareAt(); }

    void pinLock_data() {
        rows();
        QTest::newRow("on") << QByteArray("AT+CLCK=\"SC\",2\r\r\n+CLCK: 1\r\n\r\nOK\r\n") << 13;
        QTest::newRow("off") << QByteArray("AT+CLCK=\"SC\",2\r\r\n+CLCK: 0\r\n\r\nOK\r\n") << 14;
        QTest::newRow("lock") << QByteArray("AT+CLCK=\"SC\",1,\"1234\"\r\r\nOK\r\n") << 15;
        QTest::newRow("lock wrong")
            << QByteArray("AT+CLCK=\"SC\",1,\"1234\"\r\r\n+CME ERROR: incorrect password\r\n")
            << 16;
        QTest::newRow("unlock") << QByteArray("AT+CLCK=\"SC\",0,\"1234\"\r\r\nOK\r\n") << 17;
        QTest::newRow("unlock wrong")
            << QByteArray("AT+CLCK=\"SC\",0,\"1234\"\r\r\n+CME ERROR: incorrect password\r\n")
            << 18;
        QTest::newRow("status error") << QByteArray("AT+CLCK=\"SC\",2\r\r\nERROR\r\n") << 79;
        QTest::newRow("change") << QByteArray("AT+CPWD=\"SC\",\"1234\",\"4321\"\r\r\nOK\r\n") << 19;
        QTest::newRow("change wrong") << QByteArray("AT+CPWD=\"SC\",\"1\",\"2\"\r\r\n+CME ERROR: "
                                                    "incorrect password\r\n")
                                      << 20;
        QTest::newRow("change puk") << QByteArray("AT+CPWD=\"SC\",\"1\",\"2\"\r\r\n+CME ERROR: SIM "
                                                  "PUK required\r\n")
                                    << 21;
        QTest::newRow("change not allowed") << QByteArray("AT+CPWD=\"SC\",\"1\",\"2\"\r\r\n+CME "
                                                          "ERROR: operation not allowed\r\n")
                                            << 22;
    }
    void pinLock() { bareAt(); }

    void signal_data() {
        rows();
        const auto csq = [](const char* rssi) {
            return QByteArray("AT+CSQ\r\r\n+CSQ: ") + rssi + ",99\r\n\r\nOK\r\n";
        };
        QTest::newRow("0") << csq("0") << 35;
        QTest::newRow("1") << csq("1") << 30;
        QTest::newRow("6") << csq("6") << 30;
        QTest::newRow("7") << csq("7") << 31;
        QTest::newRow("9") << csq("9") << 31;
        QTest::newRow("10") << csq("10") << 32;
        QTest::newRow("12") << csq("12") << 32;
        QTest::newRow("13") << csq("13") << 33;
        QTest::newRow("15") << csq("15") << 33;
        QTest::newRow("16") << csq("16") << 33;
        QTest::newRow("17") << csq("17") << 34;
        QTest::newRow("30") << csq("30") << 34;
        QTest::newRow("31") << csq("31") << 34;
        QTest::newRow("32") << csq("32") << 35;
        QTest::newRow("99") << csq("99") << 35;
        QTest::newRow("05") << csq("05") << 35;
        QTest::newRow("text") << csq("x") << 35;
        QTest::newRow("no answer") << QByteArray("AT+CSQ\r\r\nERROR\r\n") << 79;
    }
    void signal() { bareAt(); }

    void statusQueries_data() {
        rows();
        QTest::newRow("online") << QByteArray("AT+YOPRT?\r\r\n+YOPRT: 5\r\n\r\nOK\r\n") << 28;
        QTest::newRow("offline") << QByteArray("AT+YOPRT?\r\r\n+YOPRT: 6\r\n\r\nOK\r\n") << 29;
        QTest::newRow("opmode error") << QByteArray("AT+YOPRT?\r\r\nERROR\r\n") << 79;
        QTest::newRow("opmode set") << QByteArray("AT+YOPRT=5\r\r\nOK\r\n") << 26;
        QTest::newRow("imsi") << QByteArray("AT+CIMI\r\r\n460001234567890\r\n\r\nOK\r\n") << 36;
        QTest::newRow("imsi failure")
            << QByteArray("AT+CIMI\r\r\n+CME ERROR: SIM failure\r\n") << 37;
        QTest::newRow("imsi error") << QByteArray("AT+CIMI\r\r\nERROR\r\n") << 37;
        QTest::newRow("gmr") << QByteArray("AT+GMR\r\r\nV1.0\r\n\r\nOK\r\n") << 58;
        QTest::newRow("gmr error") << QByteArray("AT+GMR\r\r\nERROR\r\n") << 59;
        QTest::newRow("sim") << QByteArray("AT+YUSIM=?\r\r\n+YUSIM: 0\r\n\r\nOK\r\n") << 60;
        QTest::newRow("usim") << QByteArray("AT+YUSIM=?\r\r\n+YUSIM: 1\r\n\r\nOK\r\n") << 61;
        QTest::newRow("usim busy") << QByteArray("AT+YUSIM=?\r\r\n+CME ERROR: SIM busy\r\n") << 62;
        QTest::newRow("pdp") << QByteArray("AT+CGDCONT=1,\"IP\",\"net\"\r\r\nOK\r\n") << 24;
        QTest::newRow("pdp error")
            << QByteArray("AT+CGDCONT=1,\"IP\",\"net\"\r\r\nERROR\r\n") << 25;
        QTest::newRow("charset") << QByteArray("AT+CSCS=\"UCS2\"\r\r\nOK\r\n") << 76;
        QTest::newRow("charset error") << QByteArray("AT+CSCS=\"UCS2\"\r\r\nERROR\r\n") << 79;
    }
    void statusQueries() { bareAt(); }

    void network_data() {
        rows();
        // "AT+COPS=?" must be told apart before "AT+COPS=".
        QTest::newRow("list") << QByteArray("AT+COPS=?\r\r\n+COPS: (2,\"A\",\"A\",\"00101\",2)"
                                            ",,(0-4),(0-2)\r\n\r\nOK\r\n")
                              << 56;
        QTest::newRow("list error") << QByteArray("AT+COPS=?\r\r\nERROR\r\n") << 57;
        QTest::newRow("select") << QByteArray("AT+COPS=1,2,\"00101\",2\r\r\nOK\r\n") << 54;
        QTest::newRow("select error") << QByteArray("AT+COPS=1,2,\"00101\",2\r\r\nERROR\r\n") << 55;
        QTest::newRow("mode set") << QByteArray("AT+YSNT=0,0,2\r\r\nOK\r\n") << 48;
        QTest::newRow("mode set error") << QByteArray("AT+YSNT=0,0,2\r\r\nERROR\r\n") << 49;
        QTest::newRow("mode query") << QByteArray("AT+YSNT?\r\r\n+YSNT: 0,0,2\r\n\r\nOK\r\n") << 52;
        QTest::newRow("mode query error") << QByteArray("AT+YSNT?\r\r\nERROR\r\n") << 53;
        QTest::newRow("service") << QByteArray(
                                        "AT+YPAS?\r\r\n+YPAS: \"WCDMA\",\"CS_PS\"\r\n\r\nOK\r\n")
                                 << 71;
        QTest::newRow("operator") << QByteArray("AT+YDON?\r\r\n+YDON: \"Mirel\"\r\n\r\nOK\r\n")
                                  << 73;
    }
    void network() { bareAt(); }

    void messages_data() {
        rows();
        // "AT+CPMS=" with arguments comes before the query and the bare command.
        QTest::newRow("storage set")
            << QByteArray("AT+CPMS=\"SM\",\"SM\",\"SM\"\r\r\n+CPMS: 3,20,3,20,3,20\r\n\r\nOK\r\n")
            << 44;
        QTest::newRow("storage set error")
            << QByteArray("AT+CPMS=\"XX\"\r\r\n+CMS ERROR: 302\r\n") << 45;
        QTest::newRow("storage query")
            << QByteArray(
                   "AT+CPMS?\r\n\r\n+CPMS: \"SM\",3,20,\"SM\",3,20,\"SM\",5,20\r\n\r\nOK\r\n")
            << 46;
        QTest::newRow("storage query error") << QByteArray("AT+CPMS?\r\n\r\nERROR\r\n") << 47;
        QTest::newRow("bare storage") << QByteArray("AT+CPMS\r\r\nERROR\r\n") << 23;
        QTest::newRow("bare storage ok") << QByteArray("AT+CPMS\r\r\nOK\r\n") << 79;
        QTest::newRow("notice mode") << QByteArray("AT+CNMI=3,1,0,2,0\r\r\nOK\r\n") << 42;
        QTest::newRow("notice mode error") << QByteArray("AT+CNMI=3,1,0,2,0\r\r\nERROR\r\n") << 43;
        QTest::newRow("list") << QByteArray("AT+CMGL=4\r\r\n+CMGL: 1,0,,23\r\n07\r\n\r\nOK\r\n")
                              << 50;
        QTest::newRow("list error") << QByteArray("AT+CMGL=4\r\r\n+CMS ERROR: 321\r\n") << 51;
        QTest::newRow("read") << QByteArray("AT+CMGR=3\r\r\n+CMGR: 0,,23\r\n07\r\n\r\nOK\r\n")
                              << 69;
        QTest::newRow("read error") << QByteArray("AT+CMGR=3\r\r\n+CMS ERROR: 321\r\n") << 70;
        QTest::newRow("centre") << QByteArray("AT+CSCA?\r\r\n+CSCA: \"+1234\",145\r\n\r\nOK\r\n")
                                << 75;
        QTest::newRow("centre missing") << QByteArray("AT+CSCA?\r\r\nOK\r\n") << 80;
        QTest::newRow("prefer set") << QByteArray("AT+YSMSD=2\r\r\nOK\r\n") << 63;
        QTest::newRow("prefer set error") << QByteArray("AT+YSMSD=2\r\r\nERROR\r\n") << 64;
        QTest::newRow("prefer 0") << QByteArray("AT+YSMSD?\r\r\n+YSMSD: 0\r\n\r\nOK\r\n") << 65;
        QTest::newRow("prefer 1") << QByteArray("AT+YSMSD?\r\r\n+YSMSD: 1\r\n\r\nOK\r\n") << 66;
        QTest::newRow("prefer 2") << QByteArray("AT+YSMSD?\r\r\n+YSMSD: 2\r\n\r\nOK\r\n") << 67;
        QTest::newRow("prefer error") << QByteArray("AT+YSMSD?\r\r\nERROR\r\n") << 68;
        QTest::newRow("format pdu") << QByteArray("AT+CMGF?\r\r\n+CMGF: 0\r\n\r\nOK\r\n") << 38;
        QTest::newRow("format text") << QByteArray("AT+CMGF?\r\r\n+CMGF: 1\r\n\r\nOK\r\n") << 39;
        QTest::newRow("format set") << QByteArray("AT+CMGF=0\r\r\nOK\r\n") << 40;
        QTest::newRow("format set error") << QByteArray("AT+CMGF=0\r\r\nERROR\r\n") << 41;
        // Deletion is recognised from the echo, whatever the answer.
        QTest::newRow("delete ok") << QByteArray("AT+CMGD=7\r\r\nOK\r\n") << 76;
        QTest::newRow("delete error") << QByteArray("AT+CMGD=7\r\r\n+CMS ERROR: 321\r\n") << 76;
        QTest::newRow("other cms error") << QByteArray("AT+CMGS=18\r\r\n+CMS ERROR: 500\r\n") << 77;
        QTest::newRow("written") << QByteArray(
                                        "AT+CMGW=24,3\r\r\n> 07...\x1a\r\n+CMGW: 4\r\n\r\nOK\r\n")
                                 << 78;
        // No verdict has a code of its own, apart from "+CPIN: READY" (0).
        QTest::newRow("unknown command") << QByteArray("AT+CGSN\r\r\n35123\r\n\r\nOK\r\n") << 80;
    }
    void messages() { bareAt(); }

    // Every command is declared once, and its replies reach its own tests:
    // no declaration earlier in the table takes its echo.
    void declarations() {
        for (int i = 0; i < kAtCommandCount; ++i) {
            const AtCmd id = static_cast<AtCmd>(i);
            const AtCommand& command = atCommand(id);
            QCOMPARE(int(command.id), i);
            const QByteArray line(command.line.data(), qsizetype(command.line.size()));
            QVERIFY2(line.startsWith(QByteArray(command.echo.data(), command.echo.size())), line);
            QVERIFY2(command.budgetSec > 0 && line.size() + 3 <= AT_COMMAND_SIZE, line);
            QCOMPARE(std::count_if(atCommandsBegin(), atCommandsEnd(),
                                   [id](const AtCommand& c) { return c.id == id; }),
                     1);
            if (command.classify == nullptr)
                continue;
            const AtCommand* decides =
                std::find_if(atCommandsBegin(), atCommandsEnd(), [&line](const AtCommand& c) {
                    return c.classify && line.startsWith(QByteArray(c.echo.data(), c.echo.size()));
                });
            QVERIFY2(decides->classify == command.classify, line);
        }
        QCOMPARE(atCommandsEnd() - atCommandsBegin(), kAtCommandCount);
    }

    // The two queries without an answer hand their callers a fixed text.
    void rewrites() {
        char service[AT_REPLY_SIZE] = "\r\nAT+YPAS?\r\r\nOK\r\n";
        QCOMPARE(Parse_At_Res(service), 72);
        QCOMPARE(QByteArray(service), QByteArray("\r\nNo Service"));

        char name[AT_REPLY_SIZE] = "AT+YDON?\r\r\nOK\r\n";
        QCOMPARE(Parse_At_Res(name), 74);
        QCOMPARE(QByteArray(name), QByteArray("Not Found"));

        // A buffer too small for the whole text gets as much as fits.
        char tiny[9] = "AT+YPAS?";
        QCOMPARE(Parse_At_Res(tiny, sizeof tiny), 72);
        QCOMPARE(QByteArray(tiny), QByteArray("No Servi"));

        QCOMPARE(Parse_At_Res(nullptr), 79);
    }
};

QTEST_GUILESS_MAIN(TestAtCode)
#include "test_atcode.moc"
