#pragma once

// The modem link: the one object through which all AT traffic passes.
//
// Every command runs on the GUI thread: it purges unsolicited input, writes
// one command line and collects the reply until a final result or its time
// budget is spent. While it waits, the application keeps processing its
// events, so a timer slot may try another command meanwhile; `receive_flag`
// makes such a nested command fail at once instead of mixing two replies.

#include "modem/at_code.h"
#include "sms/pducodec.h"

#include <QByteArray>
#include <QMap>
#include <QString>
#include <QThread>

class WTMainWindow;

// A command line, its "\r\n" and the NUL fit in this many bytes.
inline constexpr int AT_COMMAND_SIZE = 200;

// Time budgets of the commands, in seconds.
inline constexpr int AT_BUDGET = 30;              // every command unless noted
inline constexpr int AT_BUDGET_OPERATORS = 120;   // operator list and manual selection
inline constexpr int AT_BUDGET_PROBE = 5;         // the two extended phonebook probes
inline constexpr int AT_BUDGET_PHONEBOOK_OLD = 2; // one phonebook block, old platform

// A modem that hasn't begun its reply within this many milliseconds is taken
// to be gone, whatever the command's budget.
inline constexpr int AT_FIRST_BYTE_MS = 50;

class SerialThread : public QThread {
    Q_OBJECT
public:
    explicit SerialThread(WTMainWindow* owner);
    ~SerialThread() override;

    // --- port and transaction -------------------------------------------

    // Opens and configures a tty of the modem (115200 8N1, raw, RTS/CTS and
    // XON/XOFF); the descriptor becomes the command port. -1 with errno set.
    int openPort(QString device);
    // 1 after closing, 0 when fd < 0. Closing the command port sets portFd
    // to -1.
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
    // Reads and discards pending input, recording a new-message notice.
    void purgeComData();
    // 1 when `text` held a "+CMTI: " notice (recorded in msgData), else 0.
    int findAtiveMsg(QString& text);
    void atLock();
    void atUnlock();
    bool atLocked();

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

    // --- short messages ---------------------------------------------------

    int setShortMsgStorageMode(int mode);
    int getSmsMem();
    QString getSmsContent(int stat, int mode);
    QString getIndexSms(const char* index);
    int deleteSimSMS(int index);
    int deleteMeSMS(int index);
    int moveMsgCMGWCmd(int length, int stat, const char* pdu);
    int sendMsgCMGSCmd(int length, const char* pdu);
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

    int portFd = -1;
    int simPhonebookSize = 0;
    signed char usimType = -1;
    bool newPlatform = false;
    WTMainWindow* mainWindow = nullptr;
    bool atLockFlag = false;
    // The program keeps AT_FIRST_BYTE_MS; tests against a simulator on a
    // loaded machine widen it where the first-byte limit is not their subject.
    int firstByteTimeoutMs = AT_FIRST_BYTE_MS;

protected:
    void run() override;

private:
    // Outcome of one purge-write-receive step.
    enum { NotWritten = -2 };
    int transact(const QByteArray& cmd, char* reply, int sec);
    int simpleCommand(const QByteArray& cmd);
    QString textQuery(const QByteArray& cmd);
    int sendBody(const char* pdu, char* reply);
    void recordNotices(const QByteArray& input);
    int sendWithPrompt(const QByteArray& cmd, const char* pdu, QByteArray* answer);
    int deleteSms(int storageMode, int index);
    int phonebookWrite(const QByteArray& cmd);

    QByteArray pending_;     // bytes read after a final result, for the next purge or reception
    bool receiving_ = false; // this object's receiver is collecting a reply
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

// Requests to the worker body, set by the operator selection dialogs.
extern int gWaitSearchOrSelectEnd;
extern int gManualSearch;
extern int gManualSelect;
extern int gManualSearchResult;
extern int gManualSelectResult;
extern QString gMode;
extern QString gFormat;
extern QString gOpt;
extern QString gAct;
extern QString gSearchStr; // at most GSEARCHSTR_SIZE - 1 bytes of the operator list
inline constexpr int GSEARCHSTR_SIZE = 1024;
