// Identity, status, SIM and network commands of the modem link.

#include "modem/atline.h"
#include "modem/commandutil.h"
#include "modem/modemlog.h"
#include "modem/serialthread.h"

#include <cstring>

QString SerialThread::textQuery(const QByteArray& cmd) {
    QByteArray reply(AT_REPLY_SIZE, Qt::Uninitialized);
    if (transact(cmd, reply.data(), AT_BUDGET) != 1)
        return QString();
    Parse_At_Res(reply.data());
    return QString::fromLatin1(reply.constData());
}

int SerialThread::getIMEI(char* out, int outSize) {
    QByteArray reply(AT_REPLY_SIZE, Qt::Uninitialized);
    if (transact("AT+CGSN\r\n", reply.data(), AT_BUDGET) != 1)
        return -1;
    // An error reply carries no serial number.
    if (std::strstr(reply.constData(), "ERROR"))
        return -1;
    copyOut(reply.constData(), out, outSize);
    return 1;
}

int SerialThread::getGMR(char* out, int outSize) {
    QByteArray reply(AT_REPLY_SIZE, Qt::Uninitialized);
    if (transact("AT+GMR\r\n", reply.data(), AT_BUDGET) != 1)
        return -1;
    const int code = Parse_At_Res(reply.data());
    if (code == AT_GMR_OK) {
        copyOut(reply.constData(), out, outSize);
        return 1;
    }
    return code == AT_GMR_FAILED ? 0 : -1;
}

int SerialThread::getISDN(char* out, int outSize) {
    QByteArray reply(AT_REPLY_SIZE, Qt::Uninitialized);
    if (transact("AT+CNUM\r\n", reply.data(), AT_BUDGET) != 1)
        return -1;
    // Any error line ("SIM busy", "SIM not inserted", ...) is a failure.
    if (std::strstr(reply.constData(), "+CME ERROR") || std::strstr(reply.constData(), "ERROR\r\n"))
        return -1;
    copyOut(reply.constData(), out, outSize);
    return 1;
}

int SerialThread::getCIMI() {
    const int code = simpleCommand("AT+CIMI\r\n");
    if (code == AT_CIMI_OK)
        return 1;
    return code == AT_CIMI_ERROR || code == AT_UNKNOWN ? -1 : 0;
}

int SerialThread::getSignalQuality() {
    return mapCode(simpleCommand("AT+CSQ\r\n"),
                   {{AT_CSQ_CLASS5, 5},
                    {AT_CSQ_CLASS4, 4},
                    {AT_CSQ_CLASS3, 3},
                    {AT_CSQ_CLASS2, 2},
                    {AT_CSQ_CLASS1, 1},
                    {AT_CSQ_NONE, 0}},
                   -1);
}

QString SerialThread::get_YPAS_Res_Str() {
    return textQuery("AT+YPAS?\r\n");
}

QString SerialThread::get_YDON_Res_Str() {
    return textQuery("AT+YDON?\r\n");
}

int SerialThread::getUSIM() {
    usimType = static_cast<signed char>(
        mapCode(simpleCommand("AT+YUSIM=?\r\n"),
                {{AT_YUSIM_USIM, 1}, {AT_YUSIM_SIM, 0}, {AT_UNKNOWN, -1}}, 2));
    return usimType;
}

void SerialThread::isNewPlatform() {
    QByteArray reply(AT_REPLY_SIZE, Qt::Uninitialized);
    if (transact("AT+YCPBR=?\r\n", reply.data(), AT_BUDGET_PROBE) != 1)
        return;
    Parse_At_Res(reply.data());
    if (std::strstr(reply.constData(), "not support")) {
        newPlatform = true;
        return;
    }
    if (transact("AT+YCPBM=?\r\n", reply.data(), AT_BUDGET_PROBE) != 1)
        return;
    newPlatform = std::strstr(reply.constData(), "OK") != nullptr;
}

int SerialThread::netCardStatus() {
    return mapCode(simpleCommand("AT+YOPRT?\r\n"), {{AT_YOPRT_ONLINE, 1}, {AT_YOPRT_OTHER, 0}}, -1);
}

bool SerialThread::netCardPowOn(bool on) {
    return simpleCommand(on ? "AT+YOPRT=5\r\n" : "AT+YOPRT=6\r\n") == AT_YOPRT_SET_OK;
}

bool SerialThread::stopScrollScreen() {
    return simpleCommand("AT+CPMS\r\n") == AT_CPMS_BARE_ERROR;
}

int SerialThread::connectDeviceNeedInputPIN() {
    return mapCode(simpleCommand("AT+CPIN?\r\n"),
                   {{AT_CPIN_READY, 0},
                    {AT_CPIN_SIM_PUK, 1},
                    {AT_CPIN_SIM_PIN, 2},
                    {AT_CPIN_SIM_BUSY, 3},
                    {AT_CPIN_SIM_FAILURE, 4}},
                   -1);
}

