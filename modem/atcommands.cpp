// Identity, status, SIM and network commands of the modem link.

#include "modem/commandutil.h"
#include "modem/modemlog.h"
#include "modem/protocol/replies.h"
#include "modem/serialthread.h"

int SerialThread::getIMEI(char* out, int outSize) {
    const QByteArray reply = query(AtCmd::Imei);
    // An error reply carries no serial number.
    if (finalResult(reply.constData()) != FinalResult::Ok)
        return -1;
    copyOut(reply.constData(), out, outSize);
    return 1;
}

int SerialThread::getGMR(char* out, int outSize) {
    QByteArray reply = query(AtCmd::Firmware);
    if (finalResult(reply) == FinalResult::None)
        return -1;
    const int value = atCommand(AtCmd::Firmware).map(Parse_At_Res(reply.data()));
    if (value == 1)
        copyOut(reply.constData(), out, outSize);
    return value;
}

int SerialThread::getISDN(char* out, int outSize) {
    const QByteArray reply = query(AtCmd::OwnNumber);
    // Any error line ("SIM busy", "SIM not inserted", ...) is a failure.
    if (finalResult(reply.constData()) != FinalResult::Ok)
        return -1;
    copyOut(reply.constData(), out, outSize);
    return 1;
}

int SerialThread::getCIMI() {
    return command(AtCmd::Imsi);
}

int SerialThread::getSignalQuality() {
    return command(AtCmd::SignalQuality);
}

QString SerialThread::get_YPAS_Res_Str() {
    return textQuery(AtCmd::ServiceStatus);
}

QString SerialThread::get_YDON_Res_Str() {
    return textQuery(AtCmd::OperatorName);
}

int SerialThread::getUSIM() {
    usimType = static_cast<signed char>(command(AtCmd::SimType));
    return usimType;
}

void SerialThread::isNewPlatform() {
    QByteArray reply = query(AtCmd::ProbeExtendedRead);
    if (finalResult(reply) == FinalResult::None)
        return;
    if (finalResult(reply.constData()) == FinalResult::NotSupported) {
        newPlatform = true;
        return;
    }
    reply = query(AtCmd::ProbeExtendedWrite);
    if (finalResult(reply) == FinalResult::None)
        return;
    newPlatform = finalResult(reply.constData()) == FinalResult::Ok;
}

int SerialThread::netCardStatus() {
    return command(AtCmd::OperatingModeQuery);
}

bool SerialThread::netCardPowOn(bool on) {
    return command(AtCmd::SetOperatingMode,
                   AtLine(atCommand(AtCmd::SetOperatingMode)).number(on ? 5 : 6)) == 1;
}

bool SerialThread::stopScrollScreen() {
    return command(AtCmd::StopScroll) == 1;
}

int SerialThread::connectDeviceNeedInputPIN() {
    return command(AtCmd::SimState);
}

int SerialThread::inputPIN(const char* pin) {
    return command(AtCmd::EnterPin, AtLine(atCommand(AtCmd::EnterPin)).quoted(pin).text("\""));
}

int SerialThread::inputPUK(const char* puk, const char* newPin) {
    return command(
        AtCmd::EnterPuk,
        AtLine(atCommand(AtCmd::EnterPuk)).quoted(puk).text("\",\"").quoted(newPin).text("\""));
}

int SerialThread::PINSetStatus() {
    return command(AtCmd::PinLockState);
}

bool SerialThread::lockPIN(const char* pin) {
    return command(AtCmd::LockPin, AtLine(atCommand(AtCmd::LockPin)).quoted(pin).text("\"")) == 1;
}

bool SerialThread::unLockPIN(const char* pin) {
    return command(AtCmd::UnlockPin, AtLine(atCommand(AtCmd::UnlockPin)).quoted(pin).text("\"")) ==
           1;
}

int SerialThread::changePWD(const char* oldPin, const char* newPin) {
    return command(
        AtCmd::ChangePin,
        AtLine(atCommand(AtCmd::ChangePin)).quoted(oldPin).text("\",\"").quoted(newPin).text("\""));
}

int SerialThread::getNetworkList(char* out, int outSize) {
    QByteArray reply = query(AtCmd::OperatorList);
    if (finalResult(reply) == FinalResult::None)
        return -1;
    const int value = atCommand(AtCmd::OperatorList).map(Parse_At_Res(reply.data()));
    if (value == 1)
        copyOut(reply.constData(), out, outSize);
    return value;
}

// Without an access technology the line ends with the operator: modems
// refuse an empty last argument.
int SerialThread::setManualNetworkMode(const char* mode, const char* format, const char* oper,
                                       const char* act) {
    AtLine line(atCommand(AtCmd::SelectOperator));
    line.arg(mode).text(",").arg(format).text(",").arg(oper);
    if (act != nullptr && *act != '\0')
        line.text(",").arg(act);
    return command(AtCmd::SelectOperator, line);
}

int SerialThread::getNetworkSelectionMode() {
    const QByteArray reply = query(AtCmd::ModePreferenceQuery);
    if (finalResult(reply) == FinalResult::None)
        return -1;
    const std::optional<std::array<int, 3>> value = parseModePreference(reply.constData());
    for (size_t i = 0; value && i < kModePreferences.size(); ++i) {
        if (*value == kModePreferences[i])
            return static_cast<int>(i) + 1;
    }
    return 0;
}

int SerialThread::setNetworkSelectionMode(int mode) {
    if (mode < 1 || mode > static_cast<int>(kModePreferences.size()))
        return -1;
    const std::array<int, 3>& value = kModePreferences[static_cast<size_t>(mode - 1)];
    return command(AtCmd::SetModePreference, AtLine(atCommand(AtCmd::SetModePreference))
                                                 .number(value[0])
                                                 .text(",")
                                                 .number(value[1])
                                                 .text(",")
                                                 .number(value[2]));
}

int SerialThread::setConnectPara(const char* type, const char* apn, const char* addr) {
    AtLine line(atCommand(AtCmd::PdpContext));
    line.quoted(type).text("\",\"").quoted(apn);
    if (addr != nullptr && *addr != '\0')
        line.text("\",\"").quoted(addr);
    line.text("\"");
    return command(AtCmd::PdpContext, line);
}

int SerialThread::setChset(const char* charset) {
    return command(AtCmd::CharacterSet,
                   AtLine(atCommand(AtCmd::CharacterSet)).quoted(charset).text("\""));
}
