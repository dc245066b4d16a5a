// What the simulated card answers, as dialogues on its ports: the SIM (PIN,
// PUK, lock, busy, missing), message storages (lists, reads, writes, sends,
// deletes, arrivals), the phonebook (ranges, character sets, errors, the
// older generation) and the network and data port.
//
// A dialogue is a list of steps, each written as text:
//   "AT+CPIN? > +CPIN: SIM PIN|OK"  the answer without the echo, its lines joined by '|'
//   "AT+CPBR=1,20 ~ +CPBR: 5,"      the answer holds the text
//   "AT+CMGL=4 # 5 +CMGL:"          the answer holds the text so many times
//   "! sim remove"                  a control command the simulator takes
//   "! contacts ~ 10 \"+48\""       ... and its answer holds the text
//   "!! deliver +49 x SM"           a control command the simulator refuses
//   "@data"                         the steps after it use the data port
//   "write +++"                     bytes sent as they are
//   "<< +CMTI: \"SM\",6"            the card sends the text unasked
//   "<< nothing"                    the card says nothing for 200 ms
//   "close"                         the port is closed (and opened again by the next step)
//   "log sms-cancelled"             the transcript holds the text (within 2 s)
//   "no log sms-sent"               ... and not

#include "tests/modemsim/controlwords.h"
#include "tests/modemsim/ptyclient.h"
#include "tests/support/modemsim.h"

#include <QtTest>

#include <map>
#include <memory>

namespace {

// "hello" to +0987654321 via +1234567890: TPDU of 18 octets.
const QString kSubmit = "0691214365870911000A91907856341200000005E8329BFD06";

// The lines of an answer joined by '|', without empty lines and without the
// echo of `sent` (a command line, or a message body with its Ctrl-Z or Esc).
QString lines(const QByteArray& answer, QByteArray sent) {
    while (sent.endsWith('\x1a') || sent.endsWith('\x1b'))
        sent.chop(1);
    QStringList out;
    for (const QByteArray& line : answer.split('\n')) {
        if (!line.trimmed().isEmpty())
            out << QString::fromUtf8(line.trimmed());
    }
    if (!out.isEmpty() && out.first() == QString::fromUtf8(sent))
        out.removeFirst();
    return out.join('|');
}

class Dialogue {
public:
    explicit Dialogue(ModemSim& sim) : sim_(sim) {}

    // What the step found, written as the step is when it holds.
    QString step(const QString& s) {
        if (s.startsWith('@')) {
            role_ = s.mid(1);
            return s;
        }
        if (s.startsWith("!! "))
            return sim_.command(controlWords(s.mid(3))) ? "taken: " + s : s;
        if (s.startsWith("! ")) {
            const QString command = s.mid(2).section(" ~ ", 0, 0);
            const QString wanted = s.section(" ~ ", 1);
            bool ok = false;
            const QString answer = sim_.control(controlWords(command), &ok);
            if (!ok)
                return "refused: " + s;
            return answer.contains(wanted) ? s : s + " | answer: " + answer;
        }
        if (s.startsWith("write ")) {
            port().write(s.mid(6).toUtf8());
            return s;
        }
        if (s == "<< nothing") {
            const QByteArray said = port().readFor(200);
            return said.isEmpty() ? s : "<< " + QString::fromUtf8(said);
        }
        if (s.startsWith("<< ")) {
            const QByteArray said = port().readUntil(s.mid(3).toUtf8(), 2000);
            return said.contains(s.mid(3).toUtf8()) ? s : "<< " + QString::fromUtf8(said);
        }
        if (s == "close") {
            clients_.erase(role_);
            return s;
        }
        if (s.startsWith("log ")) {
            const bool found =
                QTest::qWaitFor([&] { return sim_.transcript().contains(s.mid(4)); }, 2000);
            return found ? s : "no " + s;
        }
        if (s.startsWith("no log "))
            return sim_.transcript().contains(s.mid(7)) ? s.mid(3) : s;
        for (const char* mark : {" > ", " ~ ", " # "}) {
            const qsizetype at = s.indexOf(mark);
            if (at < 0)
                continue;
            const QByteArray command = s.left(at).toUtf8();
            const QString wanted = s.mid(at + 3);
            const QString answer = lines(port().command(command), command);
            const QString head = s.left(at + 3);
            if (mark[1] == '>')
                return head + answer;
            if (mark[1] == '~')
                return answer.contains(wanted) ? s : head + answer;
            const QString text = wanted.section(' ', 1);
            return head + QString::number(answer.count(text)) + ' ' + text;
        }
        return "not a step: " + s;
    }

private:
    PtyClient& port() {
        auto& client = clients_[role_];
        if (!client)
            client = std::make_unique<PtyClient>(role_ == "data" ? sim_.dataPort() : sim_.atPort());
        return *client;
    }

