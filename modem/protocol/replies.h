#pragma once

// Typed readers of the modem's replies, one per reply kind. Each takes the
// reply text as the link received it (echo, answer lines, final result; an
// answer line may come alone too) and returns what it says, or nothing when
// the reply doesn't hold that answer. They are pure functions built on the
// tokenizer in tokens.h; nothing else in the program reads reply text.

#include <QByteArrayView>
#include <QList>
#include <QString>
#include <QStringList>

#include <array>
#include <optional>

// --- final results ------------------------------------------------------------

enum class FinalResult {
    None,         // no final result (yet)
    Ok,           // "OK"
    Error,        // "ERROR"
    CmeError,     // "+CME ERROR: <err>"
    CmsError,     // "+CMS ERROR: <err>"
    NoCarrier,    // "NO CARRIER"
    NotSupported, // the card's "command not support"
    Prompt,       // "> ", the modem waits for a message body
};
// The first final result of the reply.
FinalResult finalResult(QByteArrayView reply);
// The final result that one whole line (without its end) is, if any.
FinalResult finalResultOfLine(QByteArrayView line);
// True when the reply ends with "OK" and holds no error line.
bool repliedOk(QByteArrayView reply);

// "+CME ERROR: <err>" / "+CMS ERROR: <err>": the code when numeric (-1 when
// the modem gives text), and the text as sent.
struct ErrorReport {
    FinalResult kind = FinalResult::None; // CmeError or CmsError
    int code = -1;
    QString text;
};
std::optional<ErrorReport> parseErrorReport(QByteArrayView reply);
// The error's number in 3GPP TS 27.007 (section 9.2) or 27.005 (3.2.5): the
// code the modem gave, or the number of the standard's text it gave instead
// ("SIM busy" is 14); -1 for a text the standard doesn't name.
int errorCode(const ErrorReport& error);
// The reply is the SIM's "busy" error (+CME ERROR 14, or its text).
bool simBusy(QByteArrayView reply);

// --- identity, status, SIM ------------------------------------------------------

// "+CSQ: <rssi>,<ber>".
struct SignalQuality {
    int rssi = 99;
    int ber = 99;
};
std::optional<SignalQuality> parseSignalQuality(QByteArrayView reply);

// "+CPIN: <code>": "READY", "SIM PIN", "SIM PUK", "PH-SIM PIN" ...
std::optional<QString> parseSimPinState(QByteArrayView reply);

// "+CLCK: <status>" of a facility query: 1 locked, 0 not.
std::optional<int> parseFacilityLock(QByteArrayView reply);

// The value line of the identity queries "AT+CIMI", "AT+CGSN", "AT+CGMR" and
// "AT+GMR" (with or without a "+CGSN:"-style prefix). `command` is the
// command without "\r\n", to skip its echo.
std::optional<QString> parseIdentity(QByteArrayView reply, QByteArrayView command);
// The serial number (IMEI): the first run of exactly 15 digits of the answer.
std::optional<QString> parseImei(QByteArrayView reply);
// The firmware revision: the first word of the answer.
std::optional<QString> parseFirmware(QByteArrayView reply);

// "+CNUM: [<alpha>],<number>,<type>", one line per number.
struct OwnNumber {
    QString alpha;
    QString number;
    int type = -1;
};
QList<OwnNumber> parseOwnNumbers(QByteArrayView reply);

// The card's "+YPAS: "<service>","<domain>"" (for example "UMTS","CS_PS").
struct ServiceStatus {
    QString service;
    QString domain;
};
std::optional<ServiceStatus> parseServiceStatus(QByteArrayView reply);

// The card's "+YDON: "<operator name>"".
std::optional<QString> parseOperatorName(QByteArrayView reply);

// The card's network mode preference "+YSNT: <a>,<b>,<c>".
std::optional<std::array<int, 3>> parseModePreference(QByteArrayView reply);

// --- outcomes of the identity, status and SIM commands --------------------------

// "AT+CPIN?" and the errors that answer it in a SIM's place.
enum class SimState { Ready, PinRequired, PukRequired, Busy, Failure, NotInserted, Unknown };
SimState simStateOf(QByteArrayView reply);

