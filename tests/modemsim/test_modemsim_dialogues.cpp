// What the simulated card answers, as dialogues on its ports: the SIM (PIN,
// PUK, lock, busy, missing), message storages (lists, reads, writes, sends,
// deletes, arrivals), the phonebook (ranges, character sets, errors, the
// older generation), the network and data port, and other makers' cards.
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
//   "<< +CMTI: \"SM\",6"            the card sends the text unasked (now or before)
//   "<< nothing"                    the card says nothing new for 200 ms
//   "close"                         the port is closed (and opened again by the next step)
//   "log sms-cancelled"             the transcript holds the text (within 2 s)
//   "no log sms-sent"               ... and not

#include "tests/modemsim/controlwords.h"
#include "tests/modemsim/ptyclient.h"
#include "tests/support/modemsim.h"

#include <QtTest>

#include <map>
#include <memory>
#include <utility>

namespace {

// "hello" to +0987654321 via +1234567890: TPDU of 18 octets.
const QString kSubmit = "0691214365870911000A91907856341200000005E8329BFD06";

bool isFinal(const QByteArray& line) {
    return line == "OK" || line == "ERROR" || line.startsWith("+CME ERROR:") ||
           line.startsWith("+CMS ERROR:") || line == "COMMAND NOT SUPPORT" || line == "CONNECT" ||
           line == "NO CARRIER" || line == ">";
}

// The lines of an answer up to its final result joined by '|', without empty
// lines and without the echo of `sent` (a command line, or a message body
// with its Ctrl-Z or Esc); what came after the final result goes to `after`.
QString lines(const QByteArray& answer, QByteArray sent, QByteArray* after) {
    while (sent.endsWith('\x1a') || sent.endsWith('\x1b'))
        sent.chop(1);
    QStringList out;
    const QList<QByteArray> split = answer.split('\n');
    for (qsizetype i = 0; i < split.size(); ++i) {
        const QByteArray line = split[i].trimmed();
        if (!line.isEmpty())
            out << QString::fromUtf8(line);
        if (isFinal(line)) {
            *after += split.mid(i + 1).join('\n');
            break;
        }
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
            unread_.clear();
            const QByteArray said = port().readFor(200);
            return said.trimmed().isEmpty() ? s : "<< " + QString::fromUtf8(said);
        }
        if (s.startsWith("<< ")) {
            const QByteArray wanted = s.mid(3).toUtf8();
            if (!unread_.contains(wanted))
                unread_ += port().readUntil(wanted, 2000);
            const qsizetype at = unread_.indexOf(wanted);
            if (at < 0)
                return "<< " + QString::fromUtf8(std::exchange(unread_, {}));
            unread_.remove(at, wanted.size());
            return s;
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
            const QString answer = lines(port().command(command), command, &unread_);
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
    QByteArray unread_; // notices read with an answer or by "<<", not yet waited for
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
    // --- other makers' cards, as their public documentation, other projects'
    // test data and bug reports show them (tools/modemsim/README.md) -------------
    const QString stores = "(\"ME\",\"MT\",\"SM\",\"SR\"),(\"ME\",\"MT\",\"SM\"),(\"ME\",\"SM\")";
    const QString bands = ",3FFFFFFF,1,2,7FFFFFFFFFFFFFFF";
    const QString ussd = "+CUSD: 0,\"D9775D0E1287D961F7B80C4ACF4131996B460315AB5216C81E66A7C9A0B"
                         "A9B9E66836631574CE692C1643617\",15";
    row("a plain LTE stick answers in 27.007 alone", "stick",
        {"AT+YPAS? > ERROR",
         "AT+COPS? > +COPS: 0,0,\"Tolva Mobile\",7|OK",
         "AT+CSQ > +CSQ: 99,99|OK",
         "AT+CESQ > +CESQ: 99,99,255,255,23,45|OK",
         "AT+CEREG? > +CEREG: 0,1|OK",
         "AT+CGREG? > +CGREG: 0,0|OK",
         "AT+WS46=? > +WS46: (12,22,25,28-31)|OK",
         "AT+CPIN=\"1234\" > +CME ERROR: 3",
         "AT+CNMI? > +CNMI: 0,0,0,0,0|OK",
         "! deliver +4917012345 Hi",
         "<< nothing",
         "AT+CNMI=2,1,0,0,0 > OK",
         "! deliver +4917012345 Hi",
         "<< +CMTI: \"SM\",7",
         "AT+CNMI=2,2,0,0,0 > OK",
         "! deliver +4917012345 Hi",
         "<< +CMT: ,",
         "AT+CPMS=? > +CPMS: " + stores + "|OK",
         "AT+CPMS=\"MT\",\"MT\",\"MT\" > +CMS ERROR: 302",
         "AT+CPMS=\"MT\",\"MT\",\"ME\" > +CPMS: 3,100,3,100,3,100|OK"});
    row("the stick's mode preference moves it", "stick",
        {"AT+WS46=23 > +CME ERROR: 4", "AT+WS46? > +WS46: 25|OK", "AT+WS46=22 ~ OK",
         "AT+WS46? ~ +WS46: 22", "AT+COPS? ~ \"Tolva Mobile\",2", "AT+WS46=12 ~ OK",
         "AT+WS46? ~ +WS46: 12", "AT+COPS? ~ \"Tolva Mobile\",0"});
    row("the stick's registration notices", "stick",
        {"AT+CEREG=2 > OK", "AT+CREG=2 > OK", "! technology 2", "<< +CEREG: 0",
         "<< +CREG: 1,\"00C3\",\"A13F\",2", "AT+CGREG=1 > OK", "! operator none", "<< +CGREG: 2"});
    row("the ^SYSCFGEX family", "syscfgex",
        {"! set chatter 0", "AT+CPROT=? > COMMAND NOT SUPPORT", "AT+YSNT? > COMMAND NOT SUPPORT",
         "AT+CESQ > COMMAND NOT SUPPORT", "AT+CSQ > +CSQ: 22,99|OK",
         "AT^SYSCFGEX? > ^SYSCFGEX: \"00\"" + bands + "|OK",
         "AT^SYSINFOEX > ^SYSINFOEX:2,3,0,1,,6,\"LTE\",101,\"LTE\"|OK",
         "AT^HCSQ? > ^HCSQ: \"LTE\",52,45,156,23|OK", "AT+CUSD=1,\"*100#\",15 > ERROR",
         "AT+CMGD=? > +CMGD: (0,1,2,3,4),(0-4)|OK",
         "AT+CPIN=\"1234\" > +CME ERROR: operation not allowed",
         "AT^SYSCFGEX=\"030201\"" + bands + ",, > +CME ERROR: incorrect parameters",
         "AT^SYSCFGEX? > ^SYSCFGEX: \"00\"" + bands + "|OK", "AT+COPS? ~ \"Tolva Mobile\",7",
         "AT^SYSCFGEX=\"02\"" + bands + ",, ~ OK", "AT^SYSCFGEX? ~ ^SYSCFGEX: \"02\"" + bands,
         "AT+COPS? ~ \"Tolva Mobile\",2"});
    row("the ^SYSCFGEX family's notices", "syscfgex",
        {"! set chatter 0", "AT+CNMI=2,1,0,0,0 > OK", "! deliver +4917012345 Hi",
         "<< +CMTI: \"SM\",5", "! signal 9", "<< ^RSSI:9", "! technology 2", "<< ^MODE:5,4",
         "AT+CUSD=1,\"AA180C3602\",15 ~ OK", "<< " + ussd, "AT^CURC=0 > OK", "! signal 12",
         "<< nothing"});
    row("the +QCFG family", "nwscanmode",
        {"<< +QIND: PB DONE", "ATI > Quectel|EC25|Revision: EC25EFAR06A11M4G|OK",
         "AT+QCFG=\"nwscanmode\" > +QCFG: \"nwscanmode\",0|OK",
         "AT+QNWINFO > +QNWINFO: \"FDD LTE\",\"26207\",\"LTE BAND 3\",1275|OK",
         "AT+QCSQ > +QCSQ: \"LTE\",-69,-96,155,-8|OK", "! signal 12", "<< nothing",
         "AT+QINDCFG=\"csq\",1 ~ OK", "! signal 9", "<< +QIND: \"csq\",9,99",
         "AT+QCFG=\"nwscanseq\",03 ~ OK", "AT+QCFG=\"nwscanseq\" ~ +QCFG: \"nwscanseq\",03",
         "AT+COPS? ~ \"Tolva Mobile\",2"});
    row("the +QCFG family's UMTS only", "nwscanmode",
        {"<< +QIND: PB DONE", "AT+QCFG=\"nwscanmode\",2,1 ~ OK",
         "AT+QCFG=\"nwscanmode\" ~ +QCFG: \"nwscanmode\",2", "AT+COPS? ~ \"Tolva Mobile\",2"});
    row("the +ZSNT family", "zsnt",
        {"! set chatter 0", "AT+ZPAS? > +ZPAS: \"LTE\",\"PS_ONLY\"|OK",
         "AT+ZSNT? > +ZSNT: 0,0,0|OK", "AT+ZSNT=? > ERROR", "AT+CPIN=\"1234\" > ERROR",
         "AT+ZOPRT? > +ZOPRT: 5|OK", "AT+ZSNT=1,0,0 ~ OK", "AT+ZSNT? ~ +ZSNT: 1,0,0",
         "AT+COPS? ~ \"Tolva Mobile\",0", "AT+ZSNT=0,0,2 ~ OK", "AT+ZSNT? ~ +ZSNT: 0,0,2",
         "AT+COPS? ~ \"Tolva Mobile\",2", "! technology 0", "! technology 2",
         "<< +ZPASR: \"UMTS\""});
    row("the maker's own card has no LTE commands", "ready",
        {"AT+CEREG? > ERROR", "AT+WS46? > ERROR"});
}

QTEST_GUILESS_MAIN(TestModemSimDialogues)
#include "test_modemsim_dialogues.moc"
