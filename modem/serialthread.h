#pragma once

// The modem link: the one object through which all AT traffic passes.
//
// Commands go into one queue (atqueue.h) and are written one at a time on
// the AT port (attransport.h). Every command method queues its command and
// returns at once; its completion receives a typed result later, from the
// event loop. The methods live by family in atcommands.cpp, smscommands.cpp,
// phonebookcommands.cpp and ussdcommands.cpp; every command's text and
// budget is declared in protocol/commands.h, and every reply is read in
// protocol/.
//
// The link also knows what it learns about the card that its users share:
// the ports it was found on, its dialect, the SIM type, the size of the SIM
// phonebook and the card's generation.

#include "modem/atline.h"
#include "modem/atqueue.h"
#include "modem/attransport.h"
#include "modem/dialect.h"
#include "modem/messagesetup.h"
#include "modem/protocol/commands.h"
#include "modem/protocol/replies.h"

#include <QByteArray>
#include <QList>
#include <QObject>
#include <QString>

#include <functional>
#include <optional>

// A command's typed result, handed to its completion.
template <typename T> using AtDone = std::function<void(T)>;

// A query's answer where it matters why there is none: the value when the
// reply held one, else the final result (None: no reply at all).
template <typename T> struct AtAnswer {
    std::optional<T> value;
    FinalResult result = FinalResult::None;
};

// The message storages the link selects ("AT+CPMS"): the modem's memory,
// the SIM, and the status reports' storage (for reading and deleting), as
// the card names them (SerialThread::messageStores).
enum class MessageStorage { Modem = 0, Sim = 1, Reports = 2 };

// A message read at a place of a storage ("AT+CMGR").
struct MessageRead {
    bool answered = false;
    std::optional<ModemMessage> message;
    // The place holds no message (a read that found it empty), as opposed
    // to a read that failed.
    bool empty = false;
};

// How the card took a service code ("AT+CUSD=1").
struct UssdSent {
    enum class Outcome { Accepted, Refused, NoAnswer } outcome = Outcome::NoAnswer;
    QString refusal; // the card's error text when refused
};

class SerialThread : public QObject {
    Q_OBJECT
    // First, so that the members bound to their state are bound to built ones.
    AtTransport transport_;
    AtQueue queue_;

public:
    explicit SerialThread(QObject* owner = nullptr);
    ~SerialThread() override;

    // --- the port and the queue ---------------------------------------------

    // Opens and configures a tty of the modem as the AT port and puts the
    // card's echo on, so that its state is known. The descriptor, or -1 with
    // errno set.
    int openPort(const QString& device);
    // Closes the AT port; queued commands end unanswered, and what the link
    // knew of the card is forgotten.
    void closePort();
    bool hasPort() const { return transport_.fd() >= 0; }

    // Queues a declared command (its line, or `line` built from it) with its
    // budget.
    void send(const AtCaller& caller, AtCmd id, AtCompletion done);
    void send(const AtCaller& caller, AtCmd id, const AtLine& line, AtCompletion done);

    // Holds the queue for the dialer once the command on the wire has ended:
    // commands queued meanwhile wait for resume().
    void suspend() { queue_.suspend(); }
    void resume() { queue_.resume(); }
    bool isSuspended() const { return queue_.isSuspended(); }
    // Nothing on the wire and nothing waiting.
    bool idle() const { return queue_.idle(); }

    // The program keeps 50 ms; tests against a simulator on a loaded
    // machine widen it where the first-byte limit is not their subject.
    int& firstByteTimeoutMs;

    // --- what the link knows of the card ----------------------------------

    // The ports the card was found on: the AT port the link works on and
    // the modem port the dialer takes (equal when the card has one port;
    // both empty while no card is attached).
    QString atPortName() const { return atPortName_; }
    QString modemPortName() const { return modemPortName_; }
    void setPortNames(const QString& atPort, const QString& modemPort);

