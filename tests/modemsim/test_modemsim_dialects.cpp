// Other makers' cards in the simulator: a plain 27.007 LTE stick and the
// "^SYSCFGEX", "+QCFG" and "+ZSNT" families answer as their public
// documentation, other projects' test data and bug reports show them
// (tools/modemsim/README.md names the source of each behaviour).

#include "tests/modemsim/ptyclient.h"
#include "tests/support/modemsim.h"

#include <QtTest>

#include <memory>

namespace {
const QByteArray OK = "\r\nOK\r\n";

QByteArray info(const QByteArray& line) {
    return "\r\n" + line + "\r\n" + OK;
}

// Starts `scenario` without its periodic reports, opens its AT port and
// reads what the card sent as it powered on.
std::unique_ptr<PtyClient> startQuiet(ModemSim& sim, const QString& scenario) {
    if (!sim.start(scenario) || !sim.command({"set", "chatter", "0"}))
        return nullptr;
    auto at = std::make_unique<PtyClient>(sim.atPort());
    at->readFor(100);
    return at->isOpen() ? std::move(at) : nullptr;
}
} // namespace

class TestModemSimDialects : public QObject {
    Q_OBJECT

private slots:
    void answersAsTheCard_data();
    void answersAsTheCard();
    void modePreferenceMovesTheCard_data();
    void modePreferenceMovesTheCard();
    void noticesFollowTheRadio_data();
    void noticesFollowTheRadio();
    void reportsCutIntoReplies();
    void startsAndSearchesLikeTheCard();
};

void TestModemSimDialects::answersAsTheCard_data() {
    QTest::addColumn<QString>("scenario");
    QTest::addColumn<QByteArray>("command");
    QTest::addColumn<QByteArray>("reply");
    const QByteArray notSupported = "\r\nCOMMAND NOT SUPPORT\r\n";
    const QByteArray error = "\r\nERROR\r\n";
    QTest::newRow("stick: no +Y") << "stick" << QByteArray("AT+YPAS?") << error;
    QTest::newRow("stick: operator on LTE")
        << "stick" << QByteArray("AT+COPS?") << info("+COPS: 0,0,\"Tolva Mobile\",7");
    QTest::newRow("stick: +CSQ unknown on LTE")
        << "stick" << QByteArray("AT+CSQ") << info("+CSQ: 99,99");
    QTest::newRow("stick: +CESQ rsrq, rsrp")
        << "stick" << QByteArray("AT+CESQ") << info("+CESQ: 99,99,255,255,23,45");
    QTest::newRow("stick: +CEREG") << "stick" << QByteArray("AT+CEREG?") << info("+CEREG: 0,1");
    QTest::newRow("stick: +CGREG off LTE")
        << "stick" << QByteArray("AT+CGREG?") << info("+CGREG: 0,0");
    QTest::newRow("stick: +WS46 range")
        << "stick" << QByteArray("AT+WS46=?") << info("+WS46: (12,22,25,28-31)");
    QTest::newRow("stick: storages")
        << "stick" << QByteArray("AT+CPMS=?")
        << info("+CPMS: (\"ME\",\"MT\",\"SM\",\"SR\"),(\"ME\",\"MT\",\"SM\"),(\"ME\",\"SM\")");
    QTest::newRow("stick: storage not listed")
        << "stick" << QByteArray("AT+CPMS=\"MT\",\"MT\",\"MT\"")
        << QByteArray("\r\n+CMS ERROR: 302\r\n");
    QTest::newRow("stick: MT is the memory")
        << "stick" << QByteArray("AT+CPMS=\"MT\",\"MT\",\"ME\"")
        << info("+CPMS: 3,100,3,100,3,100");
    QTest::newRow("stick: numeric +CME")
        << "stick" << QByteArray("AT+CPIN=\"1234\"") << QByteArray("\r\n+CME ERROR: 3\r\n");
    QTest::newRow("stick: no indications")
        << "stick" << QByteArray("AT+CNMI?") << info("+CNMI: 0,0,0,0,0");
    QTest::newRow("syscfgex: unknown") << "syscfgex" << QByteArray("AT+CPROT=?") << notSupported;
    QTest::newRow("syscfgex: no +Y") << "syscfgex" << QByteArray("AT+YSNT?") << notSupported;
    QTest::newRow("syscfgex: no +CESQ") << "syscfgex" << QByteArray("AT+CESQ") << notSupported;
    QTest::newRow("syscfgex: +CSQ on LTE")
        << "syscfgex" << QByteArray("AT+CSQ") << info("+CSQ: 22,99");
    QTest::newRow("syscfgex: mode") << "syscfgex" << QByteArray("AT^SYSCFGEX?")
                                    << info("^SYSCFGEX: \"00\",3FFFFFFF,1,2,7FFFFFFFFFFFFFFF");
    QTest::newRow("syscfgex: system") << "syscfgex" << QByteArray("AT^SYSINFOEX")
                                      << info("^SYSINFOEX:2,3,0,1,,6,\"LTE\",101,\"LTE\"");
    QTest::newRow("syscfgex: signal")
        << "syscfgex" << QByteArray("AT^HCSQ?") << info("^HCSQ: \"LTE\",52,45,156,23");
    QTest::newRow("syscfgex: service code in text")
        << "syscfgex" << QByteArray("AT+CUSD=1,\"*100#\",15") << error;
    QTest::newRow("syscfgex: places from 0")
        << "syscfgex" << QByteArray("AT+CMGD=?") << info("+CMGD: (0,1,2,3,4),(0-4)");
    QTest::newRow("syscfgex: verbose +CME")
        << "syscfgex" << QByteArray("AT+CPIN=\"1234\"")
        << QByteArray("\r\n+CME ERROR: operation not allowed\r\n");
    QTest::newRow("nwscanmode: ATI")
        << "nwscanmode" << QByteArray("ATI")
        << QByteArray("\r\nQuectel\r\nEC25\r\nRevision: EC25EFAR06A11M4G\r\n" + OK);
    QTest::newRow("nwscanmode: mode")
        << "nwscanmode" << QByteArray("AT+QCFG=\"nwscanmode\"") << info("+QCFG: \"nwscanmode\",0");
    QTest::newRow("nwscanmode: network")
        << "nwscanmode" << QByteArray("AT+QNWINFO")
        << info("+QNWINFO: \"FDD LTE\",\"26207\",\"LTE BAND 3\",1275");
    QTest::newRow("nwscanmode: signal")
        << "nwscanmode" << QByteArray("AT+QCSQ") << info("+QCSQ: \"LTE\",-69,-96,155,-8");
    QTest::newRow("zsnt: service")
        << "zsnt" << QByteArray("AT+ZPAS?") << info("+ZPAS: \"LTE\",\"PS_ONLY\"");
    QTest::newRow("zsnt: mode") << "zsnt" << QByteArray("AT+ZSNT?") << info("+ZSNT: 0,0,0");
    QTest::newRow("zsnt: no mode list") << "zsnt" << QByteArray("AT+ZSNT=?") << error;
    QTest::newRow("zsnt: plain ERROR") << "zsnt" << QByteArray("AT+CPIN=\"1234\"") << error;
    QTest::newRow("zsnt: operating mode") << "zsnt" << QByteArray("AT+ZOPRT?") << info("+ZOPRT: 5");
    QTest::newRow("maker: no +CEREG") << "ready" << QByteArray("AT+CEREG?") << error;
    QTest::newRow("maker: no +WS46") << "ready" << QByteArray("AT+WS46?") << error;
}

