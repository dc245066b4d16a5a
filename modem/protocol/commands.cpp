#include "modem/protocol/commands.h"

#include "modem/protocol/at_code.h"

#include <algorithm>
#include <iterator>

namespace {

using Text = std::string_view;

bool has(Text text, Text what) {
    return text.find(what) != Text::npos;
}
bool begins(Text text, Text prefix) {
    return text.substr(0, prefix.size()) == prefix;
}

// A command's tests: the first text found gives its code, else `otherwise`.
struct Test {
    Text text;
    int code;
};

template <size_t N> int firstFound(Text text, const Test (&tests)[N], int otherwise) {
    for (const Test& test : tests) {
        if (has(text, test.text))
            return test.code;
    }
    return otherwise;
}

int okOr(Text e, int ok, int otherwise) {
    return has(e, "\r\nOK") ? ok : otherwise;
}

// --- the tests of each command's reply ---------------------------------------

int storage(Text e) {
    if (begins(e, "AT+CPMS="))
        return has(e, "+CPMS: ") ? AT_CPMS_SET_OK : AT_CPMS_SET_FAILED;
    if (begins(e, "AT+CPMS?\r\n"))
        return has(e, "+CPMS: ") ? AT_CPMS_QUERY_OK : AT_CPMS_QUERY_FAILED;
    return has(e, "\r\nERROR") ? AT_CPMS_BARE_ERROR : AT_UNKNOWN;
}

int operatingMode(Text e) {
    static const Test tests[] = {{"+YOPRT: 5", AT_YOPRT_ONLINE}, {"\r\nOK", AT_YOPRT_OTHER}};
    return firstFound(e, tests, AT_UNKNOWN);
}

int setOperatingMode(Text e) {
    return okOr(e, AT_YOPRT_SET_OK, AT_UNKNOWN);
}

int simState(Text e) {
    static const Test tests[] = {{"+CPIN: READY", AT_CPIN_READY},
                                 {"+CPIN: SIM PIN", AT_CPIN_SIM_PIN},
                                 {"+CPIN: SIM PUK", AT_CPIN_SIM_PUK},
                                 {"+CME ERROR: SIM busy", AT_CPIN_SIM_BUSY},
                                 {"+CME ERROR: SIM failure", AT_CPIN_SIM_FAILURE}};
    return firstFound(e, tests, AT_UNKNOWN);
}

// PIN entry, or PUK entry with a new PIN when the command line holds two
// quoted parameters.
int pinEntry(Text e) {
    const Text firstLine = e.substr(0, e.find('\n'));
    if (has(firstLine, "\",\"")) {
        static const Test puk[] = {{"\r\nOK", AT_PUK_OK},
                                   {"+CME ERROR: incorrect password", AT_PUK_WRONG},
                                   {"+CME ERROR: SIM failure", AT_PUK_SIM_FAILURE},
                                   {"\r\nERROR", AT_PUK_ERROR}};
        return firstFound(e, puk, AT_UNKNOWN);
    }
    static const Test pin[] = {{"\r\nOK", AT_PIN_OK},
                               {"+CME ERROR: incorrect password", AT_PIN_WRONG},
                               {"+CME ERROR: SIM PUK required", AT_PIN_PUK_REQUIRED},
                               {"\r\nERROR", AT_PIN_ERROR}};
    return firstFound(e, pin, AT_UNKNOWN);
}

int pinLock(Text e) {
    if (has(e, "+CLCK: 1"))
        return AT_CLCK_ON;
    if (has(e, "+CLCK: 0"))
        return AT_CLCK_OFF;
    if (begins(e, "AT+CLCK=\"SC\",1,\"")) {
        static const Test lock[] = {{"+CME ERROR: incorrect password", AT_CLCK_LOCK_WRONG},
                                    {"\r\nOK", AT_CLCK_LOCK_OK}};
        return firstFound(e, lock, AT_UNKNOWN);
    }
    if (begins(e, "AT+CLCK=\"SC\",0,\"")) {
        static const Test unlock[] = {{"+CME ERROR: incorrect password", AT_CLCK_UNLOCK_WRONG},
                                      {"\r\nOK", AT_CLCK_UNLOCK_OK}};
        return firstFound(e, unlock, AT_UNKNOWN);
    }
    return AT_UNKNOWN;
}

int changePin(Text e) {
    static const Test tests[] = {{"+CME ERROR: incorrect password", AT_CPWD_WRONG},
                                 {"+CME ERROR: SIM PUK required", AT_CPWD_PUK_REQUIRED},
                                 {"\r\nOK", AT_CPWD_OK},
                                 {"+CME ERROR: operation not allowed", AT_CPWD_NOT_ALLOWED}};
    return firstFound(e, tests, AT_UNKNOWN);
}

int pdpContext(Text e) {
    static const Test tests[] = {{"\r\nOK", AT_CGDCONT_OK}, {"\r\nERROR", AT_CGDCONT_ERROR}};
    return firstFound(e, tests, AT_UNKNOWN);
}

int serviceStatus(Text e) {
    return has(e, "+YPAS: \"") ? AT_YPAS_OK : AT_YPAS_NO_SERVICE;
}

int serviceCentre(Text e) {
    return has(e, "+CSCA: \"") ? AT_CSCA_OK : AT_NO_VERDICT;
}

int operatorList(Text e) {
    return has(e, "+COPS: ") ? AT_COPS_LIST_OK : AT_COPS_LIST_FAILED;
}

int selectOperator(Text e) {
    return okOr(e, AT_COPS_SET_OK, AT_COPS_SET_FAILED);
}

int newMessageIndication(Text e) {
    return okOr(e, AT_CNMI_OK, AT_CNMI_FAILED);
}

int firmware(Text e) {
    return okOr(e, AT_GMR_OK, AT_GMR_FAILED);
}

int simType(Text e) {
    static const Test tests[] = {{"+YUSIM: 0", AT_YUSIM_SIM},
                                 {"+YUSIM: 1", AT_YUSIM_USIM},
                                 {"+CME ERROR: SIM busy", AT_YUSIM_SIM_BUSY}};
    return firstFound(e, tests, AT_UNKNOWN);
}

int listMessages(Text e) {
    return okOr(e, AT_CMGL_OK, AT_CMGL_FAILED);
}

int readMessage(Text e) {
    return okOr(e, AT_CMGR_OK, AT_CMGR_FAILED);
}

int setModePreference(Text e) {
    return okOr(e, AT_YSNT_SET_OK, AT_YSNT_SET_FAILED);
}

int modePreference(Text e) {
    return has(e, "+YSNT: ") ? AT_YSNT_QUERY_OK : AT_YSNT_QUERY_FAILED;
}

int setNewMessageStorage(Text e) {
    return okOr(e, AT_YSMSD_SET_OK, AT_YSMSD_SET_FAILED);
}

int newMessageStorage(Text e) {
    static const Test tests[] = {
        {"+YSMSD: 0", AT_YSMSD_0}, {"+YSMSD: 1", AT_YSMSD_1}, {"+YSMSD: 2", AT_YSMSD_2}};
    return firstFound(e, tests, AT_YSMSD_FAILED);
}

int operatorName(Text e) {
    return has(e, "+YDON: \"") ? AT_YDON_OK : AT_YDON_NOT_FOUND;
}

// Received signal strength indication (3GPP TS 27.007 "+CSQ") to a class:
// the text up to the comma, compared whole ("05" is no value the modem sends).
int signalQuality(Text e) {
    const size_t at = e.find("+CSQ: ");
    if (at == Text::npos)
        return AT_UNKNOWN;
    Text rssi = e.substr(at + 6);
    rssi = rssi.substr(0, rssi.find(','));
    if (rssi.empty() || rssi.size() > 2 || rssi.find_first_not_of("0123456789") != Text::npos ||
        (rssi.size() == 2 && rssi[0] == '0'))
        return AT_CSQ_NONE;
    const int value = rssi.size() == 1 ? rssi[0] - '0' : (rssi[0] - '0') * 10 + (rssi[1] - '0');
    if (value == 0 || value > 31)
        return AT_CSQ_NONE;
    if (value <= 6)
        return AT_CSQ_CLASS1;
    if (value <= 9)
        return AT_CSQ_CLASS2;
    if (value <= 12)
        return AT_CSQ_CLASS3;
    if (value <= 16)
        return AT_CSQ_CLASS4;
    return AT_CSQ_CLASS5;
}

int imsi(Text e) {
    static const Test tests[] = {{"+CME ERROR: SIM failure", AT_CIMI_ERROR},
                                 {"ERROR", AT_CIMI_ERROR}};
    return firstFound(e, tests, AT_CIMI_OK);
}

// Message format (3GPP TS 27.005 "+CMGF": 0 = PDU, 1 = text).
int messageFormat(Text e) {
    static const Test tests[] = {{"+CMGF: 0", AT_CMGF_PDU}, {"+CMGF: 1", AT_CMGF_TEXT}};
    return firstFound(e, tests, AT_UNKNOWN);
}

int setMessageFormat(Text e) {
    return okOr(e, AT_CMGF_SET_OK, AT_CMGF_SET_FAILED);
}

int characterSet(Text e) {
    return okOr(e, AT_OK, AT_UNKNOWN);
}

// clang-format off
// The order is the classifier's: where one echo begins another, the longer
// comes first ("AT+COPS=?" before "AT+COPS=", "AT+YSMSD=2" before nothing
// broader); commands of one family share its echo and its tests.
const AtCommand kCommands[] = {
    {AtCmd::StorageChoices, "AT+CPMS=?", "AT+CPMS=?", AT_BUDGET, nullptr},
    {AtCmd::SelectStorage, "AT+CPMS=", "AT+CPMS", AT_BUDGET, storage},
    {AtCmd::StorageQuery, "AT+CPMS?", "AT+CPMS", AT_BUDGET, storage},
    {AtCmd::StopScroll, "AT+CPMS", "AT+CPMS", AT_BUDGET, storage},
    {AtCmd::OperatingModeQuery, "AT+YOPRT?", "AT+YOPRT?", AT_BUDGET, operatingMode},
    {AtCmd::SetOperatingMode, "AT+YOPRT=", "AT+YOPRT=", AT_BUDGET, setOperatingMode},
    {AtCmd::SimState, "AT+CPIN?", "AT+CPIN?", AT_BUDGET, simState},
    {AtCmd::EnterPin, "AT+CPIN=\"", "AT+CPIN=\"", AT_BUDGET, pinEntry, true},
    {AtCmd::EnterPuk, "AT+CPIN=\"", "AT+CPIN=\"", AT_BUDGET, pinEntry, true},
    {AtCmd::PinLockState, "AT+CLCK=\"SC\",2", "AT+CLCK=\"SC\"", AT_BUDGET, pinLock},
    {AtCmd::LockPin, "AT+CLCK=\"SC\",1,\"", "AT+CLCK=\"SC\"", AT_BUDGET, pinLock, true},
    {AtCmd::UnlockPin, "AT+CLCK=\"SC\",0,\"", "AT+CLCK=\"SC\"", AT_BUDGET, pinLock, true},
    {AtCmd::ChangePin, "AT+CPWD=\"SC\",\"", "AT+CPWD=\"SC\",\"", AT_BUDGET, changePin, true},
    {AtCmd::PdpContext, "AT+CGDCONT=1,\"", "AT+CGDCONT=", AT_BUDGET, pdpContext},
    {AtCmd::ServiceStatus, "AT+YPAS?", "AT+YPAS?", AT_BUDGET, serviceStatus},
    {AtCmd::ServiceCentre, "AT+CSCA?", "AT+CSCA?", AT_BUDGET, serviceCentre},
    {AtCmd::OperatorList, "AT+COPS=?", "AT+COPS=?", AT_BUDGET_OPERATORS, operatorList},
    {AtCmd::SelectOperator, "AT+COPS=", "AT+COPS=", AT_BUDGET_OPERATORS, selectOperator},
    {AtCmd::IndicationChoices, "AT+CNMI=?", "AT+CNMI=?", AT_BUDGET, nullptr},
    {AtCmd::NewMessageIndication, "AT+CNMI=3,1,0,2,0", "AT+CNMI=", AT_BUDGET,
     newMessageIndication},
    {AtCmd::SetIndications, "AT+CNMI=", "AT+CNMI=", AT_BUDGET, newMessageIndication},
    {AtCmd::Firmware, "AT+GMR", "AT+GMR", AT_BUDGET, firmware},
    {AtCmd::SimType, "AT+YUSIM=?", "AT+YUSIM", AT_BUDGET, simType},
    {AtCmd::ListMessages, "AT+CMGL=", "AT+CMGL=", AT_BUDGET, listMessages},
    {AtCmd::ReadMessage, "AT+CMGR=", "AT+CMGR=", AT_BUDGET, readMessage},
    {AtCmd::SetModePreference, "AT+YSNT=", "AT+YSNT=", AT_BUDGET, setModePreference},
    {AtCmd::ModePreferenceQuery, "AT+YSNT?", "AT+YSNT?", AT_BUDGET, modePreference},
    {AtCmd::SetNewMessageStorage, "AT+YSMSD=2", "AT+YSMSD=2", AT_BUDGET, setNewMessageStorage},
    {AtCmd::NewMessageStorageQuery, "AT+YSMSD?", "AT+YSMSD?", AT_BUDGET, newMessageStorage},
    {AtCmd::OperatorName, "AT+YDON?", "AT+YDON?", AT_BUDGET, operatorName},
    {AtCmd::SignalQuality, "AT+CSQ", "AT+CSQ", AT_BUDGET, signalQuality},
    {AtCmd::Imsi, "AT+CIMI", "AT+CIMI", AT_BUDGET, imsi},
    {AtCmd::MessageFormatQuery, "AT+CMGF?", "AT+CMGF?", AT_BUDGET, messageFormat},
    {AtCmd::SetMessageFormat, "AT+CMGF=", "AT+CMGF=", AT_BUDGET, setMessageFormat},
    {AtCmd::CharacterSet, "AT+CSCS=\"", "AT+CSCS=", AT_BUDGET, characterSet},
    // Without tests of their own: the general ones (deletion, "+CMS ERROR",
    // "+CMGW") classify them, and their methods read the reply itself.
    {AtCmd::Attention, "AT", "AT", AT_BUDGET, nullptr},
    {AtCmd::Imei, "AT+CGSN", "AT+CGSN", AT_BUDGET, nullptr},
    {AtCmd::OwnNumber, "AT+CNUM", "AT+CNUM", AT_BUDGET, nullptr},
    {AtCmd::DeleteMessage, "AT+CMGD=", "AT+CMGD=", AT_BUDGET, nullptr},
    {AtCmd::WriteMessage, "AT+CMGW=", "AT+CMGW=", AT_BUDGET, nullptr},
    {AtCmd::SendMessage, "AT+CMGS=", "AT+CMGS=", AT_BUDGET, nullptr},
    {AtCmd::SelectPhonebook, "AT+CPBS=\"SM\"", "AT+CPBS=", AT_BUDGET, nullptr},
    {AtCmd::PhonebookRange, "AT+CPBR=?", "AT+CPBR=?", AT_BUDGET, nullptr},
    {AtCmd::ReadPhonebook, "AT+CPBR=", "AT+CPBR=", AT_BUDGET, nullptr},
    {AtCmd::WritePhonebook, "AT+CPBW=", "AT+CPBW=", AT_BUDGET, nullptr},
    {AtCmd::ProbeExtendedRead, "AT+YCPBR=?", "AT+YCPBR=?", AT_BUDGET_PROBE, nullptr},
    {AtCmd::ProbeExtendedWrite, "AT+YCPBM=?", "AT+YCPBM=?", AT_BUDGET_PROBE, nullptr},
    // The answer to a service code comes later, as a notice.
    {AtCmd::UssdRequest, "AT+CUSD=1,\"", "AT+CUSD=1", AT_BUDGET, nullptr},
    {AtCmd::UssdCancel, "AT+CUSD=2", "AT+CUSD=2", AT_BUDGET, nullptr},
    {AtCmd::ErrorReports, "AT+CMEE=1", "AT+CMEE=", AT_BUDGET, nullptr},
    // The vendor dialects' mode preference, read to tell the dialects apart.
    {AtCmd::SyscfgexQuery, "AT^SYSCFGEX?", "AT^SYSCFGEX?", AT_BUDGET_PROBE, nullptr},
    {AtCmd::ScanModeQuery, "AT+QCFG=\"nwscanmode\"", "AT+QCFG=\"nwscanmode\"", AT_BUDGET_PROBE, nullptr},
    {AtCmd::ZsntQuery, "AT+ZSNT?", "AT+ZSNT?", AT_BUDGET_PROBE, nullptr},
    // Registration, operator and signal of any card, and its reports of them.
    {AtCmd::RegistrationReports, "AT+CREG=2", "AT+CREG=2", AT_BUDGET, nullptr},
    {AtCmd::PacketReports, "AT+CGREG=2", "AT+CGREG=2", AT_BUDGET, nullptr},
    {AtCmd::EpsReports, "AT+CEREG=2", "AT+CEREG=2", AT_BUDGET, nullptr},
    {AtCmd::RegistrationQuery, "AT+CREG?", "AT+CREG?", AT_BUDGET, nullptr},
    {AtCmd::PacketQuery, "AT+CGREG?", "AT+CGREG?", AT_BUDGET, nullptr},
    {AtCmd::EpsQuery, "AT+CEREG?", "AT+CEREG?", AT_BUDGET, nullptr},
    {AtCmd::OperatorLongName, "AT+COPS=3,0", "AT+COPS=3,0", AT_BUDGET, nullptr},
    {AtCmd::CurrentOperator, "AT+COPS?", "AT+COPS?", AT_BUDGET, nullptr},
    {AtCmd::ExtendedSignal, "AT+CESQ", "AT+CESQ", AT_BUDGET, nullptr},
    {AtCmd::SignalReports, "AT+QINDCFG=\"csq\",1", "AT+QINDCFG=", AT_BUDGET, nullptr},
    // The mode preference with 4G: the standard's and the vendor dialects'.
    {AtCmd::Ws46List, "AT+WS46=?", "AT+WS46=?", AT_BUDGET, nullptr},
    {AtCmd::Ws46Query, "AT+WS46?", "AT+WS46?", AT_BUDGET, nullptr},
    {AtCmd::SetWs46, "AT+WS46=", "AT+WS46=", AT_BUDGET, nullptr},
    {AtCmd::SyscfgexList, "AT^SYSCFGEX=?", "AT^SYSCFGEX=?", AT_BUDGET, nullptr},
    {AtCmd::SetSyscfgex, "AT^SYSCFGEX=\"", "AT^SYSCFGEX=", AT_BUDGET, nullptr},
    {AtCmd::QcfgList, "AT+QCFG=?", "AT+QCFG=?", AT_BUDGET, nullptr},
    {AtCmd::SetScanMode, "AT+QCFG=\"nwscanmode\",", "AT+QCFG=\"nwscanmode\",", AT_BUDGET, nullptr},
    {AtCmd::ScanSequenceQuery, "AT+QCFG=\"nwscanseq\"", "AT+QCFG=\"nwscanseq\"", AT_BUDGET, nullptr},
    {AtCmd::SetScanSequence, "AT+QCFG=\"nwscanseq\",", "AT+QCFG=\"nwscanseq\",", AT_BUDGET, nullptr},
    {AtCmd::SetZsnt, "AT+ZSNT=", "AT+ZSNT=", AT_BUDGET, nullptr},
};
// clang-format on

} // namespace

const AtCommand& atCommand(AtCmd id) {
    const auto found = std::find_if(std::begin(kCommands), std::end(kCommands),
                                    [id](const AtCommand& c) { return c.id == id; });
    // Every AtCmd has its declaration (the tests check it).
    return found != std::end(kCommands) ? *found : kCommands[0];
}

const AtCommand* atCommandsBegin() {
    return std::begin(kCommands);
}

const AtCommand* atCommandsEnd() {
    return std::end(kCommands);
}
