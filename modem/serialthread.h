#pragma once

// The modem link: the one object through which all AT traffic passes.
//
// Every command runs on the GUI thread: it purges unsolicited input, writes
// one command line and collects the reply until a final result or its time
// budget is spent. While it waits, the application keeps processing its
// events, so a timer slot may try another command meanwhile; `receive_flag`
// makes such a nested command fail at once instead of mixing two replies.

#include "modem/atline.h"
#include "modem/attransport.h"
#include "modem/protocol/at_code.h"
#include "modem/protocol/commands.h"
#include "modem/protocol/replies.h"
#include "sms/pducodec.h"

#include <QByteArray>
#include <QMap>
#include <QString>
#include <QThread>

#include <atomic>

// A modem that hasn't begun its reply within this many milliseconds is taken
// to be gone, whatever the command's budget.
inline constexpr int AT_FIRST_BYTE_MS = AtTransport::kFirstByteMs;

// The link is a facade: the transport (attransport.h) owns the port and the
// framing, the command methods live by family in atcommands.cpp,
// smscommands.cpp and phonebookcommands.cpp, and every command's text, budget
// and result mapping is declared in protocol/commands.h.
class SerialThread : public QThread {
    Q_OBJECT
    // First, so that the members that name its state are bound to a built one.
    AtTransport transport_;

public:
    explicit SerialThread(QObject* owner = nullptr);
    ~SerialThread() override;

    // --- port and transaction -------------------------------------------

    // Opens and configures a tty of the modem (115200 8N1, raw, RTS/CTS and
    // XON/XOFF); the descriptor becomes the command port. -1 with errno set.
    int openPort(QString device);
    // Makes an open descriptor the command port (-1: none).
    void usePort(int fd);
    // 1 after closing, 0 when fd < 0. Closing the command port leaves none
    // (portFd becomes -1).
    int closePortNormal(int fd);
    // Closes fd when valid, sets errno to err and returns -1.
    int closePortAbnormal(int fd, const char* what, int err);
    // Bytes written, or -1.
    int writePort(int fd, const char* data, int len);
    // Writes a complete command line under the at-lock; false when not written.
    bool excuteAtStr(const char* cmd);
    // Collects one reply into `reply` (AT_REPLY_SIZE bytes). 1 = final result,
    // -1 = error or time-out, 0 = another reception was already under way.
    int resAtStr(int fd, char* reply, int sec, int usec);
    // purge, write, receive (30 s), classify; AT_UNKNOWN when not written or no reply.
    int sendCmdAndRec(const char* cmd);
    // Writes a PDU body ending in Ctrl-Z and receives its reply: -1 when not
    // written or no reply, else the classification.
    int sendPDU(const char* pdu);
    // "AT": 1 when a final result came, -1 otherwise.
    int sendNULL_ATCmd();
    // Reads and discards pending input, delivering the notices in it.
    void purgeComData();
    // Records the new-message notices in `text` in msgData (their parameters:
    // the storage name in double quotes, a comma, the index); 1 when there
    // was one, else 0.
    int findAtiveMsg(QString& text);
    void atLock();
    void atUnlock();
    bool atLocked();
    // True while a command waits for its reply or the at-lock is held: no
    // other command can run now.
    bool busy();

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
    int gsmSendMessage(SM_PARAM* msg, QString text, int* length, QString* pdu);
    int gsmEncodePdu(SM_PARAM* src, char* pdu, QString text, char* ucs2Out);
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

    // The command port's descriptor (-1: none); the transport owns it.
    const int& portFd;
    int simPhonebookSize = 0;
    // Octets of a SIM phonebook entry's name, as simCapacity() read them
    // (0: not known).
    int simNameLength = 0;
    signed char usimType = -1;
    bool newPlatform = false;
    bool atLockFlag = false;
    // The program keeps AT_FIRST_BYTE_MS; tests against a simulator on a
    // loaded machine widen it where the first-byte limit is not their subject.
    int& firstByteTimeoutMs;

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

protected:
    void run() override;

private:
    // Outcome of one purge-write-receive step.
    enum { NotWritten = -2 };
    int transact(const QByteArray& cmd, char* reply, int sec);
    // One declared command: sends its line (or `line`, built from it), with
    // its budget, and returns the value its declaration maps the result to;
    // the declaration's failure value when not written or no reply.
    int command(AtCmd id);
    int command(AtCmd id, const AtLine& line);
    // Sends a declared command and returns its reply (classified, so the
    // status queries get their rewrites); null when not written or no reply.
    QString textQuery(AtCmd id);
    QString textQuery(AtCmd id, const AtLine& line);
    // The reply of a declared command in `reply` (AT_REPLY_SIZE bytes): 1, or
    // the transaction's failure.
    int query(AtCmd id, QByteArray& reply);
    int sendBody(const char* pdu, char* reply);
    void takeNotice(const QByteArray& text);
    void serveOperatorRequests();
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

// Requests to the worker body from the operator selection dialogs. The flags
// are shared with the worker thread, which only reads and sets them; the
// modem work they ask for runs on the application's thread.
extern std::atomic<int> gWaitSearchOrSelectEnd;
extern std::atomic<int> gManualSearch;
extern std::atomic<int> gManualSelect;
extern int gManualSearchResult;
extern int gManualSelectResult;
extern QString gMode;
extern QString gFormat;
extern QString gOpt;
extern QString gAct;
extern QString gSearchStr; // at most GSEARCHSTR_SIZE - 1 bytes of the operator list
inline constexpr int GSEARCHSTR_SIZE = 1024;