void TestModemSimDialects::answersAsTheCard() {
    QFETCH(QString, scenario);
    QFETCH(QByteArray, command);
    QFETCH(QByteArray, reply);
    ModemSim sim;
    const auto at = startQuiet(sim, scenario);
    QVERIFY(at);
    QCOMPARE(at->answer(command), reply);
}

void TestModemSimDialects::modePreferenceMovesTheCard_data() {
    QTest::addColumn<QString>("scenario");
    QTest::addColumn<QByteArray>("set");
    QTest::addColumn<QByteArray>("setReply");
    QTest::addColumn<QByteArray>("read");
    QTest::addColumn<QByteArray>("readReply");
    QTest::addColumn<int>("act"); // +COPS? afterwards
    const QByteArray bands = ",3FFFFFFF,1,2,7FFFFFFFFFFFFFFF";
    QTest::newRow("stick: 3G only") << "stick" << QByteArray("AT+WS46=22") << OK
                                    << QByteArray("AT+WS46?") << info("+WS46: 22") << 2;
    QTest::newRow("stick: 2G only") << "stick" << QByteArray("AT+WS46=12") << OK
                                    << QByteArray("AT+WS46?") << info("+WS46: 12") << 0;
    QTest::newRow("stick: not listed")
        << "stick" << QByteArray("AT+WS46=23") << QByteArray("\r\n+CME ERROR: 4\r\n")
        << QByteArray("AT+WS46?") << info("+WS46: 25") << 7;
    QTest::newRow("syscfgex: 3G only")
        << "syscfgex"
        << "AT^SYSCFGEX=\"02\"" + bands + ",," << OK << QByteArray("AT^SYSCFGEX?")
        << info("^SYSCFGEX: \"02\"" + bands) << 2;
    QTest::newRow("syscfgex: order not listed")
        << "syscfgex"
        << "AT^SYSCFGEX=\"030201\"" + bands + ",,"
        << QByteArray("\r\n+CME ERROR: incorrect parameters\r\n") << QByteArray("AT^SYSCFGEX?")
        << info("^SYSCFGEX: \"00\"" + bands) << 7;
    QTest::newRow("nwscanmode: UMTS only")
        << "nwscanmode" << QByteArray("AT+QCFG=\"nwscanmode\",2,1") << OK
        << QByteArray("AT+QCFG=\"nwscanmode\"") << info("+QCFG: \"nwscanmode\",2") << 2;
    QTest::newRow("nwscanmode: WCDMA first")
        << "nwscanmode" << QByteArray("AT+QCFG=\"nwscanseq\",03") << OK
        << QByteArray("AT+QCFG=\"nwscanseq\"") << info("+QCFG: \"nwscanseq\",03") << 2;
    QTest::newRow("zsnt: GSM only") << "zsnt" << QByteArray("AT+ZSNT=1,0,0") << OK
                                    << QByteArray("AT+ZSNT?") << info("+ZSNT: 1,0,0") << 0;
    QTest::newRow("zsnt: WCDMA first") << "zsnt" << QByteArray("AT+ZSNT=0,0,2") << OK
                                       << QByteArray("AT+ZSNT?") << info("+ZSNT: 0,0,2") << 2;
}

