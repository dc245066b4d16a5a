// Short-message commands against the simulator (PDU mode): what the card is
// sent, what it stored and what the caller gets.

#include "tests/modem/simlink.h"

using L = SerialThread;
using S = MessageStorage;

namespace {

// "hello" to +0987654321 through service centre +1234567890: 18 octets.
const QByteArray kSubmit = "0691214365870911000A91907856341200000005E8329BFD06";

// Index and status of each listed message.
Step listed(MessageStorage storage, int stat) {
    return [=](L& l, const ModemSim&) {
        const auto list = completion(l, &L::getSmsContent, storage, stat);
        if (!list || !*list)
            return QString("none");
        QStringList out;
        for (const ModemMessage& m : **list)
            out << QString("%1:%2").arg(m.index).arg(m.stat);
        return out.join(' ');
    };
}

QString sentPdus(L&, const ModemSim& sim) {
    return sim.sentPdus().join(' ');
}

} // namespace

class TestSmsCommands : public LinkTableTest {
    Q_OBJECT
private slots:
    void commands_data();
    void commands() { runRow(); }
};

void TestSmsCommands::commands_data() {
    const Step csq = ask(&L::getSignalQuality);
    const Step free = ask(&L::getSmsMem);
    const QString cpmsSim = "AT+CPMS=\"SM\",\"SM\",\"SM\"";
    const QString cpmsModem = "AT+CPMS=\"ME\",\"ME\",\"ME\"";
    const QString refuseStorage = "on AT+CPMS=* reply '+CMS ERROR: 302'";
    table();
    // --- storages ------------------------------------------------------------
    row("storage refused", {"ready", refuseStorage}, {ask(&L::setShortMsgStorageMode, S::Sim)},
        {cpmsSim}, "no");
    row("free places where messages arrive",
        {"ready", R"(on AT+CPMS? reply '+CPMS: "SM",3,20,"SM",3,20,"ME",5,100' OK)"}, {free},
        {"AT+CPMS?"}, "95");
    row("full storage", {"mefull"}, {free}, {"AT+CPMS?"}, "0");
    row("a slow modem isn't a full one", {"ready", "on AT+CPMS? noreply"}, {impatient, free},
        {"AT+CPMS?"}, "-1");
    row("free places refused", {"ready", "on AT+CPMS? reply ERROR"}, {free}, {"AT+CPMS?"}, "-1");
    row("free places without a port", {"ready"}, {[](L&, const ModemSim&) {
            L unplugged;
            return await(unplugged, &L::getSmsMem);
        }},
        {}, "-1");

    // --- lists and reads -----------------------------------------------------
    row("all on the SIM", {"ready"}, {listed(S::Sim, 4)}, {cpmsSim, "AT+CMGL=4"},
        "1:0 2:1 3:1 4:3 5:2");
    row("unread in the modem", {"ready"}, {listed(S::Modem, 0)}, {cpmsModem, "AT+CMGL=0"}, "1:0");
    row("list status out of range", {"ready"}, {listed(S::Sim, 5)}, {}, "none");
    row("list without its storage", {"ready", refuseStorage}, {listed(S::Sim, 4)}, {cpmsSim},
        "none");
    row("list refused", {"ready", "on AT+CMGL=* reply '+CMS ERROR: 500'"}, {listed(S::Sim, 4)},
        {cpmsSim, "AT+CMGL=4"}, "none");
    row("read", {"ready"}, {ask(&L::getIndexSms, 1)}, {"AT+CMGR=1"}, "-1 0 '' 46 079194710600");
    row("read an empty place, then beyond the storage", {"ready"},
        {ask(&L::getIndexSms, 6), ask(&L::getIndexSms, 50)}, {"AT+CMGR=6", "AT+CMGR=50"},
        "empty, empty");
    row("read while the SIM is busy", {"ready", "on AT+CMGR=* reply '+CME ERROR: SIM busy'"},
        {ask(&L::getIndexSms, 1)}, {"AT+CMGR=1"}, "failed");

    // --- deleting: only an OK counts -------------------------------------------
    row("delete on the SIM and in the modem", {"ready"},
        {ask(&L::deleteSms, S::Sim, 1), stored("SM"), ask(&L::deleteSms, S::Modem, 2),
         stored("ME")},
        {cpmsSim, "AT+CMGD=1", cpmsModem, "AT+CMGD=2"}, "yes, 4, yes, 2");
    row("delete refused", {"ready", "on AT+CMGD=* reply ERROR"},
        {ask(&L::deleteSms, S::Modem, 1), stored("ME")}, {cpmsModem, "AT+CMGD=1"}, "no, 3");
    row("no delete without the storage", {"ready", refuseStorage},
        {ask(&L::deleteSms, S::Modem, 1), stored("ME")}, {cpmsModem}, "no, 3");

    // --- sending and writing: the body after the prompt ------------------------
    row("send", {"ready"}, {ask(&L::sendMsgCMGSCmd, 18, kSubmit), sentPdus},
        {"AT+CMGS=18", kSubmit + "\x1a"}, "1, " + kSubmit);
    row("send refused at the command: no body, the link goes on",
        {"ready", "on AT+CMGS=* reply '+CMS ERROR: 500'"},
        {ask(&L::sendMsgCMGSCmd, 18, kSubmit), csq}, {"AT+CMGS=18", "AT+CSQ"}, "none, 5");
    row("body of the wrong length refused", {"ready"},
        {ask(&L::sendMsgCMGSCmd, 5, QByteArray("0011000A91\x1a")), csq},
        {"AT+CMGS=5", "0011000A91\x1a", "AT+CSQ"}, "none, 5");
    row("body that isn't hexadecimal never sent", {"ready"},
        {ask(&L::sendMsgCMGSCmd, 18, QByteArray("00zz\x1a")),
         ask(&L::sendMsgCMGSCmd, 18,
             QByteArray("0011\x1b"
                        "00\x1a")),
         ask(&L::moveMsgCMGWCmd, 18, 3, QByteArray("0011\r\nAT\x1a"))},
        {}, "none, none, none");
    row("send unanswered: the link goes on", {"ready", "on AT+CMGS=* noreply"},
        {impatient, ask(&L::sendMsgCMGSCmd, 18, kSubmit), csq}, {"AT+CMGS=18", "\033AT+CSQ"},
        "none, 5");
    row("prompt too late: the body is not sent, the link goes on",
        {"ready", "on AT+CMGS=* delay 400"}, {impatient, ask(&L::sendMsgCMGSCmd, 18, kSubmit), csq},
        {"AT+CMGS=18", "\x1b", "AT+CSQ"}, "none, 5");
    row("no network", {"ready", "operator none"}, {ask(&L::sendMsgCMGSCmd, 18, kSubmit), sentPdus},
        {"AT+CMGS=18", kSubmit + "\x1a"}, "none");
    row("write", {"ready"}, {ask(&L::moveMsgCMGWCmd, 18, 3, kSubmit), stored("SM")},
        {"AT+CMGW=18,3", kSubmit + "\x1a"}, "6, 6");
    row("write refused: the caller keeps its copy",
        {"ready", "on AT+CMGW=* reply '+CMS ERROR: 322'"},
        {ask(&L::moveMsgCMGWCmd, 18, 3, kSubmit), stored("SM")}, {"AT+CMGW=18,3"}, "none, 5");
    row("write into a full storage", {"ready", "storage SM 5"},
        {ask(&L::moveMsgCMGWCmd, 18, 2, kSubmit), stored("SM")}, {"AT+CMGW=18,2", kSubmit + "\x1a"},
        "none, 5");

    // --- settings ------------------------------------------------------------
    row("notices and format", {"ready", "on AT+CMGF=1 reply ERROR"},
        {ask(&L::setNewMsgNoticeMode), ask(&L::getMsgFormat), ask(&L::setMsgFormat, 0),
         ask(&L::setMsgFormat, 2), ask(&L::setMsgFormat, 1)},
        {"AT+CNMI=3,1,0,2,0", "AT+CMGF?", "AT+CMGF=0", "AT+CMGF=1"}, "yes, 0, yes, no, no");
    row("new messages kept in the modem", {"ready"},
        {ask(&L::getNewSmsPreferStorage), ask(&L::setNewSmsPreferNVStorage),
         ask(&L::getNewSmsPreferStorage)},
        {"AT+YSMSD?", "AT+YSMSD=2", "AT+YSMSD?"}, "0, yes, 2");
    row("where new messages go, refused", {"ready", "on AT+YSMSD? reply ERROR"},
        {ask(&L::getNewSmsPreferStorage)}, {"AT+YSMSD?"}, "-1");
}

QTEST_GUILESS_MAIN(TestSmsCommands)
#include "test_smscommands.moc"
