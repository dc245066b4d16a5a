// Identity, status, SIM and network commands against the simulator: what the
// card is sent and what the caller gets.

#include "tests/modem/simlink.h"

using L = SerialThread;

// The card's generation found out, from a link that believed `before`.
Step probe(bool before) {
    return [before](L& l, const ModemSim&) {
        l.newPlatform = before;
        const QString got = await(l, &L::isNewPlatform);
        return got + ", kept: " + shown(l.newPlatform);
    };
}

class TestStatusCommands : public LinkTableTest {
    Q_OBJECT
private slots:
    void commands_data();
    void commands() { runRow(); }
};

void TestStatusCommands::commands_data() {
    const Step cpin = ask(&L::connectDeviceNeedInputPIN);
    const Step csq = ask(&L::getSignalQuality);
    const Step lockState = ask(&L::PINSetStatus);
    const Step mode = ask(&L::getNetworkSelectionMode);
    table();
    // --- identity ------------------------------------------------------------
    row("imei", {"ready"}, {ask(&L::getIMEI)}, {"AT+CGSN"}, "358011020345678");
    row("imei refused", {"ready", "on AT+CGSN reply ERROR"}, {ask(&L::getIMEI)}, {"AT+CGSN"},
        "none");
    row("imei unanswered", {"ready", "on AT+CGSN noreply"}, {impatient, ask(&L::getIMEI)},
        {"AT+CGSN"}, "no answer");
    row("firmware, once refused", {"ready", "on AT+GMR reply ERROR count 1"},
        {ask(&L::getGMR), ask(&L::getGMR)}, {"AT+GMR", "AT+GMR"}, "none, 11.608.13.02.55");
    row("own number, IMSI", {"ready"}, {ask(&L::getISDN), ask(&L::getCIMI)}, {"AT+CNUM", "AT+CIMI"},
        "+491701234567, 262019876543210");
    row("own number, IMSI without SIM", {"ready", "sim remove"},
        {ask(&L::getISDN), ask(&L::getCIMI)}, {"AT+CNUM", "AT+CIMI"}, "none, none");

    // --- status: signal bars, service, operator, SIM type, operating mode ---------
    row("signal unknown", {"ready", "signal 99 99"}, {csq}, {"AT+CSQ"}, "0");
    row("signal refused", {"ready", "on AT+CSQ reply ERROR"}, {csq}, {"AT+CSQ"}, "-1");
    row("service and operator", {"ready"}, {ask(&L::getServiceStatus), ask(&L::getOperatorName)},
        {"AT+YPAS?", "AT+YDON?"}, "UMTS/CS_PS, Tolva Mobile");
    row("no service, no operator", {"ready", "service none", "operator none"},
        {ask(&L::getServiceStatus), ask(&L::getOperatorName)}, {"AT+YPAS?", "AT+YDON?"},
        "none, none");
    row("sim type, kept", {"ready"},
        {ask(&L::getUSIM), [](L& l, const ModemSim&) { return shown(l.usimType); }}, {"AT+YUSIM=?"},
        "USIM, USIM");
    row("sim type of a busy SIM", {"busy"}, {ask(&L::getUSIM)}, {"AT+YUSIM=?"}, "busy");
    row("power off and on", {"ready"},
        {ask(&L::netCardStatus), ask(&L::netCardPowOn, false), ask(&L::netCardStatus),
         ask(&L::netCardPowOn, true), ask(&L::netCardStatus)},
        {"AT+YOPRT?", "AT+YOPRT=6", "AT+YOPRT?", "AT+YOPRT=5", "AT+YOPRT?"},
        "online, yes, offline, yes, online");
    // Other makers' cards refuse the maker's query, each in its own way, and
    // take their own dialect's (every dialect found at start-up: everyCard
    // of test_statusmonitor).
    const Step dialect = ask(&L::probeDialect);
    const QStringList probes = {"AT+YOPRT?", "AT^SYSCFGEX?", "AT+QCFG=\"nwscanmode\"", "AT+ZSNT?"};
    row("plain stick: ERROR to all", {"stick"}, {ask(&L::netCardStatus), dialect}, probes,
        "none, standard");
    row("+CME ERROR to all", {"stick", "on AT+* reply '+CME ERROR: operation not supported'"},
        {ask(&L::netCardStatus), dialect}, probes, "none, standard");
    row("COMMAND NOT SUPPORT", {"syscfgex"}, {ask(&L::netCardStatus), dialect}, probes.mid(0, 2),
        "none, syscfgex");
    row("start-up screen stopped by its ERROR", {"ready"}, {ask(&L::stopScrollScreen)}, {"AT+CPMS"},
        "yes");
    row("newer card refuses the extended read", {"ready"}, {probe(false)}, {"AT+YCPBR=?"},
        "yes, kept: yes");
    row("older card takes neither", {"oldusim"}, {probe(true)}, {"AT+YCPBR=?", "AT+YCPBM=?"},
        "no, kept: no");

    // --- SIM -----------------------------------------------------------------
    // (Ready, PIN, PUK, busy and failing SIMs are rows of the PIN and
    // status monitor tests.)
    row("sim not inserted", {"nosim", "sim-absent-error not-inserted"}, {cpin}, {"AT+CPIN?"},
        "not inserted");
    row("sim not inserted, numeric", {"nosim", "on AT+CPIN? reply '+CME ERROR: 10'"}, {cpin},
        {"AT+CPIN?"}, "not inserted");
    row("three wrong PINs ask for the PUK, which sets a new PIN", {"pin"},
        {ask(&L::inputPIN, "0000"), ask(&L::inputPIN, "0001"), ask(&L::inputPIN, "0002"), cpin,
         ask(&L::inputPUK, "00000000", "4321"), ask(&L::inputPUK, "12345678", "4321"), cpin},
        {"AT+CPIN=\"0000\"", "AT+CPIN=\"0001\"", "AT+CPIN=\"0002\"", "AT+CPIN?",
         "AT+CPIN=\"00000000\",\"4321\"", "AT+CPIN=\"12345678\",\"4321\"", "AT+CPIN?"},
        "wrong, wrong, PUK, PUK, wrong, accepted, ready");
    row("wrong PIN, numeric", {"pin", "on AT+CPIN=* reply '+CME ERROR: 16'"},
        {ask(&L::inputPIN, "1234")}, {"AT+CPIN=\"1234\""}, "wrong");
    row("PIN lock on and off, PIN changed", {"ready"},
        {lockState, ask(&L::changePWD, "1234", "4321"), ask(&L::setPinLock, true, "9999"),
         ask(&L::setPinLock, true, "1234"), lockState, ask(&L::changePWD, "9999", "4321"),
         ask(&L::changePWD, "1234", "4321"), ask(&L::setPinLock, false, "4321"), lockState},
        {"AT+CLCK=\"SC\",2", "AT+CPWD=\"SC\",\"1234\",\"4321\"", "AT+CLCK=\"SC\",1,\"9999\"",
         "AT+CLCK=\"SC\",1,\"1234\"", "AT+CLCK=\"SC\",2", "AT+CPWD=\"SC\",\"9999\",\"4321\"",
         "AT+CPWD=\"SC\",\"1234\",\"4321\"", "AT+CLCK=\"SC\",0,\"4321\"", "AT+CLCK=\"SC\",2"},
        "no, not allowed, wrong, accepted, yes, wrong, changed, accepted, no");
    row("PIN lock state refused", {"ready", "on AT+CLCK=* reply ERROR"}, {lockState},
        {"AT+CLCK=\"SC\",2"}, "none");
    // Arguments that would end the line or close its quotes, and lines too
    // long, are not sent.
    row("unsafe arguments", {"ready"},
        {ask(&L::inputPIN, "12\"34"), ask(&L::inputPIN, "1234\"\r\nAT+CFUN=0\r\n"),
         ask(&L::inputPIN, QString(300, '1')), ask(&L::inputPUK, "12345678", "1\x1a"),
         ask(&L::setPinLock, true, "1\"2"), ask(&L::changePWD, "1234", "1\x1b"),
         ask(&L::setManualNetworkMode, "26201\"\r\nAT+CFUN=0", 2),
         ask(&L::setConnectPara, "IP", "net\",\"x", ""), ask(&L::setChset, "\""),
         ask(&L::setNetworkSelectionMode, 0), ask(&L::setNetworkSelectionMode, 5)},
        {}, "no answer, no answer, no answer, no answer, no answer, wrong, no, no, none, no, no");

    // --- network -------------------------------------------------------------
    row("operator list", {"ready"}, {ask(&L::getNetworkList)}, {"AT+COPS=?"},
        "2 'Tolva Mobile' 'Tolva' 26207 2 | 1 'Mirel' 'Mirel' 26201 2 | "
        "1 'Mirel' 'Mirel' 26201 0 | 3 'Borra Net' 'Borra' 26203 0");
    row("operator list refused", {"ready", "on AT+COPS=? reply ERROR"}, {ask(&L::getNetworkList)},
        {"AT+COPS=?"}, "none");
    row("manual selection, forbidden, without technology", {"ready"},
        {ask(&L::setManualNetworkMode, "26201", 2), ask(&L::setManualNetworkMode, "26203", 0),
         ask(&L::setManualNetworkMode, "26207", -1)},
        {"AT+COPS=1,2,\"26201\",2", "AT+COPS=1,2,\"26203\",0", "AT+COPS=1,2,\"26207\""},
        "yes, no, yes");
    // (Preference 4 set and read back is a row of the status monitor's
    // everyCard.)
    row("mode preferences", {"ready"},
        {mode, ask(&L::setNetworkSelectionMode, 1), mode, ask(&L::setNetworkSelectionMode, 2), mode,
         ask(&L::setNetworkSelectionMode, 3), mode},
        {"AT+YSNT?", "AT+YSNT=0,0,2", "AT+YSNT?", "AT+YSNT=0,0,1", "AT+YSNT?", "AT+YSNT=2,0,0",
         "AT+YSNT?"},
        "3, yes, 1, yes, 2, yes, 3");
    row("mode preference of another value", {"ready", "on AT+YSNT? reply '+YSNT: 9,9,9' OK"},
        {mode}, {"AT+YSNT?"}, "0");
    // Another maker's card: a report between a reply's lines is no part of
    // the reply; the modes it lists, in its dialect.
    row("report inside a reply", {"stick", "interleave '+CEREG: 1,\"00C3\",\"1A2B3C\",7'"},
        {ask(&L::getCIMI)}, {"AT+CIMI"}, "262019876543210");
    row("4G preferred in the order the card lists",
        {"syscfgex", "mode-choices '\"030201\",\"0302\",\"03\",\"99\"'"},
        {dialect, ask(&L::getNetworkModes), ask(&L::setNetworkMode, NetworkMode::Preferred4G),
         ask(&L::getNetworkMode), ask(&L::setNetworkMode, NetworkMode::Only3G)},
        {"AT^SYSCFGEX?", "AT+WS46=?", "AT^SYSCFGEX=?",
         "AT^SYSCFGEX=\"030201\",3FFFFFFF,2,4,7FFFFFFFFFFFFFFF,,", "AT^SYSCFGEX?"},
        "syscfgex, 4G only | 4G preferred, yes, 4G preferred, no");
    row("data context", {"ready"},
        {ask(&L::setConnectPara, "IP", "internet.example", ""),
         ask(&L::setConnectPara, "IP", "web", "10.1.2.3")},
        {"AT+CGDCONT=1,\"IP\",\"internet.example\"", "AT+CGDCONT=1,\"IP\",\"web\",\"10.1.2.3\""},
        "yes, yes");
}

QTEST_GUILESS_MAIN(TestStatusCommands)
#include "test_statuscommands.moc"