    ModemSim& sim_;
    QString role_ = "at";
    std::map<QString, std::unique_ptr<PtyClient>> clients_;
};

void row(const char* name, const QString& scenario, const QStringList& steps) {
    QTest::newRow(name) << scenario << steps;
}

} // namespace

class TestModemSimDialogues : public QObject {
    Q_OBJECT
private slots:
    void dialogue_data();
    void dialogue() {
        QFETCH(QString, scenario);
        QFETCH(QStringList, steps);
        ModemSim sim;
        QVERIFY(sim.start(scenario));
        Dialogue dialogue(sim);
        QStringList found;
        for (const QString& step : steps)
            found << dialogue.step(step);
        QCOMPARE(found, steps);
    }
};

void TestModemSimDialogues::dialogue_data() {
    QTest::addColumn<QString>("scenario");
    QTest::addColumn<QStringList>("steps");
    const QString wrongPuk = "AT+CPIN=\"00000000\",\"4321\" > +CME ERROR: incorrect password";

    // --- the SIM -------------------------------------------------------------------
    row("PIN tries lead to the PUK, PUK tries block", "pin",
        QStringList{
            "AT+CPIN? > +CPIN: SIM PIN|OK", "AT+CIMI > +CME ERROR: SIM PIN required",
            "AT+CPMS? > +CMS ERROR: 311", "AT+CPIN=\"0000\" > +CME ERROR: incorrect password",
            "AT+CPIN=\"1111\" > +CME ERROR: incorrect password",
            "AT+CPIN=\"2222\" > +CME ERROR: SIM PUK required", "AT+CPIN? > +CPIN: SIM PUK|OK",
            "AT+CPIN=\"1234\" > +CME ERROR: SIM PUK required"} +
            QStringList(9, wrongPuk) +
            QStringList{"AT+CPIN=\"00000000\",\"4321\" > +CME ERROR: SIM failure",
                        "AT+CPIN? > +CME ERROR: SIM failure",
                        "AT+CPIN=\"12345678\",\"4321\" > +CME ERROR: SIM failure",
                        "! state ~ sim=blocked"});
    row("the PUK sets a new PIN", "puk",
        {"AT+CPIN=\"12345678\",\"12\" > +CME ERROR: incorrect parameters",
         "AT+CPIN=\"12345678\",\"4321\" > OK", "AT+CPIN? > +CPIN: READY|OK",
         "AT+CLCK=\"SC\",0,\"1234\" > +CME ERROR: incorrect password",
         "AT+CLCK=\"SC\",0,\"4321\" > OK", "AT+CPIN=\"4321\" > +CME ERROR: operation not allowed"});
    row("wrong PINs in any command share the tries; a locked SIM asks again", "ready",
        {"AT+CLCK=\"SC\",1,\"1234\" > OK", "AT+CPWD=\"SC\",\"1234\",\"5678\" > OK",
         "AT+CPWD=\"SC\",\"1234\",\"1111\" > +CME ERROR: incorrect password",
         "AT+CLCK=\"SC\",0,\"1234\" > +CME ERROR: incorrect password",
         "AT+CLCK=\"SC\",1,\"5678\" > OK",
         "AT+CPWD=\"SC\",\"0000\",\"1111\" > +CME ERROR: incorrect password",
         "AT+CPWD=\"SC\",\"0000\",\"1111\" > +CME ERROR: incorrect password",
         "AT+CPWD=\"SC\",\"0000\",\"1111\" > +CME ERROR: SIM PUK required",
         "AT+CPIN=\"12345678\",\"2468\" > OK", "! sim remove", "! sim insert",
         "AT+CPIN? > +CPIN: SIM PIN|OK", "AT+CPIN=\"2468\" > OK"});
    row("numeric errors, per port", "pin",
        {"AT+CMEE=1 > OK", "AT+CPIN=\"0000\" > +CME ERROR: 16", "AT+CMEE=0 > OK",
         "AT+CPIN=\"0000\" > ERROR", "AT+CMGL=4 > ERROR", "@data",
         "AT+CPIN=\"0000\" > +CME ERROR: SIM PUK required"});
    row("a busy SIM answers busy first", "busy",
        {"AT+CPIN? > +CME ERROR: SIM busy", "AT+CSQ > +CSQ: 22,99|OK",
         "AT+YUSIM=? > +CME ERROR: SIM busy", "AT+CPMS? > +CMS ERROR: 314",
         "AT+CPBR=? > +CME ERROR: SIM busy", "AT+CPIN? > +CPIN: READY|OK",
         "AT+YUSIM=? > +YUSIM: 1|OK", "! sim-busy 1", "AT+CIMI > +CME ERROR: SIM busy",
         "AT+CIMI > 262019876543210|OK"});
    row("a missing SIM, inserted", "nosim",
        {"AT+CIMI > +CME ERROR: SIM failure", "AT+CMGL=4 > +CMS ERROR: 313",
         "AT+CREG? > +CREG: 0,0|OK", "! sim insert", "AT+CPIN? > +CPIN: READY|OK",
         "AT+CREG? > +CREG: 0,1|OK", "! sim remove", "! sim-absent-error not-inserted",
         "AT+CPBR=1,20 > +CME ERROR: SIM not inserted"});

    // --- messages ------------------------------------------------------------------
    row("storages and their counts", "ready",
        {"AT+CPMS=? > +CPMS: (\"SM\",\"ME\",\"SR\"),(\"SM\",\"ME\"),(\"SM\",\"ME\")|OK",
         "AT+CPMS? > +CPMS: \"SM\",5,20,\"SM\",5,20,\"SM\",5,20|OK",
         "AT+CPMS=\"ME\",\"ME\",\"ME\" > +CPMS: 3,100,3,100,3,100|OK",
         "AT+CPMS=\"SM\" > +CPMS: 5,20,3,100,3,100|OK",
         "AT+CPMS? > +CPMS: \"SM\",5,20,\"ME\",3,100,\"ME\",3,100|OK",
         "AT+CPMS=\"XX\",\"ME\",\"ME\" > +CMS ERROR: 302",
         "AT+CPMS=\"SR\" > +CPMS: 0,20,3,100,3,100|OK", "AT+CPMS=\"SM\",\"SR\" > +CMS ERROR: 302",
         "AT+CPMS > ERROR"});
    row("a full modem memory", "mefull",
        {"AT+CPMS? > +CPMS: \"ME\",100,100,\"ME\",100,100,\"ME\",100,100|OK"});
    row("listing and reading mark unread as read", "ready",
        {"AT+CMGL=0 ~ +CMGL: 1,0,,46|0791947106004034040C91947111325476", "AT+CMGL=0 > OK",
         "AT+CMGL=1 # 3 +CMGL:", "AT+CMGL=4 # 5 +CMGL:", "AT+CMGL=2 # 1 +CMGL: 5,2,,",
         "AT+CMGL=3 # 1 +CMGL: 4,3,,", "AT+CPMS=\"ME\",\"ME\",\"ME\" # 1 +CPMS",
         "AT+CMGR=1 ~ +CMGR: 0,,", "AT+CMGR=1 ~ +CMGR: 1,,", "AT+CMGR=50 > OK",
         "AT+CMGR=101 > +CMS ERROR: 321"});
    row("writes stored with their index until full", "ready",
        {"! storage SM 7", "AT+CMGW=18,2 > >", kSubmit + "\x1a > +CMGW: 6|OK",
         "log sms-written storage=SM index=6 status=2 pdu=" + kSubmit +
             " | SUBMIT to +0987654321 7bit: hello",
         "AT+CMGW=18,3 > >", kSubmit + "\x1a > +CMGW: 7|OK",
         "AT+CPMS? > +CPMS: \"SM\",7,7,\"SM\",7,7,\"SM\",7,7|OK", "AT+CMGW=18 > >",
         kSubmit + "\x1a > +CMS ERROR: 322", "AT+CMGL=3 ~ +CMGL: 7,3,,18|" + kSubmit});
    row("sends recorded, Esc cancels, no network sends nothing", "ready",
        {"AT+CMGS=18 > >", kSubmit + "\x1b > OK", "log sms-cancelled",
         "log at < " + kSubmit + "\\x1b", "AT+CMGS=18 > >", kSubmit + "\x1a > +CMGS: 1|OK",
         "AT+CMGS=18 > >", kSubmit + "\x1a > +CMGS: 2|OK",
         "log sms-sent ref=2 length=18 pdu=" + kSubmit, "! operator none", "AT+CMGS=18 > >",
         kSubmit + "\x1a > +CMS ERROR: 331", "no log sms-sent ref=3"});
    row("the body's length must match", "ready",
        {"AT+CMGS=17 > >", kSubmit + "\x1a > +CMS ERROR: 304", "AT+CMGW=18 > >",
         "0691ZZ\x1a > +CMS ERROR: 304", "AT+CMGS > +CMS ERROR: 304", "AT > OK",
         "no log sms-sent"});
    row("delete flags", "ready",
        {"AT+CMGD=4 > OK", "AT+CMGD=4 > OK", "AT+CMGD=21 > +CMS ERROR: 321", "AT+CMGD=1,1 > OK",
         "AT+CMGL=4 # 2 +CMGL:", "AT+CMGD=1,4 > OK", "AT+CMGL=4 > OK",
         "AT+CPMS? > +CPMS: \"SM\",0,20,\"SM\",0,20,\"SM\",0,20|OK"});
    row("arrivals announced", "ready",
        {"! deliver +4917012345 'Hi there' ~ index=6", "<< +CMTI: \"SM\",6", "AT+YSMSD=2 > OK",
         "AT+YSMSD? > +YSMSD: 2|OK", "! deliver +4917012345 Zweite ~ index=4", "<< +CMTI: \"ME\",4",
         "! deliver-pdu "
         "07911326040000F0040B911346610089F60000208062917314080CC8F71D14969741F977FD07 SM ~ "
         "index=7",
         "<< +CMTI: \"SM\",7",
         "AT+CMGR=7 > +CMGR: 0,,30|"
         "07911326040000F0040B911346610089F60000208062917314080CC8F71D14969741F977FD07|OK",
         "! messages SM ~ DELIVER from +31641600986 7bit: How are you?", "AT+CNMI=2,0,0,0,0 > OK",
         "! deliver +4917012345 quiet ~ index=5", "<< nothing", "! storage SM 7",
         "!! deliver +4917012345 'one too many' SM"});

    // --- the phonebook ---------------------------------------------------------------
    row("ranges", "ready",
        {"AT+CPBS? > +CPBS: \"SM\",5,250|OK", "AT+CPBS=\"SM\" > OK",
         "AT+CPBS=\"ME\" > +CME ERROR: operation not supported",
         "AT+CPBR=? > +CPBR: (1-250),40,20|OK",
         "AT+CPBR=1,20 # 5 +CPBR:", "AT+CPBR=1,20 ~ +CPBR: 5,\"0301234567\",129,\"Office\"",
         "AT+CPBR=3,5 # 2 +CPBR:", "AT+CPBR=4 > OK", "AT+CPBR=241,250 > OK",
         "AT+CPBR=0,20 > +CME ERROR: invalid index", "AT+CPBR=241,251 > +CME ERROR: invalid index",
         "AT+CPBR=20,1 > +CME ERROR: invalid index", "! phonebook-size 20",
         "AT+CPBR=? > +CPBR: (1-20),40,20|OK"});
    row("names follow the character set", "ready",
        {"AT+CSCS=? > +CSCS: (\"IRA\",\"GSM\",\"UCS2\")|OK",
         "AT+CPBR=3 > +CPBR: 3,\"+491625550123\",145,\"J?rgen M?ller\"|OK", "AT+CSCS=\"UCS2\" > OK",
         "AT+CSCS? > +CSCS: \"UCS2\"|OK",
         "AT+CPBR=3 > +CPBR: "
         "3,\"+491625550123\",145,\"004A00FC007200670065006E0020004D00FC006C006C00650072\"|OK",
         "AT+CPBW=10,\"+48601234567\",145,\"0141006F007400720020004B\" > OK",
         "AT+CPBR=10 > +CPBR: 10,\"+48601234567\",145,\"0141006F007400720020004B\"|OK",
         "! contacts ~ 10 \"+48601234567\" \"Łotr K\"", "log alpha=810602C16F7472204B",
         "! name-length 14",
         "AT+CPBW=3,\"+491625550123\",145,"
         "\"004A00FC007200670065006E0020004D00FC006C006C00650072\" > OK",
         "log alpha=4A7E7267656E204D7E6C6C6572",
         "AT+CPBW=3,\"1\",129,\"01410075006B00610073007A0020004E006F00770061006B\" > "
         "+CME ERROR: text string too long",
         "AT+CPBW=11,\"123\",129,\"41G\" > +CME ERROR: invalid characters in text string",
         "AT+CPBW=11,\"123\",129,\"004\" > +CME ERROR: invalid characters in text string",
         "AT+CSCS=\"GSM\" > OK", "AT+CPBR=10 > +CPBR: 10,\"+48601234567\",145,\"?otr K\"|OK",
         "AT+CSCS=\"KOI8\" > +CME ERROR: operation not supported"});
    row("writes, erasures and their errors", "ready",
        {"! phonebook-size 8", "AT+CPBW=,\"111\",129,\"Free place\" > OK",
         "AT+CPBR=4 > +CPBR: 4,\"111\",129,\"Free place\"|OK", "AT+CPBW=,\"222\",129,\"B\" > OK",
         "AT+CPBW=,\"333\",129,\"C\" > OK", "AT+CPBW=,\"444\",129,\"D\" > +CME ERROR: memory full",
         "AT+CPBW=9,\"444\",129,\"D\" > +CME ERROR: invalid index",
         "AT+CPBW=1,\"444\",129,\"A name that is much too long\" > "
         "+CME ERROR: text string too long",
         "AT+CPBW=1,\"" + QString(41, '1') + "\",129,\"x\" > +CME ERROR: dial string too long",
         "AT+CPBW=1,\"4930123\",145,\"Intl\" > OK",
         "AT+CPBR=1 > +CPBR: 1,\"+4930123\",145,\"Intl\"|OK", "AT+CPBW=5 > OK", "AT+CPBR=5 > OK",
         "AT+CPBS? > +CPBS: \"SM\",7,8|OK", "log contact-erased index=5"});
    row("an override at run time", "ready",
        {"! on AT+CPBR=* reply '+CME ERROR: SIM busy'", "AT+CPBR=1,20 > +CME ERROR: SIM busy",
         "! overrides-clear", "AT+CPBR=4 > OK"});
    row("the newer generation refuses the extended forms", "ready",
        {"AT+YCPBR=? > command not support|ERROR", "AT+YCPBM=? > command not support|ERROR"});
    row("the older generation answers a USIM's reads in its own form", "oldusim",
        {"AT+YCPBR=? > +YCPBR: (1-250),40,20|OK", "AT+YCPBM=? > ERROR", "AT+CSCS=\"UCS2\" > OK",
         "AT+CPBR=1,3 > +YCPBR: 1,\"+491711234567\",\"416E6E6120426572676572\"|"
         "+YCPBR: 2,\"+491739876543\",\"42656E204F6B61666F72\"|"
         "+YCPBR: 3,\"+491625550123\",\"80004A00FC007200670065006E0020004D00FC006C006C00650072\"|"
         "OK",
         "AT+CPBW=9,\"555\",129,\"4142\" > OK", "! contacts ~ 9 \"555\" \"AB\"", "! sim-type sim",
         "AT+YUSIM=? > +YUSIM: 0|OK", "AT+CPBR=9 > +CPBR: 9,\"555\",129,\"4142\"|OK"});

    row("what comes before the AT prefix is ignored", "ready",
        {"\033AT+CSQ > +CSQ: 22,99|OK", "zz at > OK"});

    // --- the network and the data port --------------------------------------------------
    row("status follows the controls", "ready",
        {"! signal 3", "! service GSM CS_ONLY", "AT+CSQ > +CSQ: 3,99|OK",
         "AT+YPAS? > +YPAS: \"GSM\",\"CS_ONLY\"|OK", "! service none", "! operator none",
         "AT+YPAS? > OK", "AT+YDON? > OK", "AT+COPS? > +COPS: 0|OK", "AT+CREG? > +CREG: 0,2|OK"});
    row("operator list and manual selection", "ready",
        {"AT+COPS=? > +COPS: (2,\"Tolva Mobile\",\"Tolva\",\"26207\",2),(1,\"Mirel\",\"Mirel\","
         "\"26201\",2),(1,\"Mirel\",\"Mirel\",\"26201\",0),(3,\"Borra "
         "Net\",\"Borra\",\"26203\",0),,"
         "(0,1,3,4),(0,2)|OK",
         "AT+COPS=1,2,26201,0 > OK", "AT+YDON? > +YDON: \"Mirel\"|OK",
         "AT+COPS? > +COPS: 1,2,\"26201\",0|OK", "log registered on 26201 Mirel",
         "AT+COPS=1,2,\"26207\",2 > OK", "AT+COPS=3,0 > OK",
         "AT+COPS? > +COPS: 1,0,\"Tolva Mobile\",2|OK",
         "AT+COPS=1,2,26207,0 > +CME ERROR: no network service",
         "AT+COPS=1,2,26203,0 > +CME ERROR: network not allowed - emergency calls only",
         "AT+COPS=1,2,26201, > OK", "AT+COPS=0 > OK", "AT+COPS=? ~ +COPS: (1,\"Tolva Mobile\""});
    row("mode preference and operating mode", "ready",
        {"AT+YSNT=0,0 > ERROR", "AT+YOPRT=6 > OK", "AT+CSQ > +CSQ: 99,99|OK", "AT+YPAS? > OK",
         "AT+CFUN? > +CFUN: 4|OK", "AT+CFUN=1 > OK", "AT+YOPRT? > +YOPRT: 5|OK",
         "AT+CGDCONT=1,\"IP\",\"internet.tolva\" > OK",
         "AT+CGDCONT? > +CGDCONT: 1,\"IP\",\"internet.tolva\"|OK",
         "AT+CGDCONT=17,\"IP\",\"x\" > ERROR"});
    row("dialling as a dialer does", "ready",
        {"@data", "ATZ > OK", "ATQ0 V1 E1 S0=0 &C1 &D2 +FCLASS=0 > OK", "ATDT*99# > CONNECT",
         "write AT\r\n", "<< nothing", "write +++", "<< OK", "ATH > OK", "ATD*99# > CONNECT",
         "! hangup", "<< NO CARRIER", "AT > OK", "log dial *99#", "log data 4 bytes",
         "ATDT*99# > CONNECT", "close", "log call ended: port closed", "ATZ > OK"});
    row("no call without a SIM, nor on the AT port", "pin",
        {"@data", "ATDT*99# > NO CARRIER", "@at", "AT+CPIN=\"1234\" > OK", "ATDT*99# > NO CARRIER",
         "@data", "ATDT*99# > CONNECT"});
}

QTEST_GUILESS_MAIN(TestModemSimDialogues)
#include "test_modemsim_dialogues.moc"
