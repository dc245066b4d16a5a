#pragma once

#include "reply.h"

#include <chrono>
#include <functional>
#include <map>
#include <string>
#include <vector>

// Settings that belong to one port (channel) of the modem.
struct PortSettings {
    bool echo = true;
    bool quiet = false;
    bool verbose = true;
    int cmee = 2;
    bool dataPort = false; // the port that dials (ATD answers CONNECT)
    bool online = false;   // in a data call: bytes are data, not commands
};

struct StoredMessage {
    int status = 0;  // 0 received unread, 1 received read, 2 stored unsent, 3 stored sent
    std::string pdu; // hexadecimal, service-centre part included
};

struct MessageStorage {
    std::string name;
    int capacity = 0;
    std::map<int, StoredMessage> slots; // index -> message
    int first = 1;                      // the first index (some cards count from 0)

    int used() const { return static_cast<int>(slots.size()); }
    int last() const { return first + capacity - 1; }
    bool holds(int index) const { return index >= first && index <= last(); }
    int firstFree() const; // -1 when full
    // Counts from `newFirst` on, moving the stored messages along.
    void renumber(int newFirst);
};

struct Contact {
    std::string number;
    std::u16string name;
};

struct Network {
    int status = 1; // 0 unknown, 1 available, 2 current, 3 forbidden
    std::string longName, shortName, numeric;
    int act = 2; // 3GPP TS 27.007 <AcT>: 0 GSM, 2 UTRAN, 3 EDGE, 4-6 HSPA, 7 E-UTRAN
};

// The command set the card speaks besides 3GPP TS 27.007/27.005.
enum class Dialect {
    Maker,      // the maker's "+Y" commands (the card the program was written for)
    Standard,   // none: a plain 27.007 LTE stick
    Syscfgex,   // "^SYSCFGEX", "^SYSINFOEX", "^HCSQ", "^RSSI", "^MODE", "^CURC"
    Nwscanmode, // "+QCFG=\"nwscanmode\"", "+QNWINFO", "+QCSQ", "+QINDCFG"
    Zsnt,       // "+ZSNT", "+ZPAS", "+ZOPRT", "+ZPASR", "+ZUSIMR"
};

// The dialect a scenario names ("standard", "syscfgex" ...); false for none.
bool dialectNamed(const std::string& name, Dialect& dialect);
const char* dialectName(Dialect dialect);

// Radio families a mode preference allows or prefers (bits).
namespace rat {
constexpr unsigned G2 = 1, G3 = 2, G4 = 4, All = 7;
unsigned family(int act); // the family of a 27.007 <AcT>
} // namespace rat

// What the status notices compare: taken before a command or a control
// change and compared after it.
struct RadioSnapshot {
    int creg = 0, cgreg = 0, cereg = 0; // registration status of each command
    int act = 0;
    int rssi = 0;
};

// A sent message as the modem recorded it.
struct SentMessage {
    int reference = 0;
    std::string pdu;
};

// A status report the network is to send on a sent message.
struct PendingReport {
    std::chrono::steady_clock::time_point due;
    int reference = 0;
    std::string recipient;
    int status = 0;
};

enum class SimState { Ready, NeedPin, NeedPuk, Blocked };

// The whole modem and SIM. One instance is shared by all ports.
struct ModemState {
    // identity
    std::string manufacturer = "Velto";
    std::string model = "VM-3G";
    std::string revision = "11.608.13.02.55";
    std::string imei = "358011020345678";
    std::string imsi = "262019876543210";
    std::string ownNumber = "+491701234567";
    bool newPlatform = true;

    // SIM
    bool simPresent = true;
    bool usim = true;
    SimState sim = SimState::Ready;
    bool pinLock = false;
    std::string pin = "1234";
    std::string puk = "12345678";
    int pinTries = 3;
    int pukTries = 10;
    int simBusy = 0;                   // SIM queries still answered "SIM busy"
    int absentError = cme::SimFailure; // what SIM queries answer without a SIM

    // radio and network
    int operatingMode = 5; // +YOPRT: 5 online, 6 offline
    int rssi = 20;
    int ber = 99;
    std::string serviceMode = "UMTS";    // first +YPAS field; empty: no service
    std::string serviceDomain = "CS_PS"; // second +YPAS field
    std::string operatorName = "Tolva";  // empty: not registered
    std::vector<Network> networks;
    int copsMode = 0;
    int copsFormat = 0;
    int cregMode = 0;
    std::string modePreference = "2,0,0";   // +YSNT
    std::map<int, std::string> pdpContexts; // cid -> parameters as given
    int act = 2;                            // access technology of the registered network
    int cgregMode = 0, ceregMode = 0;       // +CGREG / +CEREG notices (+CREG: cregMode)
    std::string lastNumeric;                // the operator a mode preference took the card off