// The card's operating mode ("AT+YOPRT?": 5 is online).
enum class OperatingMode { Online, Offline, Unknown };
OperatingMode operatingModeOf(QByteArrayView reply);

// The card's SIM type ("AT+YUSIM=?").
enum class SimType { Sim, Usim, Busy, Unknown };
SimType simTypeOf(QByteArrayView reply);

// Entering the PIN ("AT+CPIN="pin"") or the PUK with a new PIN. NoAnswer:
// the reply has no final result, so it is unknown whether the card took
// the entry.
enum class PinEntry { Accepted, Wrong, PukRequired, SimFailure, Error, NoAnswer };
PinEntry pinEntryOf(QByteArrayView reply);

// Changing the PIN ("AT+CPWD").
enum class PinChange { Changed, Wrong, PukRequired, NotAllowed };
PinChange pinChangeOf(QByteArrayView reply);

// The signal as bars: 1-5 by the received strength of "+CSQ", 0 for none
// or no known value, -1 when the reply holds no "+CSQ:".
int signalBarsOf(QByteArrayView reply);

// The domains of the card's service ("+YPAS" CS_ONLY, PS_ONLY, CS_PS).
enum class ServiceDomain { None, CircuitOnly, PacketOnly, CircuitAndPacket };
ServiceDomain serviceDomainOf(const QString& domain);

// --- network ----------------------------------------------------------------------

// "+COPS: <mode>[,<format>,<oper>[,<act>]]".
struct CurrentOperator {
    int mode = -1;
    int format = -1;
    QString oper;
    int act = -1;
};
std::optional<CurrentOperator> parseCurrentOperator(QByteArrayView reply);

// Registration: "+CREG: <n>,<stat>[,<lac>,<ci>[,<AcT>]]" answering the read
// command, or the notice "+CREG: <stat>[,<lac>,<ci>[,<AcT>]]" (`notice`);
// "+CGREG:" and "+CEREG:" alike (`prefix`). <AcT> is -1 when not given.
enum class Registration { NotRegistered, Home, Searching, Denied, Unknown, Roaming };
struct RegistrationState {
    Registration stat = Registration::Unknown;
    int act = -1;
};
std::optional<RegistrationState> parseRegistration(QByteArrayView text, QByteArrayView prefix,
                                                   bool notice);
bool registered(Registration stat);
// The service as the status row names it for an access technology (3GPP TS
// 27.007 <AcT>): "GSM" (or "GPRS" with packet service), "EDGE", "UMTS",
// "HSPA", "LTE", "5G"; "" for an unknown one.
QString technologyName(int act, bool packet);
// Signal bars 0-5 from "+CESQ: <rxlev>,<ber>,<rscp>,<ecno>,<rsrq>,<rsrp>",
// from the newest technology's measurement the card gives; nothing without
// one.
std::optional<int> parseExtendedSignalBars(QByteArrayView reply);

// The signal bars of a received signal strength index (<rssi> of "+CSQ",
// "^RSSI" and "+QIND: "csq"": 0-31, 99 unknown): 0 for none or unknown.
int signalBarsOfRssi(int rssi);
// The access technology (27.007 <AcT>) a card names in its own reports
// ("LTE", "FDD LTE", "WCDMA", "UMTS", "HSPA+", "GPRS/EDGE" ...); -1 for an
// unknown name or "No Service".
int technologyOfName(const QString& name);

// The card's own report of its network, on a line of its own: a
// registration report ("+CREG: <stat>[,<lac>,<ci>[,<AcT>]]", "+CGREG:",
// "+CEREG:"), a technology report ("^MODE: <sysmode>,<submode>",
// "+ZPASR: "<technology>""), or a signal report ("^RSSI: <rssi>",
// "+QIND: "csq",<rssi>,<ber>", "^HCSQ: "<technology>",<values>...").
enum class RegistrationKind { Circuit, Packet, Eps }; // +CREG, +CGREG, +CEREG
struct NetworkNotice {
    std::optional<RegistrationKind> kind; // a registration report: which one
    RegistrationState registration;       // and what it says
    int act = -1;                         // the technology named, -1 none
    bool noService = false;               // the report says there is no service
    std::optional<int> bars;              // the signal bars it gives
};
std::optional<NetworkNotice> parseNetworkNotice(QByteArrayView line);

