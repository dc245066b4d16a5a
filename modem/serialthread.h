#pragma once

// The modem link: the one object through which all AT traffic passes.
//
// Commands go into one queue (atqueue.h) and are written one at a time on
// the AT port (attransport.h); each caller's completion receives the reply.
// The command methods live by family in atcommands.cpp, smscommands.cpp,
// phonebookcommands.cpp and ussdcommands.cpp; every command's text and
// budget is declared in protocol/commands.h.

#include "modem/atline.h"
#include "modem/atqueue.h"
#include "modem/attransport.h"
#include "modem/protocol/at_code.h"
#include "modem/protocol/commands.h"
#include "modem/protocol/replies.h"
#include "sms/pducodec.h"

#include <QByteArray>
#include <QMap>
#include <QObject>
#include <QString>

class SerialThread : public QObject {
    Q_OBJECT
    // First, so that the members that name their state are bound to built ones.
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
    // Closes the AT port; queued commands end unanswered.
    void closePort();
    bool hasPort() const { return transport_.fd() >= 0; }
    int portFd() const { return transport_.fd(); }

    // Queues a declared command (its line, or `line` built from it) with its
    // budget; returns its id for cancel().
    int send(const AtCaller& caller, AtCmd id, AtCompletion done);
    int send(const AtCaller& caller, AtCmd id, const AtLine& line, AtCompletion done);
    void cancel(int id) { queue_.cancel(id); }

    // Holds the queue for the dialer: `suspended` comes once the command on
    // the wire has ended; commands queued meanwhile wait for resume().
    void suspend() { queue_.suspend(); }
    void resume() { queue_.resume(); }
    bool isSuspended() const { return queue_.isSuspended(); }
    // Nothing on the wire and nothing waiting.
    bool idle() const { return queue_.idle(); }

    // The program keeps 50 ms; tests against a simulator on a loaded
    // machine widen it where the first-byte limit is not their subject.
    int& firstByteTimeoutMs;

    // --- identity, status, SIM and network ------------------------------
    // Methods that copy a reply into `out` write at most outSize bytes,
    // NUL included.

    int getIMEI(char* out, int outSize = AT_REPLY_SIZE);
    int getGMR(char* out, int outSize = AT_REPLY_SIZE);
    int getISDN(char* out, int outSize = AT_REPLY_SIZE);
    int getCIMI();
    int getSignalQuality();
    QString get_YPAS_Res_Str();
    QString get_YDON_Res_Str();
    int getUSIM();
    void isNewPlatform();
    int netCardStatus();
    bool netCardPowOn(bool on);
    bool stopScrollScreen();
    int connectDeviceNeedInputPIN();
    int inputPIN(const char* pin);
    int inputPUK(const char* puk, const char* newPin);
    int PINSetStatus();
    bool lockPIN(const char* pin);
    bool unLockPIN(const char* pin);
    int changePWD(const char* oldPin, const char* newPin);
    int getNetworkList(char* out, int outSize = AT_REPLY_SIZE);
    int setManualNetworkMode(const char* mode, const char* format, const char* oper,
                             const char* act);
    int getNetworkSelectionMode();
    int setNetworkSelectionMode(int mode);
    int setConnectPara(const char* type, const char* apn, const char* addr);
    int setChset(const char* charset);
    int sendNULL_ATCmd();

    // --- service codes (USSD) -------------------------------------------

    // Sends a service code, or a reply in an open session, as the modem's
    // character set has it (ussdtext.h). 1: the modem took it, and the
    // network's answer comes as ussdNotice; 0: the modem refused it (its error
    // text in `refusal`); -1: not written or no reply.
    int sendUssd(const QByteArray& text, QString* refusal = nullptr);
    // Ends an open session; 1 when the modem said OK.
    int cancelUssd();

    // --- short messages ---------------------------------------------------

    // Selects the message storages: 0 the modem's memory, 1 the SIM, 2 the
    // status reports' storage for reading and deleting (the others stay).
    int setShortMsgStorageMode(int mode);
    int getSmsMem();
    QString getSmsContent(int stat, int mode);
    QString getIndexSms(const char* index);
    int deleteSimSMS(int index);
    int deleteMeSMS(int index);
    int deleteStatusReport(int index);
    int moveMsgCMGWCmd(int length, int stat, const char* pdu);
    // Sends a message; 1 when the modem took it. `reference` (may be null)
    // receives the message reference the network gave it (-1 when the reply
    // named none).
    int sendMsgCMGSCmd(int length, const char* pdu, int* reference = nullptr);
    int setNewMsgNoticeMode();
    int getMsgFormat();
    int setMsgFormat(int mode);
    QString get_sms_number();
    int getNewSmsPreferStorage();
    int setNewSmsPreferNVStorage();

    // --- SIM phonebook ----------------------------------------------------

    int simCapacity();
    // Reads simPhonebookSize locations into rows (at most rowCount rows;
    // -1 = simPhonebookSize rows).
    int getPhoneBook(QString (*rows)[3], int rowCount = -1);
    int insertContact(QString* contact);
    int deleteContact(QString index);

    // --- members ----------------------------------------------------------

    int simPhonebookSize = 0;
    // Octets of a SIM phonebook entry's name, as simCapacity() read them
    // (0: not known).
    int simNameLength = 0;
    signed char usimType = -1;
    bool newPlatform = false;

    // True while a command is on the wire or the queue is held.
    bool busy() const { return queue_.busy() || queue_.isSuspended(); }
    void atLock() { suspend(); }
    void atUnlock() { resume(); }
    bool atLocked() const { return isSuspended(); }

signals:
    // A new message was announced, as soon as the link read the notice; it
    // is recorded in msgData first.
    void newMessageNotice();
    // The network answered a service code (a notice, read by parseUssdNotice).
    void ussdNotice(const UssdNotice& notice);
    // A status report on a sent message came with its PDU.
    void statusReport(const QString& pdu);
    // A status report was stored at `index` of `storage`.
    void storedReportNotice(const QString& storage, int index);
    // The AT port hung up: the card went away.
    void portLost();
    void suspended();

private:
    // The reply of a command, waited for. (Callers move to completions.)
    AtReply transact(const QByteArray& line, int budgetMs, const QByteArray& body = {});
    int command(AtCmd id);
    int command(AtCmd id, const AtLine& line);
    QString textQuery(AtCmd id);
    QString textQuery(AtCmd id, const AtLine& line);
    QByteArray query(AtCmd id);
    void takeNotice(const QByteArray& text);
    int sendWithPrompt(const QByteArray& cmd, const char* pdu, QByteArray* answer);
    int deleteSms(int storageMode, int index);
    int phonebookWrite(const QByteArray& cmd);
};

// --- process-wide state of the modem link ----------------------------------

extern SerialThread* serialthread;
extern bool receive_flag;
extern QMap<int, QString> msgData;
extern int activeMsgCount;
extern int unreadMsgCount;
extern QString theATSerialPortName;
extern QString theModemSerialPortName;
extern QString smscent_num;