    Dialect dialect = Dialect::Maker;    // what the card speaks beyond the standard
    int simPhonebookSize = 0;            // locations of the SIM phonebook (simCapacity)
    int simNameLength = 0;               // octets of a SIM phonebook name (simCapacity; 0 unknown)
    SimType usimType = SimType::Unknown; // what getUSIM found
    bool newPlatform = false;            // the card's generation (isNewPlatform)
    MessageStores messageStores;         // how each message storage is selected
    // Another maker's card that refused "UCS2" and took "GSM": SIM names
    // go to it as its 7-bit text, and come back hexadecimal UCS2 as on the
    // maker's newer cards (the phonebook keeps that form).
    bool gsmNames = false;
    // The mode preferences a card of another maker can be set to
    // (getNetworkModes); empty for the maker's cards and cards without one.
    QList<NetworkMode> networkModes;

    // --- identity, status, SIM and network ------------------------------

    // The IMEI (15 digits).
    void getIMEI(const AtCaller& caller, AtDone<AtAnswer<QString>> done);
    // The firmware revision; the own number (the first with a digit).
    void getGMR(const AtCaller& caller, AtDone<std::optional<QString>> done);
    void getISDN(const AtCaller& caller, AtDone<std::optional<QString>> done);
    // The IMSI: there is a usable SIM when the card gives it.
    void getCIMI(const AtCaller& caller, AtDone<std::optional<QString>> done);
    // Signal bars 0-5; -1 without an answer.
    void getSignalQuality(const AtCaller& caller, AtDone<int> done);
    // The card's service and operator ("+YPAS", "+YDON"); nothing when it has
    // none or didn't answer.
    void getServiceStatus(const AtCaller& caller, AtDone<std::optional<ServiceStatus>> done);
    void getOperatorName(const AtCaller& caller, AtDone<std::optional<QString>> done);
    // The SIM type; it is kept in usimType.
    void getUSIM(const AtCaller& caller, AtDone<SimType> done);
    // Whether the card is of the newer generation (it refuses the extended
    // phonebook read, or takes the extended write); kept in newPlatform.
    void isNewPlatform(const AtCaller& caller, AtDone<bool> done);
    // The operating mode ("+YOPRT"); a card that refuses the question is not
    // the maker's (the final result says how it refused).
    void netCardStatus(const AtCaller& caller, AtDone<AtAnswer<OperatingMode>> done);
    // Which vendor dialect a card that is not the maker's speaks, asked by
    // the dialects' mode queries in turn (the first the card takes names
    // it; none: Standard); kept in `dialect`.
    void probeDialect(const AtCaller& caller, AtDone<Dialect> done);
    // Has the card report errors with their numbers ("+CME ERROR: <n>").
    void reportErrors(const AtCaller& caller, AtDone<bool> done);
    void netCardPowOn(const AtCaller& caller, bool on, AtDone<bool> done);
    // The card's bare "AT+CPMS" that ends its start-up screen.
    void stopScrollScreen(const AtCaller& caller, AtDone<bool> done);
    void connectDeviceNeedInputPIN(const AtCaller& caller, AtDone<SimState> done);
    void inputPIN(const AtCaller& caller, const QString& pin, AtDone<PinEntry> done);
    void inputPUK(const AtCaller& caller, const QString& puk, const QString& newPin,
                  AtDone<PinEntry> done);
    // Whether the PIN lock is on; nothing without an answer.
    void PINSetStatus(const AtCaller& caller, AtDone<std::optional<bool>> done);
    // Switches the PIN lock: Accepted when the card took it.
    void setPinLock(const AtCaller& caller, bool on, const QString& pin, AtDone<PinEntry> done);
    void changePWD(const AtCaller& caller, const QString& oldPin, const QString& newPin,
                   AtDone<PinChange> done);
    // The operators the card sees; nothing when it gave no list.
    void getNetworkList(const AtCaller& caller, AtDone<std::optional<QList<OperatorEntry>>> done);
    // Registers by hand on the operator `numeric`, with its access
    // technology when known (act >= 0).
    void setManualNetworkMode(const AtCaller& caller, const QString& numeric, int act,
                              AtDone<bool> done);
    // The card's mode preference 1-4 (kModePreferences); 0 for another
    // value, -1 without an answer.
    void getNetworkSelectionMode(const AtCaller& caller, AtDone<int> done);
    void setNetworkSelectionMode(const AtCaller& caller, int mode, AtDone<bool> done);
    void setConnectPara(const AtCaller& caller, const QString& type, const QString& apn,
                        const QString& address, AtDone<bool> done);
    // Selects the character set: whether the card took it, nothing without
    // an answer.
    void setChset(const AtCaller& caller, const QString& charset, AtDone<std::optional<bool>> done);