// The mode preference settings of the cards: "+WS46", "^SYSCFGEX" (its
// acquisition order), "+QCFG="nwscanmode"", "+QCFG="nwscanseq"", "+ZSNT".
enum class ModeSetting { Ws46, Syscfgex, ScanMode, ScanSequence, Zsnt };
// The choices a setting's test command lists, as text: "+WS46: (12,22,25,28-31)"
// (also without the prefix, as some cards answer), "^SYSCFGEX: ("00","03"),...",
// the "nwscanmode" or "nwscanseq" row of "AT+QCFG=?". Ranges of numbers are
// given one by one, quotes removed. Empty when the reply lists none.
QStringList parseModeChoices(QByteArrayView reply, ModeSetting setting);
// The value a setting's read command gives, as text: "+WS46: 25" gives 25,
// "^SYSCFGEX: "00",3FFFFFFF,..." 00, "+QCFG: "nwscanseq",0403" 0403,
// "+ZSNT: 6,0,0" 6 (<cm_mode>).
std::optional<QString> parseModeSetting(QByteArrayView reply, ModeSetting setting);
// The registration of "AT+CREG?", "AT+CGREG?" or "AT+CEREG?".
std::optional<RegistrationState> parseRegistrationReply(QByteArrayView reply,
                                                        RegistrationKind kind);

// One entry of the operator list "+COPS: (<stat>,<long>,<short>,<numeric>[,<act>]),...".
struct OperatorEntry {
    int stat = 0; // 0 unknown, 1 available, 2 current, 3 forbidden
    QString longName;
    QString shortName;
    QString numeric;
    int act = -1; // access technology, -1 when not given
};
// The operators of the list, up to the last operator entry: the supported
// modes and formats that follow after an empty field (",,(0-4),(0-2)") are
// no operators.
QList<OperatorEntry> parseOperatorList(QByteArrayView reply);

// --- short messages -------------------------------------------------------------------

// "+CPMS:": the storages with their use. The query names them
// ("SM",3,20,"SM",3,20,"ME",5,20); the set command gives the numbers only
// (3,20,3,20,5,20). One to three storages.
struct StorageUse {
    QString name; // empty in the set command's answer
    int used = 0;
    int total = 0;
};
QList<StorageUse> parseStorageUse(QByteArrayView reply);
// Free places in the storage where received messages go (the third, or the
// last one given): total minus used. Nothing without a storage.
std::optional<int> freeMessagePlaces(QByteArrayView reply);

// A message of "+CMGL: <index>,<stat>,[<alpha>],<length>" or
// "+CMGR: <stat>,[<alpha>],<length>", with the PDU of the line after it.
struct ModemMessage {
    int index = -1; // storage index ("+CMGL" only; -1 for "+CMGR")
    int stat = -1;  // 0 received unread, 1 received read, 2 stored unsent, 3 stored sent
    QString alpha;
    int length = 0; // octets of the TPDU
    QString pdu;    // hexadecimal, service-centre part included
};
// The listed messages; an entry without a PDU line is left out.
QList<ModemMessage> parseMessageList(QByteArrayView reply);
// The message read; nothing when the reply holds no "+CMGR:" or no PDU.
std::optional<ModemMessage> parseReadMessage(QByteArrayView reply);
// True when a read's reply says that no message is stored at the index:
// "OK" without a "+CMGR:", or "+CMS ERROR: 321" (invalid memory index). An
// empty reply (no answer) or another error (the SIM away or busy, a failing
// modem) tells nothing about the place.
bool readFoundNoMessage(QByteArrayView reply);