void TestModemSimDialects::modePreferenceMovesTheCard() {
    QFETCH(QString, scenario);
    QFETCH(QByteArray, set);
    QFETCH(QByteArray, setReply);
    QFETCH(QByteArray, read);
    QFETCH(QByteArray, readReply);
    QFETCH(int, act);
    ModemSim sim;
    const auto at = startQuiet(sim, scenario);
    QVERIFY(at);
    QVERIFY(at->answer(set).startsWith(setReply)); // notices of the move may follow
    at->readFor(100);
    QCOMPARE(at->answer(read), readReply);
    QCOMPARE(at->answer("AT+COPS?"),
             info("+COPS: 0,0,\"Tolva Mobile\"," + QByteArray::number(act)));
}

void TestModemSimDialects::noticesFollowTheRadio_data() {
    QTest::addColumn<QString>("scenario");
    QTest::addColumn<QByteArrayList>("commands"); // each answered OK
    QTest::addColumn<QStringList>("control");
    QTest::addColumn<QByteArray>("notice"); // empty: nothing arrives
    const QStringList toUmts{"technology", "2"};
    const QStringList weak{"signal", "9"};
    const QStringList arrives{"deliver", "+4917012345", "Hi"};
    QTest::newRow("stick: +CEREG off LTE")
        << "stick" << QByteArrayList{"AT+CEREG=2"} << toUmts << QByteArray("+CEREG: 0");
    QTest::newRow("stick: +CREG cell and technology")
        << "stick" << QByteArrayList{"AT+CREG=2"} << toUmts
        << QByteArray("+CREG: 1,\"00C3\",\"A13F\",2");
    QTest::newRow("stick: +CGREG searching")
        << "stick" << QByteArrayList{"AT+CGREG=1"} << QStringList{"operator", "none"}
        << QByteArray("+CGREG: 2");
    QTest::newRow("stick: no +CMTI before +CNMI")
        << "stick" << QByteArrayList{} << arrives << QByteArray();
    QTest::newRow("stick: +CMTI") << "stick" << QByteArrayList{"AT+CNMI=2,1,0,0,0"} << arrives
                                  << QByteArray("+CMTI: \"SM\",6");
    QTest::newRow("stick: +CMT") << "stick" << QByteArrayList{"AT+CNMI=2,2,0,0,0"} << arrives
                                 << QByteArray("+CMT: ,");
    QTest::newRow("syscfgex: +CMTI from 0") << "syscfgex" << QByteArrayList{"AT+CNMI=2,1,0,0,0"}
                                            << arrives << QByteArray("+CMTI: \"SM\",5");
    QTest::newRow("syscfgex: ^RSSI")
        << "syscfgex" << QByteArrayList{} << weak << QByteArray("^RSSI:9");
    QTest::newRow("syscfgex: ^MODE")
        << "syscfgex" << QByteArrayList{} << toUmts << QByteArray("^MODE:5,4");
    QTest::newRow("syscfgex: ^CURC=0 silences")
        << "syscfgex" << QByteArrayList{"AT^CURC=0"} << weak << QByteArray();
    QTest::newRow("syscfgex: packed service code")
        << "syscfgex" << QByteArrayList{"AT+CUSD=1,\"AA180C3602\",15"} << QStringList{}
        << QByteArray(
               "+CUSD: 0,\"D9775D0E1287D961F7B80C4ACF4131996B460315AB5216C81E66A7C9A0BA9B9E66"
               "836631574CE692C1643617\",15");
    QTest::newRow("nwscanmode: +QIND csq") << "nwscanmode" << QByteArrayList{"AT+QINDCFG=\"csq\",1"}
                                           << weak << QByteArray("+QIND: \"csq\",9,99");
    QTest::newRow("nwscanmode: no +QIND unasked")
        << "nwscanmode" << QByteArrayList{} << weak << QByteArray();
    QTest::newRow("zsnt: +ZPASR") << "zsnt" << QByteArrayList{} << toUmts
                                  << QByteArray("+ZPASR: \"UMTS\"");
}

