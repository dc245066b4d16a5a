#include "modem/serialthread.h"

SerialThread* serialthread = nullptr;
bool receive_flag = false;
QMap<int, QString> msgData;
int activeMsgCount = 0;
int unreadMsgCount = 0;
QString theATSerialPortName;
QString theModemSerialPortName;
QString smscent_num;

int gWaitSearchOrSelectEnd = 0;
int gManualSearch = 0;
int gManualSelect = 0;
int gManualSearchResult = 0;
int gManualSelectResult = 0;
QString gMode;
QString gFormat;
QString gOpt;
QString gAct;
QString gSearchStr;

SerialThread::SerialThread(WTMainWindow* owner) : mainWindow(owner) {
    activeMsgCount = 0;
}
SerialThread::~SerialThread() {
    wait();
}
void SerialThread::run() {
    gWaitSearchOrSelectEnd = 1;
}

int SerialThread::openPort(QString) {
    return -1;
}
int SerialThread::closePortNormal(int) {
    return 0;
}
int SerialThread::closePortAbnormal(int, const char*, int) {
    return -1;
}
int SerialThread::writePort(int, const char*, int) {
    return -1;
}
bool SerialThread::excuteAtStr(const char*) {
    return false;
}
int SerialThread::resAtStr(int, char*, int, int) {
    return -1;
}
int SerialThread::sendCmdAndRec(const char*) {
    return AT_UNKNOWN;
}
int SerialThread::sendPDU(const char*) {
    return -1;
}
int SerialThread::sendNULL_ATCmd() {
    return -1;
}
void SerialThread::purgeComData() {}
int SerialThread::findAtiveMsg(QString&) {
    return 0;
}
void SerialThread::atLock() {
    atLockFlag = true;
}
void SerialThread::atUnlock() {
    atLockFlag = false;
}
bool SerialThread::atLocked() {
    return atLockFlag;
}

int SerialThread::getIMEI(char*, int) {
    return -1;
}
int SerialThread::getGMR(char*, int) {
    return -1;
}
int SerialThread::getISDN(char*, int) {
    return -1;
}
int SerialThread::getCIMI() {
    return -1;
}
int SerialThread::getSignalQuality() {
    return -1;
}
QString SerialThread::get_YPAS_Res_Str() {
    return QString();
}
QString SerialThread::get_YDON_Res_Str() {
    return QString();
}
int SerialThread::getUSIM() {
    return usimType = -1;
}
void SerialThread::isNewPlatform() {}
int SerialThread::netCardStatus() {
    return -1;
}
bool SerialThread::netCardPowOn(bool) {
    return false;
}
bool SerialThread::stopScrollScreen() {
    return false;
}
int SerialThread::connectDeviceNeedInputPIN() {
    return -1;
}
int SerialThread::inputPIN(const char*) {
    return 0;
}
int SerialThread::inputPUK(const char*, const char*) {
    return 0;
}
int SerialThread::PINSetStatus() {
    return -1;
}
bool SerialThread::lockPIN(const char*) {
    return false;
}
bool SerialThread::unLockPIN(const char*) {
    return false;
}
int SerialThread::changePWD(const char*, const char*) {
    return 0;
}
int SerialThread::getNetworkList(char*, int) {
    return -1;
}
int SerialThread::setManualNetworkMode(const char*, const char*, const char*, const char*) {
    return -1;
}
int SerialThread::getNetworkSelectionMode() {
    return -1;
}
int SerialThread::setNetworkSelectionMode(int) {
    return -1;
}
int SerialThread::setConnectPara(const char*, const char*, const char*) {
    return -1;
}
int SerialThread::setChset(const char*) {
    return -1;
}

int SerialThread::setShortMsgStorageMode(int) {
    return -1;
}
int SerialThread::getSmsMem() {
    return -1;
}
QString SerialThread::getSmsContent(int, int) {
    return QString();
}
QString SerialThread::getIndexSms(const char*) {
    return QString();
}
int SerialThread::deleteSimSMS(int) {
    return 0;
}
int SerialThread::deleteMeSMS(int) {
    return 0;
}
int SerialThread::moveMsgCMGWCmd(int, int, const char*) {
    return 0;
}
int SerialThread::sendMsgCMGSCmd(int, const char*) {
    return 0;
}
int SerialThread::gsmSendMessage(SM_PARAM*, QString, int*, QString*) {
    return 0;
}
int SerialThread::gsmEncodePdu(SM_PARAM* src, char* pdu, QString text, char* ucs2Out) {
    return ::gsmEncodePdu(src, pdu, text, ucs2Out);
}
int SerialThread::setNewMsgNoticeMode() {
    return -1;
}
int SerialThread::getMsgFormat() {
    return -1;
}
int SerialThread::setMsgFormat(int) {
    return -1;
}
QString SerialThread::get_sms_number() {
    return QString();
}
int SerialThread::getNewSmsPreferStorage() {
    return -1;
}
int SerialThread::setNewSmsPreferNVStorage() {
    return -1;
}

int SerialThread::simCapacity() {
    return -1;
}
int SerialThread::getPhoneBook(QString (*)[3], int) {
    return 0;
}
int SerialThread::insertContact(QString*) {
    return 0;
}
int SerialThread::deleteContact(QString) {
    return 0;
}

int SerialThread::transact(const QByteArray&, char*, int) {
    return NotWritten;
}
int SerialThread::simpleCommand(const QByteArray&) {
    return AT_UNKNOWN;
}
QString SerialThread::textQuery(const QByteArray&) {
    return QString();
}
int SerialThread::copyReplyCommand(const QByteArray&, int, char*, int, int*) {
    return -1;
}
int SerialThread::sendWithPrompt(const QByteArray&, const char*, QByteArray*) {
    return 0;
}
int SerialThread::deleteSms(int, int) {
    return 0;
}
int SerialThread::phonebookWrite(const QByteArray&) {
    return 0;
}