    // other cards' dialects
    Dialect dialect = Dialect::Maker;
    std::string modeValue;           // mode preference as the dialect's read command shows it
    std::string scanSequence = "00"; // +QCFG="nwscanseq"
    std::string modeChoices;         // the values its mode command takes ("12,22,25,28-31")
    std::string storageChoices;      // AT+CPMS=? (empty: the maker card's)
    std::string indicationChoices;   // AT+CNMI=? (empty: the maker card's)
    bool csqUnknownOnLte = false;    // AT+CSQ answers 99,99 on LTE (signal only in +CESQ)
    bool caretReports = true;        // ^CURC: periodic ^RSSI/^HCSQ lines
    bool signalIndication = false;   // +QINDCFG="csq": +QIND lines on signal changes
    bool simReportFlood = false;     // +ZUSIMR:2 lines until the first AT+CPMS?
    int scanMs = 0;                  // how long AT+COPS=? takes
    int chatterMs = 0;               // period of the dialect's unsolicited status lines

    // messages
    MessageStorage sm{"SM", 20, {}};
    MessageStorage me{"ME", 100, {}};
    MessageStorage sr{"SR", 20, {}}; // status reports (AT+CNMI=...,2): read and delete only
    std::string mem[3] = {"SM", "SM", "SM"};
    std::string smsc = "+491710760000";
    int newSmsStorage = 0; // +YSMSD: 2 keeps arriving messages in the modem memory
    std::string cnmi = "2,1,0,0,0";
    int messageReference = 0;
    std::vector<SentMessage> sent;
    // Status reports on messages sent with a request for one: after
    // reportDelayMs, with reportStatus, as "+CDS" (AT+CNMI ds 1) or stored
    // in "SR" with "+CDSI" (ds 2). Held ones wait for releaseReports().
    int reportDelayMs = 1000;
    int reportStatus = 0x00;
    bool reportsHeld = false;
    std::vector<PendingReport> reports;

    // phonebook
    std::string charset = "IRA";
    int phonebookSize = 250;
    int nameLength = 20;
    int numberLength = 40;
    std::map<int, Contact> contacts;

    // service codes (USSD)
    bool ussdPacked = false; // 7-bit answers in packed septets, whatever the character set
    std::string ussdMenu;    // the menu the network waits on ("" no session)

    MessageStorage* storage(const std::string& name);
    bool registrationDenied = false; // the network refuses the SIM: emergency calls only
    bool registered() const {
        return operatingMode == 5 && !operatorName.empty() && !registrationDenied;
    }
    bool simReady() const { return simPresent && sim == SimState::Ready; }
    // The registered network: the listed one marked current, else one by name.
    const Network* currentNetwork() const;
};

// The AT command interpreter. Executes one command line at a time for one
// port; a message body after the "> " prompt is handed to finishBody().
class Modem {
public:
    ModemState state;

    // Called when a message arrives in a storage (the simulator sends +CMTI).
    std::function<void(const std::string& storage, int index)> onNewMessage;
    // Called with an unsolicited line to send when the port is idle (the
    // network's answer to a service code).
    std::function<void(const std::string& line)> onNotice;
    // Called for every noteworthy event (sent or written PDU ...) for the transcript.
    std::function<void(const std::string& event)> onEvent;

    // `line` without its terminating CR/LF. An empty Reply::Final::None with
    // no lines means "not a command line" (the simulator stays silent).
    Reply execute(const std::string& line, PortSettings& port);

    // The body typed after the prompt; `cancelled` when it ended with Esc.
    Reply finishBody(const std::string& body, bool cancelled, PortSettings& port);
    bool awaitingBody() const { return pendingBody_ != BodyKind::None; }

    // Stores an arriving message and announces it (+CMTI), or hands it to
    // the computer at once (+CMT, AT+CNMI <mt> 2). Returns the index, Routed,
    // or -1 when the target storage is full or not usable (`error` says why).
    static constexpr int Routed = -2;
    int deliver(const std::string& pdu, std::string storageName, std::string& error);