void TestModemSimDialects::noticesFollowTheRadio() {
    QFETCH(QString, scenario);
    QFETCH(QByteArrayList, commands);
    QFETCH(QStringList, control);
    QFETCH(QByteArray, notice);
    ModemSim sim;
    const auto at = startQuiet(sim, scenario);
    QVERIFY(at);
    QByteArray seen;
    for (const QByteArray& command : commands) {
        const QByteArray reply = at->answer(command);
        QVERIFY2(reply.startsWith(OK), reply);
        seen += reply.mid(OK.size());
    }
    if (!control.isEmpty())
        QVERIFY(sim.command(control));
    if (notice.isEmpty()) {
        QCOMPARE(seen + at->readFor(300), QByteArray());
    } else {
        if (!seen.contains(notice))
            seen += at->readUntil(notice, 2000);
        QVERIFY2(seen.contains("\r\n" + notice), seen);
    }
}

void TestModemSimDialects::reportsCutIntoReplies() {
    ModemSim sim;
    QVERIFY(sim.start("syscfgex"));
    PtyClient at(sim.atPort());
    QVERIFY(sim.command({"set", "chatter", "0"}));
    at.readFor(100);
    QVERIFY(sim.command({"interleave", "^RSSI:5"}));
    QCOMPARE(at.answer("AT+CSQ"), "\r\n+CSQ: 22,99\r\n\r\n^RSSI:5\r\n" + OK);
    // Every 200 ms: a reply under way carries them between its lines and its result.
    QVERIFY(sim.command({"set", "chatter", "200"}));
    QByteArray reply;
    const QDeadlineTimer deadline(3000);
    while (!reply.contains("7FFFFFFFFFFFFFFF\r\n\r\n^RSSI:22\r\n") && !deadline.hasExpired())
        reply = at.answer("AT^SYSCFGEX?");
    QVERIFY(reply.endsWith("\r\n^HCSQ:\"LTE\",52,45,156,23\r\n" + OK));

    // The other family repeats its SIM state until the storages are asked for.
    ModemSim zsnt;
    QVERIFY(zsnt.start("zsnt"));
    QVERIFY(zsnt.command({"set", "chatter", "200"}));
    PtyClient zat(zsnt.atPort());
    QVERIFY(zat.readUntil("+ZUSIMR:2\r\n", 2000).contains("+ZUSIMR:2"));
    QVERIFY(zat.answer("AT+CPMS?").contains("+CPMS: \"SM\",5,20"));
    QCOMPARE(zat.readFor(600), QByteArray());
}

void TestModemSimDialects::startsAndSearchesLikeTheCard() {
    ModemSim sim;
    QVERIFY(sim.start("nwscanmode,echooff"));
    PtyClient at(sim.atPort());
    QCOMPARE(at.readUntil("PB DONE\r\n", 2000),
             QByteArray("\r\nRDY\r\n\r\n+CFUN: 1\r\n\r\n+CPIN: READY\r\n\r\n+QUSIM: 1\r\n\r\n"
                        "+QIND: SMS DONE\r\n\r\n+QIND: PB DONE\r\n"));
    QCOMPARE(at.command("AT"), OK); // no echo
    QVERIFY(sim.command({"set", "scan-time", "800"}));
    QElapsedTimer searching;
    searching.start();
    QVERIFY(at.write("AT+COPS=?\r"));
    QCOMPARE(at.readFor(400), QByteArray());
    QVERIFY(
        at.readUntil(OK, 3000).startsWith("\r\n+COPS: (2,\"Tolva Mobile\",\"Tolva\",\"26207\",7),"
                                          "(1,\"Tolva Mobile\",\"Tolva\",\"26207\",2)"));
    QVERIFY(searching.elapsed() >= 800);
}

QTEST_GUILESS_MAIN(TestModemSimDialects)
#include "test_modemsim_dialects.moc"