    // --- standard status and mode preference (networkcommands.cpp) ------

    // Has the card report its registration (+CREG, +CGREG, +CEREG with
    // location and technology), name the operator in full in "AT+COPS?",
    // and report its signal where its dialect needs asking; the reports
    // come as networkNotice. Commands the card refuses are skipped.
    void enableNetworkReports(const AtCaller& caller, AtDone<bool> done);
    // One registration ("AT+CREG?", "AT+CGREG?", "AT+CEREG?"); nothing when
    // the card refused or didn't answer.
    void getRegistration(const AtCaller& caller, RegistrationKind kind,
                         AtDone<std::optional<RegistrationState>> done);
    // The operator and its access technology ("AT+COPS?").
    void getCurrentOperator(const AtCaller& caller, AtDone<std::optional<CurrentOperator>> done);
    // Signal bars from "AT+CESQ"; nothing when the card has no measurement.
    void getExtendedSignal(const AtCaller& caller, AtDone<std::optional<int>> done);
    // What the card can be set to (kept in networkModes), what it is set
    // to, and setting it, in the card's dialect: "+WS46" where the card
    // lists it, else "^SYSCFGEX", "+QCFG="nwscanmode"" (with "nwscanseq"
    // for 4G preferred) or "+ZSNT".
    void getNetworkModes(const AtCaller& caller, AtDone<QList<NetworkMode>> done);
    void getNetworkMode(const AtCaller& caller, AtDone<std::optional<NetworkMode>> done);
    void setNetworkMode(const AtCaller& caller, NetworkMode mode, AtDone<bool> done);

    // --- service codes (USSD) -------------------------------------------

    // Sends a service code, or a reply in an open session, as the modem's
    // character set has it (ussdtext.h); the network's answer comes later as
    // ussdNotice.
    void sendUssd(const AtCaller& caller, const QByteArray& text, AtDone<UssdSent> done);
    // Ends an open session.
    void cancelUssd(const AtCaller& caller, AtDone<bool> done);

    // --- short messages ---------------------------------------------------

    // Selects the storage (for the reports' storage only the first of the
    // three; the others stay). False, with nothing sent, for a storage the
    // card lacks.
    void setShortMsgStorageMode(const AtCaller& caller, MessageStorage storage, AtDone<bool> done);
    // Free places where received messages go; -1 unknown.
    void getSmsMem(const AtCaller& caller, AtDone<int> done);
    // The messages of `storage` with list status `stat` (0-4); nothing when
    // the storage or the list failed.
    void getSmsContent(const AtCaller& caller, MessageStorage storage, int stat,
                       AtDone<std::optional<QList<ModemMessage>>> done);
    // Reads the message at `index` of the storage selected last.
    void getIndexSms(const AtCaller& caller, int index, AtDone<MessageRead> done);
    // Deletes the message at `index` of `storage`; true only when the card
    // said OK.
    void deleteSms(const AtCaller& caller, MessageStorage storage, int index, AtDone<bool> done);
    // Stores a message body (PDU, hexadecimal) with status `stat`; the index
    // the card stored it at.
    void moveMsgCMGWCmd(const AtCaller& caller, int length, int stat, const QByteArray& pdu,
                        AtDone<std::optional<int>> done);
    // Sends a message body; when sent, the reference the network gave it
    // (-1 when the reply named none).
    void sendMsgCMGSCmd(const AtCaller& caller, int length, const QByteArray& pdu,
                        AtDone<std::optional<int>> done);
    void setNewMsgNoticeMode(const AtCaller& caller, AtDone<bool> done);
    // What the card offers: its storages per position ("AT+CPMS=?") and
    // its announcement settings ("AT+CNMI=?"); nothing without an answer.
    void getStorageChoices(const AtCaller& caller, AtDone<std::optional<StorageChoices>> done);
    void getIndicationChoices(const AtCaller& caller,
                              AtDone<std::optional<IndicationChoices>> done);
    // Sets how new messages and status reports are announced ("AT+CNMI=" with
    // `values`, such as "2,1,0,2,0").
    void setMessageIndications(const AtCaller& caller, const QByteArray& values, AtDone<bool> done);
    // 0 PDU mode, 1 text mode, -1 unknown.
    void getMsgFormat(const AtCaller& caller, AtDone<int> done);
    void setMsgFormat(const AtCaller& caller, int mode, AtDone<bool> done);
    void getServiceCentre(const AtCaller& caller, AtDone<std::optional<ServiceCentre>> done);
    // Where the card puts new messages ("+YSMSD" 0-2; -1 unknown), and the
    // setting that keeps them in its memory.
    void getNewSmsPreferStorage(const AtCaller& caller, AtDone<int> done);
    void setNewSmsPreferNVStorage(const AtCaller& caller, AtDone<bool> done);