int SerialThread::inputPIN(const char* pin) {
    const QByteArray cmd = AtLine("AT+CPIN=\"").quoted(pin).text("\"").line();
    return mapCode(simpleCommand(cmd),
                   {{AT_PIN_OK, 1},
                    {AT_PIN_WRONG, 0},
                    {AT_CPIN_SIM_PUK, 2},
                    {AT_PIN_PUK_REQUIRED, 2},
                    {AT_PIN_ERROR, -1}},
                   0);
}

int SerialThread::inputPUK(const char* puk, const char* newPin) {
    const QByteArray cmd =
        AtLine("AT+CPIN=\"").quoted(puk).text("\",\"").quoted(newPin).text("\"").line();
    return mapCode(simpleCommand(cmd),
                   {{AT_PUK_OK, 1}, {AT_PUK_WRONG, 0}, {AT_PUK_SIM_FAILURE, 2}, {AT_PUK_ERROR, -1}},
                   0);
}

int SerialThread::PINSetStatus() {
    return mapCode(simpleCommand("AT+CLCK=\"SC\",2\r\n"), {{AT_CLCK_ON, 1}, {AT_CLCK_OFF, 0}}, -1);
}

bool SerialThread::lockPIN(const char* pin) {
    const QByteArray cmd = AtLine("AT+CLCK=\"SC\",1,\"").quoted(pin).text("\"").line();
    return simpleCommand(cmd) == AT_CLCK_LOCK_OK;
}

bool SerialThread::unLockPIN(const char* pin) {
    const QByteArray cmd = AtLine("AT+CLCK=\"SC\",0,\"").quoted(pin).text("\"").line();
    return simpleCommand(cmd) == AT_CLCK_UNLOCK_OK;
}

int SerialThread::changePWD(const char* oldPin, const char* newPin) {
    const QByteArray cmd =
        AtLine("AT+CPWD=\"SC\",\"").quoted(oldPin).text("\",\"").quoted(newPin).text("\"").line();
    return mapCode(simpleCommand(cmd),
                   {{AT_CPWD_OK, 1},
                    {AT_CPWD_WRONG, 0},
                    {AT_CPWD_PUK_REQUIRED, -2},
                    {AT_CPWD_NOT_ALLOWED, -1}},
                   0);
}

int SerialThread::getNetworkList(char* out, int outSize) {
    QByteArray reply(AT_REPLY_SIZE, Qt::Uninitialized);
    if (transact("AT+COPS=?\r\n", reply.data(), AT_BUDGET_OPERATORS) != 1)
        return -1;
    const int code = Parse_At_Res(reply.data());
    if (code == AT_COPS_LIST_OK) {
        copyOut(reply.constData(), out, outSize);
        return 1;
    }
    return code == AT_COPS_LIST_FAILED ? 0 : -1;
}

int SerialThread::setManualNetworkMode(const char* mode, const char* format, const char* oper,
                                       const char* act) {
    const QByteArray cmd = AtLine("AT+COPS=")
                               .arg(mode)
                               .text(",")
                               .arg(format)
                               .text(",")
                               .arg(oper)
                               .text(",")
                               .arg(act)
                               .line();
    QByteArray reply(AT_REPLY_SIZE, Qt::Uninitialized);
    if (transact(cmd, reply.data(), AT_BUDGET_OPERATORS) != 1)
        return -1;
    return mapCode(Parse_At_Res(reply.data()), {{AT_COPS_SET_OK, 1}, {AT_COPS_SET_FAILED, 0}}, -1);
}

int SerialThread::getNetworkSelectionMode() {
    QByteArray reply(AT_REPLY_SIZE, Qt::Uninitialized);
    if (transact("AT+YSNT?\r\n", reply.data(), AT_BUDGET) != 1)
        return -1;
    Parse_At_Res(reply.data());
    static const char* const modes[] = {"+YSNT: 0,0,2", "+YSNT: 0,0,1", "+YSNT: 2,0,0",
                                        "+YSNT: 1,0,0"};
    for (int i = 0; i < 4; ++i) {
        if (std::strstr(reply.constData(), modes[i]))
            return i + 1;
    }
    return 0;
}

int SerialThread::setNetworkSelectionMode(int mode) {
    static const char* const commands[] = {"AT+YSNT=0,0,2\r\n", "AT+YSNT=0,0,1\r\n",
                                           "AT+YSNT=2,0,0\r\n", "AT+YSNT=1,0,0\r\n"};
    if (mode < 1 || mode > 4)
        return -1;
    return mapCode(simpleCommand(commands[mode - 1]),
                   {{AT_YSNT_SET_OK, 1}, {AT_YSNT_SET_FAILED, 0}}, -1);
}

int SerialThread::setConnectPara(const char* type, const char* apn, const char* addr) {
    AtLine line("AT+CGDCONT=1,\"");
    line.quoted(type).text("\",\"").quoted(apn);
    if (addr != nullptr && *addr != '\0')
        line.text("\",\"").quoted(addr);
    line.text("\"");
    return mapCode(simpleCommand(line.line()), {{AT_CGDCONT_OK, 1}, {AT_CGDCONT_ERROR, 0}}, -1);
}

int SerialThread::setChset(const char* charset) {
    const QByteArray cmd = AtLine("AT+CSCS=\"").quoted(charset).text("\"").line();
    return simpleCommand(cmd) == AT_OK ? 1 : -1;
}