// "+CMTI: <mem>,<index>": a new message was stored. Takes the notice line,
// or only its parameters as the link records them ("SM",3).
struct NewMessageNotice {
    QString storage; // "SM", "ME" ...
    int index = -1;
};
std::optional<NewMessageNotice> parseNewMessageNotice(QByteArrayView text);
// "+CDSI: <mem>,<index>": a status report was stored (AT+CNMI=...,2,...).
// Takes the notice line only.
std::optional<NewMessageNotice> parseStoredReportNotice(QByteArrayView text);
// "+CDS: <length>" and the status report's PDU on the next line: the PDU.
std::optional<QString> parseStatusReportNotice(QByteArrayView text);

// "+CMT: [<alpha>],<length>" and the message's PDU on the next line: a
// message handed over at once, not stored (AT+CNMI=...,2,...). The PDU,
// with an empty service-centre part put in front when the card left it out.
std::optional<QString> parseDirectMessageNotice(QByteArrayView text);

// "+CPMS: (<mem1>...),(<mem2>...),(<mem3>...)", the storage command's test
// form: the storages the card offers for reading and deleting, for writing
// and sending, and for receiving. A position may be a single storage
// without parentheses, or empty.
using StorageChoices = std::array<QStringList, 3>;
std::optional<StorageChoices> parseStorageChoices(QByteArrayView reply);

// "+CNMI: (<mode>...),(<mt>...),(<bm>...),(<ds>...),(<bfr>...)": the values
// the card takes for each field of AT+CNMI, ranges ("0-3") spelt out. Fewer
// than five fields when the card gives fewer.
using IndicationChoices = QList<QList<int>>;
std::optional<IndicationChoices> parseIndicationChoices(QByteArrayView reply);

// "+CMGF: <mode>": 0 PDU mode, 1 text mode.
std::optional<int> parseMessageFormat(QByteArrayView reply);
// The card's "+YSMSD: <n>": where it puts new messages (0-2).
std::optional<int> parseNewMessageStorage(QByteArrayView reply);

// "+CMGS: <mr>": the message reference of a sent message.
std::optional<int> parseMessageReference(QByteArrayView reply);
// "+CMGW: <index>": where a written message was stored.
std::optional<int> parseStoredIndex(QByteArrayView reply);

// "+CSCA: <sca>[,<tosca>]": the service centre.
struct ServiceCentre {
    QString number;
    int type = -1;
};
std::optional<ServiceCentre> parseServiceCentre(QByteArrayView reply);

// --- SIM phonebook ----------------------------------------------------------------------

// "+CPBR: (<first>-<last>)[,<nlength>,<tlength>...]", the read command's test form.
struct PhonebookRange {
    int first = 0;
    int last = 0;
    int numberLength = -1;
    int nameLength = -1;
};
std::optional<PhonebookRange> parsePhonebookRange(QByteArrayView reply);

// Entries of a phonebook read, in the standard form
// "+CPBR: <index>,<number>,<type>,<text>" or the card's extended form
// "+YCPBR: <index>,<number>,<text>" (then `type` is -1).
struct PhonebookEntry {
    int index = -1;
    QString number;
    int type = -1;
    QString name; // as sent: hexadecimal for UCS2, else the modem's characters
};
enum class PhonebookForm { Standard, Extended };
QList<PhonebookEntry> parsePhonebookEntries(QByteArrayView reply, PhonebookForm form);

// "+CPBS: <storage>[,<used>,<total>]".
struct PhonebookStorage {
    QString storage;
    int used = -1;
    int total = -1;
};
std::optional<PhonebookStorage> parsePhonebookStorage(QByteArrayView reply);

// --- service codes (USSD) ---------------------------------------------------------------

// "+CUSD: <m>[,<str>[,<dcs>]]": the network's answer to a service code.
// <m>: 0 done, 1 the network waits for a reply, 2 ended by the network, 3
// answered by another client, 4 not supported, 5 the network timed out.
struct UssdNotice {
    int status = -1;
    QByteArray text; // as sent, between the quotes: plain, or hexadecimal (see ussdtext.h)
    int dcs = -1;    // data coding scheme; -1 when the modem gave none
};
std::optional<UssdNotice> parseUssdNotice(QByteArrayView text);