    // --- SIM phonebook ----------------------------------------------------

    // The last location of the SIM phonebook; -1 when the SIM is busy or
    // refused, 0 when the card gave no range. The room for a name is kept
    // in simNameLength.
    void simCapacity(const AtCaller& caller, AtDone<int> done);
    // Selects the SIM's phonebook for the commands below ("AT+CPBS").
    void selectSimPhonebook(const AtCaller& caller, AtDone<bool> done);
    // Reads the simPhonebookSize locations in blocks; nothing when the SIM
    // was busy.
    void getPhoneBook(const AtCaller& caller, AtDone<std::optional<QList<PhonebookEntry>>> done);
    // Writes location `index`: the number (international type with "+") and
    // the name as the card takes it; true only when the card said OK.
    void insertContact(const AtCaller& caller, int index, const QString& number,
                       const QString& name, AtDone<bool> done);
    void deleteContact(const AtCaller& caller, int index, AtDone<bool> done);

signals:
    // A new message was stored at `index` of `storage` ("+CMTI").
    void newMessageNotice(const QString& storage, int index);
    // The network answered a service code.
    void ussdNotice(const UssdNotice& notice);
    // A message was handed over whole, not stored ("+CMT").
    void directMessage(const QString& pdu);
    // A status report on a sent message came with its PDU.
    void statusReport(const QString& pdu);
    // A status report was stored at `index` of `storage`.
    void storedReportNotice(const QString& storage, int index);
    // The AT port hung up: the card went away. The commands on the queue
    // end unanswered right after.
    void portLost();
    void portNamesChanged();
    // The card reported its registration, technology or signal.
    void networkNotice(const NetworkNotice& notice);

private:
    void takeNotice(const QByteArray& text);
    // Queues a declared command and hands its reply, read by `read`, to `done`.
    template <typename T, typename Read>
    void ask(const AtCaller& caller, AtCmd id, const AtLine& line, Read read, AtDone<T> done);
    void probeDialectFrom(const AtCaller& caller, size_t probe, AtDone<Dialect> done);
    void readPhonebookBlock(const AtCaller& caller, int first,
                            std::shared_ptr<QList<PhonebookEntry>> entries,
                            AtDone<std::optional<QList<PhonebookEntry>>> done);

    QString atPortName_;
    QString modemPortName_;
    bool ws46_ = false;         // the mode preference goes by "+WS46" (getNetworkModes)
    QByteArray preferredOrder_; // the "^SYSCFGEX" order the card lists for 4G preferred
};

template <typename T, typename Read>
void SerialThread::ask(const AtCaller& caller, AtCmd id, const AtLine& line, Read read,
                       AtDone<T> done) {
    send(caller, id, line, [read = std::move(read), done = std::move(done)](const AtReply& reply) {
        if (done)
            done(read(reply));
    });
}