    // Sends the status reports that are due and not held; the time the next
    // one is due (time_point::max() when none waits for a time).
    std::chrono::steady_clock::time_point sendDueReports(std::chrono::steady_clock::time_point now);
    // Sends every waiting report now, in the order sent or the reverse.
    void releaseReports(bool reverse);

    // Switches the command set and sets that card's own power-on values
    // (mode preference, the storages and indications it lists ...).
    void setDialect(Dialect dialect);
    // Sets the mode preference in the dialect's own form ("28", "03",
    // "0,0,6" ...) and moves the card to a technology it allows; false when
    // the card does not take the value.
    bool setModePreference(const std::string& value);
    // The state the status notices are compared on.
    RadioSnapshot radio() const;
    // Sends the notices a change since `before` causes (registration,
    // technology, signal), as far as the card has them switched on.
    void announce(const RadioSnapshot& before);
    // The dialect's periodic status lines (none for most cards).
    std::vector<std::string> chatter() const;
    // What the card sends on its AT port when it powers on.
    std::vector<std::string> startupLines() const;

    // Resets the per-port settings as ATZ does.
    void resetPort(PortSettings& port) const;
    PortSettings defaults; // the power-on settings of every port (scenario "echo" etc.)

private:
    void sendReport(const PendingReport& report);
    enum class BodyKind { None, Send, Write };
    BodyKind pendingBody_ = BodyKind::None;
    int pendingLength_ = 0;
    int pendingStatus_ = 2;

    Reply basic(char cmd, const std::string& arg, PortSettings& port);
    // What the card answers to a command it doesn't know.
    Reply unknownCommand() const;
    // The commands of the dialect besides the maker's and the common ones;
    // `known` false when `name` is none of them.
    Reply vendor(const std::string& name, char kind, const std::vector<std::string>& p,
                 bool& known);
    Reply caret(const std::string& name, char kind, const std::vector<std::string>& p, bool& known);
    Reply quectel(const std::string& name, char kind, const std::vector<std::string>& p,
                  bool& known);
    Reply zte(const std::string& name, char kind, const std::vector<std::string>& p, bool& known);
    void vendorNotices(const RadioSnapshot& before, const RadioSnapshot& now);
    Reply extended(const std::string& name, char kind, const std::string& args, PortSettings& port);
    Reply dial(const std::string& number, PortSettings& port);

    // SIM gate: true when the SIM can be used; otherwise `r` holds the error
    // (a +CMS code when `sms`).
    bool simUsable(Reply& r, bool sms);

    // SIM, PIN, PUK
    Reply cpin(char kind, const std::vector<std::string>& p);
    Reply clck(char kind, const std::vector<std::string>& p);
    Reply cpwd(char kind, const std::vector<std::string>& p);
    bool wrongPin(); // counts a wrong PIN; true when the PUK is now needed

    // network
    Reply cops(char kind, const std::vector<std::string>& p);
    Reply creg(const std::string& name, char kind, const std::vector<std::string>& p);
    int registrationStat(const std::string& name) const;
    std::string registrationFields(const std::string& name, int stat) const;
    Reply csq(char kind) const;
    Reply cesq(char kind) const;
    Reply ws46(char kind, const std::vector<std::string>& p);
    bool modeFamilies(const std::string& value, unsigned& allowed, unsigned& preferred) const;
    unsigned allowedFamilies() const;
    void followModePreference();
    void registerOn(Network& n);

    // messages
    Reply cpms(char kind, const std::vector<std::string>& p);
    Reply cmgl(char kind, const std::vector<std::string>& p);
    Reply cmgr(char kind, const std::vector<std::string>& p);
    Reply cmgd(char kind, const std::vector<std::string>& p);
    Reply cmgsw(bool send, char kind, const std::vector<std::string>& p);
    Reply csca(char kind, const std::vector<std::string>& p);

    // service codes
    Reply cusd(char kind, const std::vector<std::string>& p);
    void answerUssd(int status, const std::u16string& text = {}, bool ucs2 = false);

    // phonebook
    Reply cpbs(char kind, const std::vector<std::string>& p);
    Reply cpbr(bool vendor, char kind, const std::vector<std::string>& p);
    Reply cpbw(char kind, const std::vector<std::string>& p);
    std::string encodeName(const std::u16string& name) const;
    bool decodeName(const std::string& text, std::u16string& name) const;
    std::string contactLine(int index, const Contact& c, bool vendorForm) const;
};
